#pragma once
// MzToolBar: one toolbar of the control, behind IMzToolBar.
#include <memory>

#include "MzDeck2_h.h"
#include "automation_object.h"
#include "control_object.h"
#include "own_object.h"

namespace mz::com {

class ToolbarObject final : public AutomationObject<IMzToolBar>, public OwnObject {
 public:
  static ComPtr<IMzToolBar> create(ControlObject& control, std::shared_ptr<Toolbar> toolbar);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return AutomationObject::QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AutomationObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return AutomationObject::Release(); }

  const ControlObject* owner() const override { return control_.get(); }
  const ToolRef* tool_ref() const override { return nullptr; }
  std::shared_ptr<Toolbar> toolbar() const override { return toolbar_; }

  HRESULT STDMETHODCALLTYPE get_AllowCustomize(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_AllowCustomize(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_AllowHiding(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_AllowHiding(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_CaptionAlignment(Constants_CaptionAlignment *value) override;
  HRESULT STDMETHODCALLTYPE put_CaptionAlignment(Constants_CaptionAlignment value) override;
  HRESULT STDMETHODCALLTYPE get_DisplayGrabHandles(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_DisplayGrabHandles(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_DisplayMoreToolsButton(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_DisplayMoreToolsButton(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_DockedColumn(short *value) override;
  HRESULT STDMETHODCALLTYPE put_DockedColumn(short value) override;
  HRESULT STDMETHODCALLTYPE get_DockedRow(short *value) override;
  HRESULT STDMETHODCALLTYPE put_DockedRow(short value) override;
  HRESULT STDMETHODCALLTYPE get_DockedStatus(Constants_DockedStatus *value) override;
  HRESULT STDMETHODCALLTYPE put_DockedStatus(Constants_DockedStatus value) override;
  HRESULT STDMETHODCALLTYPE get_DockFlags(LONG *value) override;
  HRESULT STDMETHODCALLTYPE put_DockFlags(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_FloatingHeight(LONG *value) override;
  HRESULT STDMETHODCALLTYPE put_FloatingHeight(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_FloatingLeft(LONG *value) override;
  HRESULT STDMETHODCALLTYPE put_FloatingLeft(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_FloatingTop(LONG *value) override;
  HRESULT STDMETHODCALLTYPE put_FloatingTop(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_FloatingWidth(LONG *value) override;
  HRESULT STDMETHODCALLTYPE put_FloatingWidth(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Font3D(Constants_Font3D *value) override;
  HRESULT STDMETHODCALLTYPE put_Font3D(Constants_Font3D value) override;
  HRESULT STDMETHODCALLTYPE get_Name(BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_Name(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_Stock(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_Stock(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Style(Constants_ToolBarStyle *value) override;
  HRESULT STDMETHODCALLTYPE get_Tools(IMzToolsCollection **value) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_TagVariant(VARIANT *value) override;
  HRESULT STDMETHODCALLTYPE put_TagVariant(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE putref_TagVariant(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE Reset(VARIANT_BOOL lastLoaded = 0) override;

 private:
  ToolbarObject(ControlObject& control, std::shared_ptr<Toolbar> toolbar);
  ~ToolbarObject() override;
  void* other_interface(REFIID iid) override;

  Deck& deck() { return control_->deck(); }
  template <class T, class U>
  HRESULT put_field(T Toolbar::*field, U value, ChangeScope scope);

  ComPtr<ControlObject> control_;
  std::shared_ptr<Toolbar> toolbar_;
};

}  // namespace mz::com
