#pragma once
// The enumerator behind _NewEnum: it walks a copy of a collection's items
// taken when the enumeration starts.
#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "variant_args.h"

namespace mz::com {

HRESULT enumerate_variants(std::vector<Variant> items, IUnknown** out);

}  // namespace mz::com
