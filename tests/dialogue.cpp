#include "dialogue.h"

#include <iterator>

std::string Dialogue::pending() {
  in.clear();
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string runDialogue(void (*command)(Console&), std::string typed) {
  Dialogue dialogue(std::move(typed));
  command(dialogue.console);
  return dialogue.out.str();
}
