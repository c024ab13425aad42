#pragma once
// A small owning pointer to a COM interface.
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace mz::com {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference to p.
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ~ComPtr() { reset(); }
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }

  // Takes over a reference the caller already owns.
  static ComPtr adopt(T* p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // The address to receive an out-parameter; any current reference is released.
  T** put() {
    reset();
    return &p_;
  }
  T* detach() { return std::exchange(p_, nullptr); }
  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }

  template <class U>
  ComPtr<U> query() const {
    ComPtr<U> out;
    if (p_) p_->QueryInterface(__uuidof(U), reinterpret_cast<void**>(out.put()));
    return out;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace mz::com
