// Starting a fresh instance of this program on Windows.
#include "platform/windows/windows_restart.h"

#include <vector>

#include "platform/windows/windows_api.h"

namespace {

KEY_EVENT_RECORD keyFor(wchar_t character) {
  KEY_EVENT_RECORD key{};
  key.bKeyDown = TRUE;
  key.wRepeatCount = 1;
  key.uChar.UnicodeChar = character;
  if (character == L'\r')
    key.wVirtualKeyCode = VK_RETURN;
  return key;
}

// Types `text` back into the console, ahead of any key pressed since: each
// character a key press and its release. Enter gives CR LF when read back,
// so the LF after a CR is no key.
bool typeIntoConsole(HANDLE console, const std::string& text) {
  std::wstring wide = widen(text);
  std::vector<INPUT_RECORD> records;
  for (std::size_t at = 0; at < wide.size(); ++at) {
    if (wide[at] == L'\n' && at > 0 && wide[at - 1] == L'\r')
      continue;
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent = keyFor(wide[at]);
    records.push_back(record);
    record.Event.KeyEvent.bKeyDown = FALSE;
    records.push_back(record);
  }
  DWORD waiting = 0;
  if (GetNumberOfConsoleInputEvents(console, &waiting) && waiting > 0) {
    std::vector<INPUT_RECORD> later(waiting);
    DWORD taken = 0;
    if (ReadConsoleInputW(console, later.data(), waiting, &taken))
      records.insert(records.end(), later.begin(), later.begin() + taken);
  }
  DWORD written = 0;
  return WriteConsoleInputW(console, records.data(), static_cast<DWORD>(records.size()), &written);
}

bool rewind(HANDLE file, std::size_t count) {
  LARGE_INTEGER distance{};
  distance.QuadPart = -static_cast<LONGLONG>(count);
  return SetFilePointerEx(file, distance, nullptr, FILE_CURRENT) != 0;
}

// What the relay thread needs: it owns this and frees it at its end.
struct Relay {
  std::string pending;
  HANDLE source;
  HANDLE sink;
};

// Feeds the pending bytes, then everything the source still yields, to the
// sink; ends when either side closes, or with this process.
DWORD WINAPI relayInput(void* parameter) {
  Relay* relay = static_cast<Relay*>(parameter);
  if (writeAllToHandle(relay->sink, relay->pending.data(), relay->pending.size())) {
    char block[4096];
    DWORD got = 0;
    while (ReadFile(relay->source, block, sizeof block, &got, nullptr) && got > 0 &&
           writeAllToHandle(relay->sink, block, got)) {
    }
  }
  CloseHandle(relay->sink);
  delete relay;
  return 0;
}

// A pipe that yields `pending` and then the rest of `source`, fed by a
// thread of this process; nothing when no pipe or thread could be made.
HANDLE relayedInput(HANDLE source, const std::string& pending) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
    return nullptr;
  // The new instance must not hold the write end, or it would never see the
  // end of its input.
  SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
  Relay* relay = new Relay{pending, source, writeEnd};
  HANDLE thread = CreateThread(nullptr, 0, relayInput, relay, 0, nullptr);
  if (!thread) {
    delete relay;
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    return nullptr;
  }
  CloseHandle(thread);
  return readEnd;
}

// A handle the new instance inherits that refers to what `handle` refers to.
HANDLE inheritableCopy(HANDLE handle) {
  HANDLE copy = nullptr;
  HANDLE self = GetCurrentProcess();
  if (!handle || handle == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(self, handle, self, &copy, 0, TRUE, DUPLICATE_SAME_ACCESS))
    return nullptr;
  return copy;
}

// The new instance's standard input: this one's own, made to yield `unread`
// first.
HANDLE inputFor(HANDLE input, const std::string& unread) {
  if (unread.empty())
    return inheritableCopy(input);
  if (isConsole(input)) {
    typeIntoConsole(input, unread);
    return inheritableCopy(input);
  }
  if (GetFileType(input) == FILE_TYPE_DISK && rewind(input, unread.size()))
    return inheritableCopy(input);
  return relayedInput(input, unread);
}

}  // namespace

std::optional<unsigned long> runFreshInstance(const std::wstring& program,
                                              const std::string& unread) {
  HANDLE input = inputFor(GetStdHandle(STD_INPUT_HANDLE), unread);
  HANDLE output = inheritableCopy(GetStdHandle(STD_OUTPUT_HANDLE));
  HANDLE error = inheritableCopy(GetStdHandle(STD_ERROR_HANDLE));

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = error;
  std::wstring commandLine = L"\"" + program + L"\"";
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                nullptr, nullptr, &startup, &process);
  for (HANDLE handle : {input, output, error}) {
    if (handle)
      CloseHandle(handle);
  }
  if (!started)
    return std::nullopt;
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  return status;
}
