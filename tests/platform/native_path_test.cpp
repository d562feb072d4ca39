#include "platform/native_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogue.h"
#include "platform/append_file.h"
#include "platform/input_file.h"
#include "platform/output_file.h"

namespace fs = std::filesystem;

// A name typed at the console arrives as UTF-8; on Windows a narrow file
// call would read it in the ANSI code page and name another file.
TEST(FileNames, AnAccentedNameIsTheSameFileForEveryHelper) {
  ScratchDirectory directory;
  const std::string name = "caff\xc3\xa8.txt";
  const fs::path systemName(u8"caff\u00e8.txt");
  EXPECT_EQ(nativePath(name), systemName);
  EXPECT_EQ(utf8Name(systemName), name);

  ASSERT_TRUE(appendToFile(name, "abc"));
  EXPECT_TRUE(fs::exists(systemName));
  InputFile input;
  ASSERT_TRUE(input.open(name));
  EXPECT_EQ(input.size(), 3u);
  input.close();

  OutputFile output;
  ASSERT_TRUE(output.open(name));
  ASSERT_TRUE(output.write("xyz", 3));
  ASSERT_TRUE(output.commit());
  EXPECT_EQ(fileContent(systemName), "xyz");
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}
