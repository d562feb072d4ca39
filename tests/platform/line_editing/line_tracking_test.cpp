#include "platform/line_editing/line_tracking.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

TEST(LineTrackingBuffer, PassesOutputOnAndKeepsTheTextAfterTheLastLineEnd) {
  std::ostringstream terminal;
  LineTrackingBuffer tracker(terminal.rdbuf());
  std::ostream out(&tracker);
  out << "Cosa vuoi fare?" << std::endl << std::endl << "Path: ";
  EXPECT_EQ(tracker.currentLine(), "Path: ");
  out << 'x' << 12 << "\r"
      << "Valore: ";
  EXPECT_EQ(tracker.currentLine(), "Valore: ");
  out << "\n";
  EXPECT_EQ(tracker.currentLine(), "");
  out << "Inserisci: ";
  tracker.startNewLine();
  EXPECT_EQ(tracker.currentLine(), "");
  EXPECT_EQ(terminal.str(), "Cosa vuoi fare?\n\nPath: x12\rValore: \nInserisci: ");
}

TEST(LineTrackingBuffer, KeepsOnlyTheEndOfAHugeUnendedLine) {
  std::ostringstream terminal;
  LineTrackingBuffer tracker(terminal.rdbuf());
  std::ostream out(&tracker);
  std::string huge(100000, 'a');
  out << huge << "Path: ";
  EXPECT_LE(tracker.currentLine().size(), 8192u);
  EXPECT_TRUE(tracker.currentLine().ends_with("aPath: "));
  EXPECT_EQ(terminal.str().size(), huge.size() + 6);
}

TEST(VisibleText, DropsEscapesAndControlsAndWidensTabs) {
  EXPECT_EQ(visibleText("\033[0;97;40mPath: "), "Path: ");
  EXPECT_EQ(visibleText("\033]0;Kalvex Terminal\007Sì\033]0;x\033\\!"), "Sì!");
  EXPECT_EQ(visibleText("\033[H\033[2J\033[3JA\033(B\x01\x7f"), "A");
  EXPECT_EQ(visibleText("ab\tc\t"), "ab      c       ");
  EXPECT_EQ(visibleText("è\tx"), "è       x");
  EXPECT_EQ(visibleText("\xa8x"), "x");  // A kept tail may start inside a character.
  EXPECT_EQ(visibleText("\033["), "");
}

TEST(ReturnToLineStart, GoesUpOneRowPerWrap) {
  EXPECT_EQ(returnToLineStart("", 80), "\r");
  EXPECT_EQ(returnToLineStart("Path: ", 80), "\r");
  EXPECT_EQ(returnToLineStart(std::string(10, 'a'), 10), "\r");
  EXPECT_EQ(returnToLineStart(std::string(11, 'a'), 10), "\r\033[1A");
  EXPECT_EQ(returnToLineStart(std::string(25, 'a'), 10), "\r\033[2A");
  EXPECT_EQ(returnToLineStart("èèèèèèèèèèè", 10), "\r\033[1A");
  EXPECT_EQ(returnToLineStart(std::string(25, 'a'), 0), "\r");
}
