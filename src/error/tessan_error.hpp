// Errors as values: a message with an optional underlying cause, and a result that holds
// either a value or such an error.
#pragma once

#include <cassert>
#include <memory>
#include <string>
#include <utility>
#include <variant>

namespace tessan {

class Error {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  Error(std::string message, Error cause)
      : message_(std::move(message)), cause_(std::make_shared<const Error>(std::move(cause))) {}

  // The outermost message: what is shown or recorded.
  const std::string& message() const { return message_; }
  // The underlying error, or null.
  const Error* cause() const { return cause_.get(); }
  // The whole chain, outermost first, joined by ": ".
  std::string chain() const {
    std::string text = message_;
    for (const Error* e = cause(); e != nullptr; e = e->cause()) text += ": " + e->message();
    return text;
  }
  // A new error with this one attached as its cause.
  Error wrap(std::string message) const& { return Error(std::move(message), *this); }
  Error wrap(std::string message) && { return Error(std::move(message), std::move(*this)); }

 private:
  std::string message_;
  std::shared_ptr<const Error> cause_;
};

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT
  Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}  // NOLINT

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { assert(ok()); return std::get<0>(state_); }
  const T& value() const& { assert(ok()); return std::get<0>(state_); }
  T&& value() && { assert(ok()); return std::get<0>(std::move(state_)); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }

  const Error& error() const& { assert(!ok()); return std::get<1>(state_); }
  Error&& error() && { assert(!ok()); return std::get<1>(std::move(state_)); }

 private:
  std::variant<T, Error> state_;
};

// For operations that produce nothing but may fail.
struct Unit {};
using VoidResult = Result<Unit>;

}  // namespace tessan
