#pragma once
#include <windows.h>
#include <ole2.h>

namespace mz::com {

// How containers treat the control: it wants its client site before it is
// initialised, is active whenever visible, and is invisible at run time,
// since at run time it draws into its host window rather than its own.
constexpr DWORD kMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
                              OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INVISIBLEATRUNTIME;

}  // namespace mz::com
