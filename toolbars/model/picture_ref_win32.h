#pragma once
// Picture references of the model over the platform's picture objects.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "picture_ref.h"

namespace mz::com {

// A reference that keeps the picture object alive; null for a null object.
PictureRef picture_ref(IPictureDisp* picture);
// The picture object behind a reference (borrowed), or null.
IPictureDisp* picture_object(const PictureRef& ref);

}  // namespace mz::com
