#pragma once
// Ownership of GDI objects a painter creates, and the saving of a device
// context's state around drawing that changes it.
#include <windows.h>

namespace mz::paint {

// A pen, brush, region, font or bitmap deleted when it goes. Declare it
// before any SavedDc that selects it, so the context lets go of it first.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_;
};

// The context's selected objects, colours, modes and clip, put back as they
// were when this goes.
class SavedDc {
 public:
  explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDc(const SavedDc&) = delete;
  SavedDc& operator=(const SavedDc&) = delete;
  ~SavedDc() {
    if (saved_) RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

}  // namespace mz::paint
