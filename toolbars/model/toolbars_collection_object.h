#pragma once
// MzToolBars: the control's toolbars, behind IMzToolBarsCollection.
#include "MzDeck2_h.h"
#include "automation_object.h"
#include "control_object.h"

namespace mz::com {

class ToolbarsCollectionObject final : public AutomationObject<IMzToolBarsCollection> {
 public:
  static ComPtr<IMzToolBarsCollection> create(ControlObject& control);

  HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** value) override;
  HRESULT STDMETHODCALLTYPE Add(VARIANT name, VARIANT style, IMzToolBar** toolbar) override;
  HRESULT STDMETHODCALLTYPE get_Count(LONG* value) override;
  HRESULT STDMETHODCALLTYPE Clear() override;
  HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, IMzToolBar** toolbar) override;
  HRESULT STDMETHODCALLTYPE Remove(VARIANT index) override;

 private:
  explicit ToolbarsCollectionObject(ControlObject& control);
  // The toolbar an Item or Remove argument names, or the error for it.
  Outcome<std::shared_ptr<Toolbar>> find(const VARIANT& index) const;

  ComPtr<ControlObject> control_;
};

}  // namespace mz::com
