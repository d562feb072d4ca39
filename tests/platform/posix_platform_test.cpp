#include "platform/posix_platform.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(AnsiColourSequence, MapsConsoleDigitsToAnsiColours) {
  EXPECT_EQ(ansiColourSequence('0', 'f'), "\033[0;97;40m");
  EXPECT_EQ(ansiColourSequence('9', 'e'), "\033[0;93;104m");
  EXPECT_EQ(ansiColourSequence('1', '4'), "\033[0;31;44m");
  EXPECT_EQ(ansiColourSequence('3', '6'), "\033[0;33;46m");
  EXPECT_EQ(ansiColourSequence('8', '7'), "\033[0;37;100m");
  EXPECT_EQ(ansiColourSequence('C', 'A'), "\033[0;92;101m");
}

TEST(PosixPlatform, WritesNoEscapesWhenOutputIsNotATerminal) {
  std::ostringstream out;
  {
    PosixPlatform platform(out, false, false);
    platform.setTitle("Kalvex Terminal");
    platform.clearScreen();
    platform.applyColours('0', 'f');
    platform.pause();
  }
  EXPECT_EQ(out.str(), "");
}

TEST(PosixPlatform, DrawsOnATerminalAndResetsColoursAtTheEnd) {
  std::ostringstream out;
  {
    PosixPlatform platform(out, true, false);
    platform.setTitle("Kalvex Terminal");
    platform.clearScreen();
    platform.applyColours('9', 'e');
  }
  EXPECT_EQ(out.str(), "\033]0;Kalvex Terminal\007\033[H\033[2J\033[3J\033[0;93;104m\033[0m");
}

TEST(PosixPlatform, RefusesTextAsDarkAsTheBackground) {
  std::ostringstream out;
  {
    PosixPlatform platform(out, true, false);
    platform.applyColours('2', '2');
    platform.applyColours('a', 'A');
  }
  EXPECT_EQ(out.str(), "");
}
