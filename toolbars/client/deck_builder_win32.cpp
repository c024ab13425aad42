#include "deck_builder_win32.h"

#include <oleauto.h>

#include <utility>

#include "com_ptr.h"
#include "variant_win32.h"

namespace mz::client {
namespace {

using com::ComPtr;

bool is_separator(const Placement& placement) { return std::wstring_view(placement.id) == kSeparatorId; }

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
  explicit Builder(BuildResult& result) : result_(result) {}

  // Records the first failure; later steps are not attempted.
  bool check(HRESULT hr, std::wstring step) {
    if (SUCCEEDED(hr)) return true;
    result_.hr = hr;
    result_.failed_step = std::move(step);
    return false;
  }

  bool add_tool(IMzToolsCollection* tools, const ToolEntry& entry) {
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
    if (entry.ctl_width && !check(tool->put_CtlWidth(entry.ctl_width), what + L": CtlWidth")) return false;
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
      Bstr id(kSeparatorId);
      const long index = static_cast<long>(pos) + 1;
      if (!check(list->Add(id.get(), *number(mzTypeSeparator), *number(index), placed.put()),
                 where + L": separator " + std::to_wstring(index)))
        return false;
    }
    return true;
  }

  bool fill_menu(IMzToolsCollection* tools, const MenuEntry& entry) {
    const std::wstring where = std::wstring(L"menu ") + entry.menu_id;
    ComPtr<IMzTool> tool;
    if (!check(tools->get_Item(*Variant(entry.menu_id), tool.put()), where + L": Tools.Item")) return false;
    ComPtr<IMzMenu> menu;
    if (!check(tool->get_Menu(menu.put()), where + L": Menu")) return false;
    ComPtr<IMzToolsCollection> items;
    if (!check(menu->get_Tools(items.put()), where + L": Menu.Tools")) return false;
    return place(items.get(), entry.items, where);
  }

  bool add_toolbar(IMzToolBarsCollection* toolbars, const ToolbarEntry& entry) {
    const std::wstring where = std::wstring(L"toolbar ") + entry.name;
    ComPtr<IMzToolBar> toolbar;
    if (!check(toolbars->Add(*Variant(entry.name), *number(entry.style), toolbar.put()), where + L": ToolBars.Add"))
      return false;
    if (!check(toolbar->put_DockedStatus(entry.dock), where + L": DockedStatus")) return false;
    if (!check(toolbar->put_DockedRow(entry.row), where + L": DockedRow")) return false;
    ComPtr<IMzToolsCollection> tools;
    if (!check(toolbar->get_Tools(tools.put()), where + L": Tools")) return false;
    return place(tools.get(), entry.tools, where);
  }

  bool build(IMzToolBarControl* control, const DeckPlan& plan) {
    ComPtr<IMzToolsCollection> tools;
    if (!check(control->get_Tools(tools.put()), L"Tools")) return false;
    for (const ToolEntry& entry : plan.tools)
      if (!add_tool(tools.get(), entry)) return false;
    for (const MenuEntry& entry : plan.menus)
      if (!fill_menu(tools.get(), entry)) return false;
    ComPtr<IMzToolBarsCollection> toolbars;
    if (!check(control->get_ToolBars(toolbars.put()), L"ToolBars")) return false;
    for (const ToolbarEntry& entry : plan.toolbars)
      if (!add_toolbar(toolbars.get(), entry)) return false;
    return true;
  }

 private:
  BuildResult& result_;
};

}  // namespace

BuildResult build_deck(IMzToolBarControl* control, const DeckPlan& plan) {
  BuildResult result;
  Builder builder(result);
  if (!control) {
    builder.check(E_POINTER, L"control");
    return result;
  }
  builder.build(control, plan);
  return result;
}

}  // namespace mz::client
