// One way for every routine that can fail to say so: a Status is success or a
// failure with its kind and a message saying why, and a Result<T> is a value
// or the Status of why there is none. Callers decide what to tell the user.
#pragma once

#include <string>
#include <utility>
#include <variant>

class [[nodiscard]] Status {
 public:
  // What kind of failure, for callers whose answer depends on it.
  enum class Code {
    ok,
    notFound,   // Nothing by that name.
    wrongKind,  // Something other than a regular file (a directory, a FIFO, a device).
    tooLarge,   // More than the caller allows.
    refused,    // Not allowed: permissions, a planted link, a name that cannot be used.
    ioError,    // The system failed part-way: a read or write error, a full disk.
    invalid,    // The content or the request does not make sense.
  };

  Status() = default;
  static Status ok() { return Status(); }
  static Status failure(Code code, std::string message) {
    return Status(code == Code::ok ? Code::ioError : code, std::move(message));
  }

  bool isOk() const { return code_ == Code::ok; }
  Code code() const { return code_; }
  const std::string& message() const { return message_; }

 private:
  Status(Code code, std::string message) : code_(code), message_(std::move(message)) {}

  Code code_ = Code::ok;
  std::string message_;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : content_(std::move(value)) {}
  // A failed Status; an ok one here is a caller's mistake, kept as a failure.
  Result(Status failure)
      : content_(failure.isOk() ? Status::failure(Status::Code::invalid, "") : std::move(failure)) {
  }

  bool isOk() const { return std::holds_alternative<T>(content_); }
  T& value() { return std::get<T>(content_); }
  const T& value() const { return std::get<T>(content_); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }

  // Success, or the failure.
  Status status() const { return isOk() ? Status::ok() : std::get<Status>(content_); }

 private:
  std::variant<T, Status> content_;
};
