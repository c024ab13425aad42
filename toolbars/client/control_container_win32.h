#pragma once
// A form holding one toolbar control, as a host program does: it creates
// the control, sites it (client site, in-place site, control site and the
// ambient properties: run mode, the form's font, twips), fills it from a
// saved stream or new, activates it in place in the form's window and hands
// the control's events to the program.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "MzDeck2_h.h"
#include "com_ptr.h"

namespace mz::client {

// Receives every event of the control: its dispatch id and its arguments,
// last argument first as they arrive.
class ControlEvents {
 public:
  virtual void on_event(DISPID event, DISPPARAMS& arguments) = 0;

 protected:
  ~ControlEvents() = default;
};

class ControlContainer {
 public:
  ControlContainer(HWND form, IFontDisp* font, ControlEvents& events);
  ControlContainer(const ControlContainer&) = delete;
  ControlContainer& operator=(const ControlContainer&) = delete;
  ~ControlContainer();

  // Creates the control as registered, else from the library at
  // `library_path`, fills it from `state` (its saved stream; null for a new
  // control), activates it and connects its events. Returns the failure of
  // the first step that failed; REGDB_E_CLASSNOTREG when it cannot be made.
  HRESULT create(const std::wstring& library_path, IStream* state);
  // Closes the control and lets it go, as a form does when it unloads.
  void destroy();

  IMzToolBarControl* control() const { return control_.get(); }

 private:
  class Site;
  class EventSink;

  HRESULT connect();

  HWND form_;
  Site* site_;
  EventSink* sink_;
  com::ComPtr<IMzToolBarControl> control_;
  com::ComPtr<IConnectionPoint> event_point_;
  DWORD event_cookie_ = 0;
};

}  // namespace mz::client
