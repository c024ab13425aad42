#pragma once
// Gives a field a value for the length of a scope and puts the old value
// back however the scope ends, so that a flag such as "loading" or "inside
// an event" is never left set by an early return or an exception.
#include <utility>

namespace mz {

template <class T>
class ScopedValue {
 public:
  ScopedValue(T& field, T value) : field_(field), was_(std::exchange(field, std::move(value))) {}
  ~ScopedValue() { field_ = std::move(was_); }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

 private:
  T& field_;
  T was_;
};

}  // namespace mz
