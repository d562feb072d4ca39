// Lines edited at a terminal by the system's editline library (libedit),
// loaded when a terminal session first needs it: linked in, it and the four
// libraries it needs would be loaded at every start, piped sessions and
// --version included, for most of the program's start-up time. Without the
// library the terminal's own line input is used.
#include <dlfcn.h>
#include <fcntl.h>
#include <histedit.h>
#include <langinfo.h>
#include <locale.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "platform/line_editing/terminal_line_source.h"

namespace {

// The library's functions, looked up in it when it is loaded. Named as the
// library names them, so that the code below reads as a plain libedit
// client; inside this namespace these names hide the header's declarations.
// clang-format off
#define KALVEX_EDITLINE_FUNCTIONS(X) \
  X(el_init) X(el_end) X(el_set) X(el_wset) X(el_get) X(el_gets) X(el_line) X(el_cursor) \
  X(el_deletestr) X(history_init) X(history_end) X(history)
// clang-format on
#define KALVEX_DECLARE(name) decltype(&::name) name = nullptr;
KALVEX_EDITLINE_FUNCTIONS(KALVEX_DECLARE)
#undef KALVEX_DECLARE

// True once every function has been found; the library stays loaded for
// the rest of the run.
bool loadEditline() {
  static const bool loaded = [] {
    void* library = dlopen(KALVEX_LIBEDIT_NAME, RTLD_NOW | RTLD_LOCAL);
    if (!library)
      return false;
    bool found = true;
#define KALVEX_LOOK_UP(name)                                      \
  name = reinterpret_cast<decltype(name)>(dlsym(library, #name)); \
  found = found && name != nullptr;
    KALVEX_EDITLINE_FUNCTIONS(KALVEX_LOOK_UP)
#undef KALVEX_LOOK_UP
    return found;
  }();
  return loaded;
}

// Keys the terminal's own description may not name: Home, End and Delete as
// xterm, rxvt, the Linux console and tmux send them.
constexpr const char* keyBindings[][2] = {
    {"\033[H", "ed-move-to-beg"},       {"\033OH", "ed-move-to-beg"},
    {"\033[1~", "ed-move-to-beg"},      {"\033[7~", "ed-move-to-beg"},
    {"\033[F", "ed-move-to-end"},       {"\033OF", "ed-move-to-end"},
    {"\033[4~", "ed-move-to-end"},      {"\033[8~", "ed-move-to-end"},
    {"\033[3~", "ed-delete-next-char"},
};

// Ctrl-D on an empty line ends the input without a trace, as on a
// terminal's own line input (editline would echo ^D); on a line being typed
// it deletes the character under the cursor.
unsigned char deleteOrEndInput(EditLine* editor, int) {
  const LineInfo* line = el_line(editor);
  if (line->buffer == line->lastchar)
    return CC_EOF;
  if (line->cursor == line->lastchar)
    return CC_NORM;
  el_cursor(editor, 1);
  el_deletestr(editor, 1);
  return CC_REFRESH;
}

bool isAsciiOnly(locale_t locale) {
  std::string_view codeset = nl_langinfo_l(CODESET, locale);
  return codeset == "ANSI_X3.4-1968" || codeset == "US-ASCII" || codeset == "ASCII" ||
         codeset == "646";
}

// Editline decodes keys by the character set of LC_CTYPE. The program itself
// stays in the C locale; the editor alone takes the user's character set, or
// UTF-8, the encoding of every message the program writes, where the user's
// is plain ASCII (C, POSIX): a typed è would be dropped otherwise.
locale_t terminalLocale() {
  locale_t user = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
  if (user && !isAsciiOnly(user))
    return user;
  locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  if (!utf8)
    return user;
  if (user)
    freelocale(user);
  return utf8;
}

// Makes `locale` the thread's for as long as it lives.
class LocaleScope {
 public:
  explicit LocaleScope(locale_t locale) : previous_(locale ? uselocale(locale) : nullptr) {}
  ~LocaleScope() {
    if (previous_)
      uselocale(previous_);
  }
  LocaleScope(const LocaleScope&) = delete;
  LocaleScope& operator=(const LocaleScope&) = delete;

 private:
  locale_t previous_;
};

FILE* openCopy(int fd, const char* mode) {
  int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (copy < 0)
    return nullptr;
  FILE* file = fdopen(copy, mode);
  if (!file)
    close(copy);
  return file;
}

int terminalColumns(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0)
    return 0;
  return size.ws_col;
}

class EditlineSource : public LineSource {
 public:
  EditlineSource(FILE* input, FILE* output, locale_t locale)
      : input_(input), output_(output), locale_(locale) {}
  ~EditlineSource() override;
  EditlineSource(const EditlineSource&) = delete;
  EditlineSource& operator=(const EditlineSource&) = delete;

  bool start();
  std::optional<std::string> readLine(const std::string& prompt, const RecallList& recall) override;

 private:
  static char* currentPrompt(EditLine* editor);
  void offer(const RecallList& recall);

  FILE* input_;
  FILE* output_;
  locale_t locale_;
  EditLine* editor_ = nullptr;
  History* history_ = nullptr;
  std::string prompt_;
};

EditlineSource::~EditlineSource() {
  {
    LocaleScope scope(locale_);
    // Puts the terminal back in the mode it was found in.
    if (editor_)
      el_end(editor_);
    if (history_)
      history_end(history_);
  }
  std::fclose(input_);
  std::fclose(output_);
  if (locale_)
    freelocale(locale_);
}

bool EditlineSource::start() {
  LocaleScope scope(locale_);
  history_ = history_init();
  editor_ = el_init("kalvex-terminal", input_, output_, stderr);
  if (!history_ || !editor_)
    return false;
  HistEvent event;
  history(history_, &event, H_SETSIZE, static_cast<int>(LineRecall::capacity));
  el_set(editor_, EL_CLIENTDATA, this);
  el_set(editor_, EL_EDITOR, "emacs");
  el_set(editor_, EL_PROMPT, &EditlineSource::currentPrompt);
  el_set(editor_, EL_HIST, history, history_);
  // The editor's own signal handling passes each signal on to the whole
  // process group, killing whoever started us along with us. The program's
  // handlers put the terminal back in its starting mode instead.
  el_set(editor_, EL_SIGNAL, 0);
  for (const auto& [keys, function] : keyBindings)
    el_set(editor_, EL_BIND, keys, function, static_cast<const char*>(nullptr));
  // The wide form keeps the names as given; the narrow one copies them and
  // never frees the copies.
  el_wset(editor_, EL_ADDFN, L"kalvex-delete-or-end", L"Delete a character or end the input",
          &deleteOrEndInput);
  el_set(editor_, EL_BIND, "^D", "kalvex-delete-or-end", static_cast<const char*>(nullptr));
  return true;
}

char* EditlineSource::currentPrompt(EditLine* editor) {
  void* self = nullptr;
  el_get(editor, EL_CLIENTDATA, &self);
  return static_cast<EditlineSource*>(self)->prompt_.data();
}

void EditlineSource::offer(const RecallList& recall) {
  HistEvent event;
  history(history_, &event, H_CLEAR);
  for (const std::string& line : recall)
    history(history_, &event, H_ENTER, line.c_str());
}

std::optional<std::string> EditlineSource::readLine(const std::string& prompt,
                                                    const RecallList& recall) {
  offer(recall);
  prompt_ = prompt;
  // The prompt is on the screen already; the editor writes it again over
  // itself, from the first column of its first row.
  std::string back = returnToLineStart(prompt_, terminalColumns(fileno(output_)));
  std::fputs(back.c_str(), output_);
  std::fflush(output_);
  LocaleScope scope(locale_);
  int count = 0;
  const char* line = el_gets(editor_, &count);
  if (!line || count <= 0)
    return std::nullopt;
  return std::string(line);
}

}  // namespace

std::unique_ptr<LineSource> openTerminalLineSource(int inputFd, int outputFd) {
  if (!loadEditline())
    return nullptr;
  FILE* input = openCopy(inputFd, "r");
  FILE* output = openCopy(outputFd, "w");
  if (!input || !output) {
    if (input)
      std::fclose(input);
    if (output)
      std::fclose(output);
    return nullptr;
  }
  auto source = std::make_unique<EditlineSource>(input, output, terminalLocale());
  if (!source->start())
    return nullptr;
  return source;
}
