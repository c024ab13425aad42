#include "toolbar_state_builder.h"

#include <ocidl.h>
#include <oleauto.h>

#include <span>
#include <utility>

#include "MzDeck2_h.h"
#include "com_ptr.h"
#include "variant_win32.h"

namespace quarrow::ui {
namespace {

using mz::client::Variant;
using mz::com::ComPtr;

struct ToolEntry {
  const wchar_t* id;
  Constants_Type type;
  const wchar_t* caption;
  const wchar_t* tooltip;  // null: the tool keeps the empty default
  bool checked = false;    // a state button that starts checked
};

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

// The control's reserved ID of separators.
constexpr const wchar_t* kSeparator = L"separator";

struct Placement {
  const wchar_t* id;
  const wchar_t* caption = nullptr;  // null: the tool's own caption
};

constexpr Placement kStandardToolbar[] = {
    {L"ID_Browse"}, {kSeparator},  {L"ID_Open"},  {L"ID_Purge"}, {kSeparator}, {L"ID_Contents"},
    {L"ID_Web"},    {L"ID_Email"}, {L"ID_About"}, {kSeparator},  {L"ID_Exit"},
};

constexpr Placement kFileMenu[] = {
    {L"ID_Browse"}, {kSeparator}, {L"ID_Open", L"&Open log"}, {L"ID_Purge", L"&Purge log"},
    {kSeparator},   {L"ID_Bad"},  {kSeparator},               {L"ID_Exit"},
};

constexpr Placement kHelpMenu[] = {
    {L"ID_Contents"}, {kSeparator}, {L"ID_Email"}, {L"ID_Web"}, {kSeparator}, {L"ID_About"},
};

constexpr Placement kMenuBar[] = {{L"ID_mnuFile"}, {L"ID_Help"}};

bool is_separator(const Placement& placement) { return placement.id == kSeparator; }

class Bstr {
 public:
  explicit Bstr(const wchar_t* text) : text_(SysAllocString(text)) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(text_); }
  BSTR get() const { return text_; }

 private:
  BSTR text_;
};

// The Type and Index arguments of the collections' Add methods.
Variant number(long value) { return Variant(static_cast<int32_t>(value)); }

class Builder {
 public:
  explicit Builder(ToolbarState& state) : state_(state) {}

  // Records the first failure; later steps are not attempted.
  bool check(HRESULT hr, std::wstring step) {
    if (SUCCEEDED(hr)) return true;
    state_.hr = hr;
    state_.failed_step = std::move(step);
    return false;
  }

  bool add_tools(IMzToolBarControl* control) {
    ComPtr<IMzToolsCollection> tools;
    if (!check(control->get_Tools(tools.put()), L"Tools")) return false;
    for (const ToolEntry& entry : kTools) {
      const std::wstring what = std::wstring(L"tool ") + entry.id;
      ComPtr<IMzTool> tool;
      Bstr id(entry.id);
      if (!check(tools->Add(id.get(), *number(entry.type), *Variant::missing(), tool.put()), what + L": Tools.Add"))
        return false;
      Bstr caption(entry.caption);
      if (!check(tool->put_Name(caption.get()), what + L": Name")) return false;
      if (entry.tooltip) {
        Bstr tooltip(entry.tooltip);
        if (!check(tool->put_ToolTipText(tooltip.get()), what + L": ToolTipText")) return false;
      }
      if (entry.checked && !check(tool->put_State(mzChecked), what + L": State")) return false;
    }
    return true;
  }

  // Places the entries into a toolbar's or a menu's tools, in order. A
  // separator can only go in front of a tool that is already there, so the
  // tools are placed first and the separators then inserted, from the left,
  // at their final positions.
  bool place(IMzToolsCollection* list, std::span<const Placement> entries, const std::wstring& where) {
    for (const Placement& entry : entries) {
      if (is_separator(entry)) continue;
      const std::wstring what = where + L": " + entry.id;
      ComPtr<IMzTool> placed;
      Bstr id(entry.id);
      if (!check(list->Add(id.get(), *Variant::missing(), *Variant::missing(), placed.put()), what + L": Tools.Add"))
        return false;
      if (entry.caption) {
        // Name on a placed tool is the placement's own caption; the tool and
        // its other placements keep theirs.
        Bstr caption(entry.caption);
        if (!check(placed->put_Name(caption.get()), what + L": Name")) return false;
      }
    }
    for (size_t pos = 0; pos < entries.size(); ++pos) {
      if (!is_separator(entries[pos])) continue;
      ComPtr<IMzTool> placed;
      Bstr id(kSeparator);
      const long index = static_cast<long>(pos) + 1;
      if (!check(list->Add(id.get(), *number(mzTypeSeparator), *number(index), placed.put()),
                 where + L": separator " + std::to_wstring(index)))
        return false;
    }
    return true;
  }

  bool fill_menu(IMzToolBarControl* control, const wchar_t* menu_id, std::span<const Placement> entries) {
    const std::wstring where = std::wstring(L"menu ") + menu_id;
    ComPtr<IMzToolsCollection> tools;
    if (!check(control->get_Tools(tools.put()), L"Tools")) return false;
    ComPtr<IMzTool> tool;
    if (!check(tools->get_Item(*Variant(menu_id), tool.put()), where + L": Tools.Item")) return false;
    ComPtr<IMzMenu> menu;
    if (!check(tool->get_Menu(menu.put()), where + L": Menu")) return false;
    ComPtr<IMzToolsCollection> items;
    if (!check(menu->get_Tools(items.put()), where + L": Menu.Tools")) return false;
    return place(items.get(), entries, where);
  }

  bool add_toolbar(IMzToolBarsCollection* toolbars, const wchar_t* name, Constants_ToolBarStyle style, short row,
                   std::span<const Placement> entries) {
    const std::wstring where = std::wstring(L"toolbar ") + name;
    ComPtr<IMzToolBar> toolbar;
    if (!check(toolbars->Add(*Variant(name), *number(style), toolbar.put()), where + L": ToolBars.Add")) return false;
    if (!check(toolbar->put_DockedStatus(mzDockedTop), where + L": DockedStatus")) return false;
    if (!check(toolbar->put_DockedRow(row), where + L": DockedRow")) return false;
    ComPtr<IMzToolsCollection> tools;
    if (!check(toolbar->get_Tools(tools.put()), where + L": Tools")) return false;
    return place(tools.get(), entries, where);
  }

  bool build(IMzToolBarControl* control) {
    if (!add_tools(control)) return false;
    if (!fill_menu(control, L"ID_mnuFile", kFileMenu)) return false;
    if (!fill_menu(control, L"ID_Help", kHelpMenu)) return false;
    ComPtr<IMzToolBarsCollection> toolbars;
    if (!check(control->get_ToolBars(toolbars.put()), L"ToolBars")) return false;
    // "Standard" is item 1 of ToolBars, which the window reads for its
    // docking; the menu bar sits above it in the top dock area.
    return add_toolbar(toolbars.get(), L"Standard", mzStandard, 2, kStandardToolbar) &&
           add_toolbar(toolbars.get(), L"Menu Bar", mzMenuBar, 1, kMenuBar);
  }

 private:
  ToolbarState& state_;
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
  Builder builder(state);
  if (!control) {
    builder.check(E_POINTER, L"control");
    return state;
  }
  ComPtr<IPersistStreamInit> persist;
  if (!builder.check(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(persist.put())),
                     L"IPersistStreamInit"))
    return state;
  ComPtr<IMzToolBarControl> deck;
  if (!builder.check(control->QueryInterface(IID_IMzToolBarControl, reinterpret_cast<void**>(deck.put())),
                     L"IMzToolBarControl"))
    return state;
  if (!builder.check(persist->InitNew(), L"InitNew")) return state;
  if (!builder.build(deck.get())) return state;

  ComPtr<IStream> stream;
  if (!builder.check(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), L"memory stream")) return state;
  if (!builder.check(persist->Save(stream.get(), TRUE), L"Save")) return state;
  if (!builder.check(stream_bytes(stream.get(), state.bytes), L"reading the saved bytes")) return state;
  state.hr = S_OK;
  return state;
}

}  // namespace quarrow::ui
