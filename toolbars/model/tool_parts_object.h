#pragma once
// The combo-box, edit and menu data of a tool (MzComboBox, MzEdit, MzMenu).
// Each refers to its tool and checks on every call that the tool still has
// that type, since the host may change the type while it holds the object.
#include <memory>

#include "MzDeck2_h.h"
#include "automation_object.h"
#include "combo_box.h"
#include "control_object.h"

namespace mz::com {

class ComboBoxObject final : public AutomationObject<IMzComboBox> {
 public:
  // ref is the tool object the host asked, named by ToolChange.
  static ComPtr<IMzComboBox> create(ControlObject& control, const ToolRef& ref, std::shared_ptr<Tool> tool);

  HRESULT STDMETHODCALLTYPE get_ItemData(short index, VARIANT *value) override;
  HRESULT STDMETHODCALLTYPE put_ItemData(short index, VARIANT value) override;
  HRESULT STDMETHODCALLTYPE putref_ItemData(short index, VARIANT value) override;
  HRESULT STDMETHODCALLTYPE get_List(short index, BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_List(short index, BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_ListCount(short *value) override;
  HRESULT STDMETHODCALLTYPE get_ListIndex(short *value) override;
  HRESULT STDMETHODCALLTYPE put_ListIndex(short value) override;
  HRESULT STDMETHODCALLTYPE get_Locked(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_Locked(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_NewIndex(short *value) override;
  HRESULT STDMETHODCALLTYPE get_Sorted(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_Sorted(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Style(Constants_ComboStyle *value) override;
  HRESULT STDMETHODCALLTYPE put_Style(Constants_ComboStyle value) override;
  HRESULT STDMETHODCALLTYPE get_Text(BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_Text(BSTR value) override;
  HRESULT STDMETHODCALLTYPE AddItem(BSTR item, VARIANT index) override;
  HRESULT STDMETHODCALLTYPE Clear() override;
  HRESULT STDMETHODCALLTYPE RemoveItem(short index) override;

 private:
  ComboBoxObject(ControlObject& control, const ToolRef& ref, std::shared_ptr<Tool> tool);
  ComboData* data() const { return tool_->combo(); }
  ComboContext context() const;
  HRESULT changed(ErrorCode code);

  ComPtr<ControlObject> control_;
  ToolRef ref_;
  std::shared_ptr<Tool> tool_;
};

class EditObject final : public AutomationObject<IMzEdit> {
 public:
  static ComPtr<IMzEdit> create(ControlObject& control, std::shared_ptr<Tool> tool);

  HRESULT STDMETHODCALLTYPE get_Locked(VARIANT_BOOL *value) override;
  HRESULT STDMETHODCALLTYPE put_Locked(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_MaxLength(short *value) override;
  HRESULT STDMETHODCALLTYPE put_MaxLength(short value) override;
  HRESULT STDMETHODCALLTYPE get_Text(BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_Text(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_PasswordChar(BSTR *value) override;
  HRESULT STDMETHODCALLTYPE put_PasswordChar(BSTR value) override;

 private:
  EditObject(ControlObject& control, std::shared_ptr<Tool> tool);
  EditData* data() const { return tool_->edit(); }

  ComPtr<ControlObject> control_;
  std::shared_ptr<Tool> tool_;
};

class MenuObject final : public AutomationObject<IMzMenu> {
 public:
  static ComPtr<IMzMenu> create(ControlObject& control, std::shared_ptr<Tool> tool);

  HRESULT STDMETHODCALLTYPE get_Tools(IMzToolsCollection** value) override;

 private:
  MenuObject(ControlObject& control, std::shared_ptr<Tool> tool);

  ComPtr<ControlObject> control_;
  std::shared_ptr<Tool> tool_;
};

}  // namespace mz::com
