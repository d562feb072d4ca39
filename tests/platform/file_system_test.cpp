// The whole-file operations every FileSystem shares, over the in-memory one.
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"

TEST(ReadWholeFile, GivesTheContentUpToTheLimitOrSaysWhyNot) {
  MemoryFileSystem files;
  files.writeFile("eight", "color 0f");
  files.writeFile("empty", "");
  std::string big(200 * 1024, 'k');
  files.writeFile("big", big);
  files.makeDirectory("folder");
  files.makeSpecial("fifo");
  EXPECT_EQ(*readWholeFile(files, "eight", 8), "color 0f");
  EXPECT_EQ(*readWholeFile(files, "empty", 0), "");
  EXPECT_EQ(*readWholeFile(files, "big", big.size()), big);
  const std::pair<const char*, Status::Code> failures[] = {
      {"eight", Status::Code::tooLarge},
      {"missing", Status::Code::notFound},
      {"folder", Status::Code::wrongKind},
      {"fifo", Status::Code::wrongKind},
  };
  for (const auto& [name, code] : failures)
    EXPECT_EQ(readWholeFile(files, name, 7).status().code(), code) << name;
}

// A failure part-way leaves the name holding what it held.
TEST(ReplaceWholeFile, ReplacesWholeOrNotAtAll) {
  MemoryFileSystem files;
  EXPECT_TRUE(replaceWholeFile(files, "theme", "color 9e").isOk());
  EXPECT_EQ(files.content("theme"), "color 9e");
  files.failWritesAfter(4);
  EXPECT_FALSE(replaceWholeFile(files, "theme", "color 0f").isOk());
  EXPECT_EQ(files.content("theme"), "color 9e");
  files.makeDirectory("folder");
  EXPECT_EQ(replaceWholeFile(files, "folder", "").code(), Status::Code::wrongKind);
}
