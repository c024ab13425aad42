#pragma once
// MzTool: a tool of the control's Tools or a placed tool, behind IMzTool.
// Tool-level properties read the tool's value and refuse changes on a placed
// tool; placed-level properties belong to the placement.
#include "MzDeck2_h.h"
#include "automation_object.h"
#include "control_object.h"
#include "own_object.h"

namespace mz::com {

class ToolObject final : public AutomationObject<IMzTool>, public OwnObject {
 public:
  static ComPtr<IMzTool> create(ControlObject& control, const ToolRef& ref);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return AutomationObject::QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AutomationObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return AutomationObject::Release(); }

  const ControlObject* owner() const override { return control_.get(); }
  const ToolRef* tool_ref() const override { return &ref_; }
  std::shared_ptr<Toolbar> toolbar() const override { return nullptr; }

  HRESULT STDMETHODCALLTYPE get_AutoWrap(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_AutoWrap(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Category(BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_Category(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_ComboBox(IMzComboBox **value) override;
  HRESULT STDMETHODCALLTYPE get_CtlWidth(short *value) override;
  HRESULT STDMETHODCALLTYPE put_CtlWidth(short value) override;
  HRESULT STDMETHODCALLTYPE get_Customizable(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_Customizable(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Description(BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_Description(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_Edit(IMzEdit **value) override;
  HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_ForeColor(OLE_COLOR *value) override;
  HRESULT STDMETHODCALLTYPE put_ForeColor(OLE_COLOR value) override;
  HRESULT STDMETHODCALLTYPE get_ForeColorSource(Constants_ForeColorSource *value) override;
  HRESULT STDMETHODCALLTYPE put_ForeColorSource(Constants_ForeColorSource value) override;
  HRESULT STDMETHODCALLTYPE get_Group(BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_Group(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_GroupAllowAllUp(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_GroupAllowAllUp(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Height(short *value) override;
  HRESULT STDMETHODCALLTYPE get_ID(BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_ID(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_Index(short *value) override;
  HRESULT STDMETHODCALLTYPE get_Left(short *value) override;
  HRESULT STDMETHODCALLTYPE get_Menu(IMzMenu **value) override;
  HRESULT STDMETHODCALLTYPE get_MenuVisibility(Constants_MenuVisibility *value) override;
  HRESULT STDMETHODCALLTYPE put_MenuVisibility(Constants_MenuVisibility value) override;
  HRESULT STDMETHODCALLTYPE get_Name(BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_Name(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_PictureSize(short *value) override;
  HRESULT STDMETHODCALLTYPE put_PictureSize(short value) override;
  HRESULT STDMETHODCALLTYPE get_UseMaskColor(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_UseMaskColor(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Picture(IPictureDisp **value) override;
  HRESULT STDMETHODCALLTYPE put_Picture(IPictureDisp *value) override;
  HRESULT STDMETHODCALLTYPE putref_Picture(IPictureDisp *value) override;
  HRESULT STDMETHODCALLTYPE put_PictureBmp(LONG bitmap) override;
  HRESULT STDMETHODCALLTYPE get_PictureDisabled(IPictureDisp **value) override;
  HRESULT STDMETHODCALLTYPE put_PictureDisabled(IPictureDisp *value) override;
  HRESULT STDMETHODCALLTYPE putref_PictureDisabled(IPictureDisp *value) override;
  HRESULT STDMETHODCALLTYPE put_PictureDisabledBmp(LONG bitmap) override;
  HRESULT STDMETHODCALLTYPE get_PictureDown(IPictureDisp **value) override;
  HRESULT STDMETHODCALLTYPE put_PictureDown(IPictureDisp *value) override;
  HRESULT STDMETHODCALLTYPE putref_PictureDown(IPictureDisp *value) override;
  HRESULT STDMETHODCALLTYPE put_PictureDownBmp(LONG bitmap) override;
  HRESULT STDMETHODCALLTYPE get_PictureDownDisabled(IPictureDisp **value) override;
  HRESULT STDMETHODCALLTYPE put_PictureDownDisabled(IPictureDisp *value) override;
  HRESULT STDMETHODCALLTYPE putref_PictureDownDisabled(IPictureDisp *value) override;
  HRESULT STDMETHODCALLTYPE put_PictureDownDisabledBmp(LONG bitmap) override;
  HRESULT STDMETHODCALLTYPE get_RecentlyUsed(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_RecentlyUsed(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Shortcut(Constants_ShortcutKeys *value) override;
  HRESULT STDMETHODCALLTYPE put_Shortcut(Constants_ShortcutKeys value) override;
  HRESULT STDMETHODCALLTYPE get_State(Constants_State *value) override;
  HRESULT STDMETHODCALLTYPE put_State(Constants_State value) override;
  HRESULT STDMETHODCALLTYPE get_DisplayStyle(Constants_DisplayStyle *value) override;
  HRESULT STDMETHODCALLTYPE put_DisplayStyle(Constants_DisplayStyle value) override;
  HRESULT STDMETHODCALLTYPE get_TagVariant(VARIANT *value) override;
  HRESULT STDMETHODCALLTYPE put_TagVariant(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE putref_TagVariant(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE get_ToolTipText(BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_ToolTipText(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_Top(short *value) override;
  HRESULT STDMETHODCALLTYPE get_Type(Constants_Type *value) override;
  HRESULT STDMETHODCALLTYPE put_Type(Constants_Type value) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Width(short *value) override;
  HRESULT STDMETHODCALLTYPE SetFocus() override;
  HRESULT STDMETHODCALLTYPE ChangeAll(Constants_ChangeAll property, VARIANT newValue) override;

 private:
  ToolObject(ControlObject& control, const ToolRef& ref);
  ~ToolObject() override;
  void* other_interface(REFIID iid) override;

  Deck& deck() { return control_->deck(); }
  const Tool& tool() const { return control_->deck().read_tool(ref_); }
  template <class T, class U>
  HRESULT put_tool_field(T Tool::*field, U value, ChangeScope scope);
  HRESULT get_picture(PictureSlot slot, IPictureDisp** value);
  HRESULT put_picture(PictureSlot slot, IPictureDisp* value);
  HRESULT put_picture_bitmap(PictureSlot slot, LONG bitmap);
  HRESULT get_position(int16_t PlacedTool::*field, short* value);

  ComPtr<ControlObject> control_;
  ToolRef ref_;
};

}  // namespace mz::com
