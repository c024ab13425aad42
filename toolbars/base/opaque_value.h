#pragma once
// A value the model stores for the host without looking into it: tag values,
// combo-box item data and pictures are platform objects that the COM layer
// wraps in an OpaqueValue. Copies of a model object copy these values too.
#include <memory>

namespace mz {

class OpaqueValue {
 public:
  virtual ~OpaqueValue() = default;
  virtual std::unique_ptr<OpaqueValue> clone() const = 0;
};

class Opaque {
 public:
  Opaque() = default;
  explicit Opaque(std::unique_ptr<OpaqueValue> value) : value_(std::move(value)) {}
  Opaque(const Opaque& other) : value_(other.value_ ? other.value_->clone() : nullptr) {}
  Opaque(Opaque&&) noexcept = default;
  Opaque& operator=(const Opaque& other) {
    if (this != &other) value_ = other.value_ ? other.value_->clone() : nullptr;
    return *this;
  }
  Opaque& operator=(Opaque&&) noexcept = default;

  bool empty() const { return value_ == nullptr; }
  const OpaqueValue* get() const { return value_.get(); }
  void reset() { value_.reset(); }

 private:
  std::unique_ptr<OpaqueValue> value_;
};

}  // namespace mz
