#pragma once
// The main window as the container of its one toolbar control: the control
// loaded from the window's stored state, its ToolClick and ToolBarModified
// events passed to the window, and the few questions the window asks it.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <optional>
#include <string>
#include <string_view>

#include "MzDeck2_h.h"
#include "control_container_win32.h"

namespace quarrow::ui {

// What the window does with the control's events.
class ToolDeckEvents {
 public:
  virtual ~ToolDeckEvents() = default;
  virtual void OnToolClick(const std::wstring& toolId) = 0;
  virtual void OnToolBarModified(int change) = 0;
};

class ToolDeckHost final : private mz::client::ControlEvents {
 public:
  ToolDeckHost(HWND window, IFontDisp* font, ToolDeckEvents& events);
  ToolDeckHost(const ToolDeckHost&) = delete;
  ToolDeckHost& operator=(const ToolDeckHost&) = delete;

  // Creates the control by its class identifier when it is registered, else
  // from MzDeck2.dll in `libraryFolder` through its class factory, and loads
  // it from `state` (the control's saved stream). Returns the failure of the
  // first step that failed.
  HRESULT Create(std::string_view state, const std::string& libraryFolder);
  // Closes the control and lets it go, as a form does when it unloads.
  void Destroy() { container_.destroy(); }

  IMzToolBarControl* Control() const { return container_.control(); }

  HRESULT PopupMenu(const wchar_t* toolId);
  // The check state of a tool in the control's Tools, nullopt when missing.
  std::optional<int> ToolState(const wchar_t* toolId);
  // The docked status of the first toolbar in ToolBars, nullopt when missing.
  std::optional<int> FirstToolbarDock();

 private:
  void on_event(DISPID event, DISPPARAMS& arguments) override;

  ToolDeckEvents& events_;
  mz::client::ControlContainer container_;
};

}  // namespace quarrow::ui
