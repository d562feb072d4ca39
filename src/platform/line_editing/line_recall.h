// The earlier lines the up arrow offers at a terminal. The command prompt
// offers the command lines (the function history, which the shell hands
// over); every other question offers the answers typed in this run, so a
// number typed into a calculator never turns up among the commands.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

using RecallList = std::deque<std::string>;

class LineRecall {
 public:
  // The oldest lines are dropped beyond this many in each list.
  static constexpr std::size_t capacity = 1000;

  // The next line typed answers the command prompt.
  void expectCommandLine();
  // Adds a command line, and ends the wait for one: the shell may have read
  // it from what was left of an earlier line, with nothing typed for it.
  void rememberCommandLine(std::string_view line);
  void forgetCommandLines();

  // A line was typed (without its line end). An answer joins the answers;
  // a command line waits for the shell to remember it.
  void lineTyped(std::string_view line);

  // What the next line offers, oldest first.
  const RecallList& offered() const;
  bool commandLineExpected() const { return commandLineExpected_; }

 private:
  static void add(RecallList& list, std::string_view line);

  RecallList commandLines_;
  RecallList answers_;
  bool commandLineExpected_ = false;
};
