#pragma once
// MzTools: the control's Tools, or the placed tools of a toolbar or of a
// menu tool, behind IMzToolsCollection.
#include <memory>
#include <optional>

#include "MzDeck2_h.h"
#include "automation_object.h"
#include "control_object.h"

namespace mz::com {

// Whose placed tools a collection holds; both null for the control's Tools.
struct PlacedListOwner {
  std::shared_ptr<Toolbar> toolbar;
  std::shared_ptr<Tool> menu_tool;
};

class ToolsCollectionObject final : public AutomationObject<IMzToolsCollection> {
 public:
  static ComPtr<IMzToolsCollection> create(ControlObject& control, PlacedListOwner owner);

  HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** value) override;
  HRESULT STDMETHODCALLTYPE Add(BSTR id, VARIANT type, VARIANT index, IMzTool** tool) override;
  HRESULT STDMETHODCALLTYPE get_Count(LONG* value) override;
  HRESULT STDMETHODCALLTYPE Clear() override;
  HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, IMzTool** tool) override;
  HRESULT STDMETHODCALLTYPE Remove(VARIANT index) override;

 private:
  ToolsCollectionObject(ControlObject& control, PlacedListOwner owner);
  bool is_control_tools() const { return !owner_.toolbar && !owner_.menu_tool; }
  // The placed tools, or null when a menu tool has since changed its type.
  PlacedToolList* placed_list() const;
  size_t count() const;
  ToolRef item_at(size_t pos) const;
  // The item an Item or Remove argument names: an ID, the object itself or a
  // 1-based position.
  std::optional<ToolRef> find(const VARIANT& index) const;

  ComPtr<ControlObject> control_;
  PlacedListOwner owner_;
};

}  // namespace mz::com
