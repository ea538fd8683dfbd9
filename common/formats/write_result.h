#pragma once

#include <optional>
#include <string>
#include <utility>

namespace formats {

// Why a writer refused its input; nothing was written.
struct WriteError {
  std::string message;
};

// The outcome of a writer: a complete value, or the reason it could not be produced. Writers
// never hand out a partly written buffer.
template <typename T>
class WriteResult {
 public:
  // Implicit both ways, so that a writer returns either its value or Refuse(...).
  WriteResult(T value) : value_(std::move(value)) {}
  WriteResult(WriteError error) : error_(std::move(error.message)) {}

  explicit operator bool() const { return value_.has_value(); }
  const T& operator*() const& { return *value_; }
  T&& operator*() && { return std::move(*value_); }
  const T* operator->() const { return &*value_; }
  // Empty when the writer succeeded.
  const std::string& error() const { return error_; }

 private:
  std::optional<T> value_;
  std::string error_;
};

inline WriteError Refuse(std::string message) {
  return WriteError{std::move(message)};
}

}  // namespace formats
