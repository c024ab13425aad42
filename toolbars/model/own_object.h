#pragma once
// Lets the control recognise its own tool and toolbar objects among the
// objects a host passes in (Tools.Remove(tool), PopupMenu(tool)). Answered by
// QueryInterface with kIidOwnObject; not part of the type library.
#include <windows.h>

#include <memory>

#include "com_ptr.h"
#include "deck.h"

namespace mz::com {

class ControlObject;

// {C3ED50E1-AFA9-4696-B3CF-665C4AA0F2CB}
inline constexpr IID kIidOwnObject = {0xc3ed50e1, 0xafa9, 0x4696, {0xb3, 0xcf, 0x66, 0x5c, 0x4a, 0xa0, 0xf2, 0xcb}};

class OwnObject : public IUnknown {
 public:
  virtual const ControlObject* owner() const = 0;
  // The tool this object stands for, or null.
  virtual const ToolRef* tool_ref() const = 0;
  // The toolbar this object stands for, or null.
  virtual std::shared_ptr<Toolbar> toolbar() const = 0;
};

inline ComPtr<OwnObject> own_object(IUnknown* object) {
  ComPtr<OwnObject> own;
  if (object) object->QueryInterface(kIidOwnObject, reinterpret_cast<void**>(own.put()));
  return own;
}

}  // namespace mz::com
