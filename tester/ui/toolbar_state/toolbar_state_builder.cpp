#include "toolbar_state_builder.h"

#include <ocidl.h>
#include <oleauto.h>

#include "MzDeck2_h.h"
#include "com_ptr.h"
#include "deck_builder_win32.h"
#include "tool_icons_win32.h"

namespace quarrow::ui {
namespace {

using mz::com::ComPtr;

using mz::client::kSeparatorId;
using mz::client::MenuEntry;
using mz::client::Placement;
using mz::client::ToolbarEntry;
using mz::client::ToolEntry;

// The tools of the control, in the order of its Tools collection.
constexpr ToolEntry kTools[] = {
    {L"ID_Browse", mzTypeButton, L"&Browse", L"Browse for folder"},
    {L"ID_Open", mzTypeButton, L"&Open", L"Open log"},
    {L"ID_Purge", mzTypeButton, L"&Purge", L"Purge log"},
    // Renaming bad zips is on until the user turns it off.
    {L"ID_Bad", mzTypeStateButton, L"Rename bad zips", nullptr, true},
    {L"ID_Exit", mzTypeButton, L"E&xit", nullptr},
    {L"ID_Contents", mzTypeButton, L"&Contents", nullptr},
    {L"ID_Web", mzTypeButton, L"&Web", L"Visit my web page"},
    {L"ID_Email", mzTypeButton, L"&Email", L"Mail the Quarrow team"},
    {L"ID_About", mzTypeButton, L"&About", nullptr},
    {L"ID_mnuFile", mzTypeMenu, L"&File", nullptr},
    {L"ID_Help", mzTypeMenu, L"&Help", nullptr},
};

constexpr Placement kStandardToolbar[] = {
    {L"ID_Browse"}, {kSeparatorId}, {L"ID_Open"},  {L"ID_Purge"}, {kSeparatorId}, {L"ID_Contents"},
    {L"ID_Web"},    {L"ID_Email"},  {L"ID_About"}, {kSeparatorId}, {L"ID_Exit"},
};

// The toolbar's tools show pictures; the menus show captions.
using mz::client::Icon;
constexpr mz::client::ToolIcon kIcons[] = {
    {L"ID_Browse", Icon::folder}, {L"ID_Open", Icon::log},   {L"ID_Purge", Icon::purge},
    {L"ID_Contents", Icon::book}, {L"ID_Web", Icon::globe},  {L"ID_Email", Icon::envelope},
    {L"ID_About", Icon::about},   {L"ID_Exit", Icon::exit},
};

constexpr Placement kFileMenu[] = {
    {L"ID_Browse"}, {kSeparatorId}, {L"ID_Open", L"&Open log"}, {L"ID_Purge", L"&Purge log"},
    {kSeparatorId}, {L"ID_Bad"},    {kSeparatorId},             {L"ID_Exit"},
};

constexpr Placement kHelpMenu[] = {
    {L"ID_Contents"}, {kSeparatorId}, {L"ID_Email"}, {L"ID_Web"}, {kSeparatorId}, {L"ID_About"},
};

constexpr Placement kMenuBar[] = {{L"ID_mnuFile"}, {L"ID_Help"}};

constexpr MenuEntry kMenus[] = {{L"ID_mnuFile", kFileMenu}, {L"ID_Help", kHelpMenu}};

// "Standard" is item 1 of ToolBars, which the window reads for its docking;
// the menu bar sits above it in the top dock area.
constexpr ToolbarEntry kToolbars[] = {
    {L"Standard", mzStandard, mzDockedTop, 2, kStandardToolbar},
    {L"Menu Bar", mzMenuBar, mzDockedTop, 1, kMenuBar},
};

// What the stream holds, from its start to its current position.
HRESULT stream_bytes(IStream* stream, std::vector<std::uint8_t>& bytes) {
  ULARGE_INTEGER end{};
  HRESULT hr = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end);
  if (FAILED(hr)) return hr;
  HGLOBAL memory = nullptr;
  hr = GetHGlobalFromStream(stream, &memory);
  if (FAILED(hr)) return hr;
  const auto* data = static_cast<const std::uint8_t*>(GlobalLock(memory));
  if (!data && end.QuadPart != 0) return E_OUTOFMEMORY;
  bytes.assign(data, data + end.QuadPart);
  GlobalUnlock(memory);
  return S_OK;
}

}  // namespace

ToolbarState build_toolbar_state(IUnknown* control) {
  ToolbarState state;
  // Records a failed step; true when the step succeeded.
  auto check = [&state](HRESULT hr, const wchar_t* step) {
    if (SUCCEEDED(hr)) return true;
    state.hr = hr;
    state.failed_step = step;
    return false;
  };
  if (!control) {
    check(E_POINTER, L"control");
    return state;
  }
  ComPtr<IPersistStreamInit> persist;
  if (!check(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(persist.put())),
             L"IPersistStreamInit"))
    return state;
  ComPtr<IMzToolBarControl> deck;
  if (!check(control->QueryInterface(IID_IMzToolBarControl, reinterpret_cast<void**>(deck.put())),
             L"IMzToolBarControl"))
    return state;
  if (!check(persist->InitNew(), L"InitNew")) return state;
  const mz::client::BuildResult built = mz::client::build_deck(deck.get(), {kTools, kMenus, kToolbars});
  if (!built.ok()) {
    state.hr = built.hr;
    state.failed_step = built.failed_step;
    return state;
  }
  if (!check(mz::client::give_icons(deck.get(), kIcons), L"pictures")) return state;

  ComPtr<IStream> stream;
  if (!check(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), L"memory stream")) return state;
  if (!check(persist->Save(stream.get(), TRUE), L"Save")) return state;
  if (!check(stream_bytes(stream.get(), state.bytes), L"reading the saved bytes")) return state;
  state.hr = S_OK;
  return state;
}

}  // namespace quarrow::ui
