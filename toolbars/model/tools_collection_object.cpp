#include "tools_collection_object.h"

#include <new>

#include "enum_variant.h"
#include "own_object.h"
#include "tag_value.h"
#include "text.h"
#include "text_case.h"
#include "variant_args.h"

namespace mz::com {

ComPtr<IMzToolsCollection> ToolsCollectionObject::create(ControlObject& control, PlacedListOwner owner) {
  return ComPtr<IMzToolsCollection>::adopt(new (std::nothrow) ToolsCollectionObject(control, std::move(owner)));
}

ToolsCollectionObject::ToolsCollectionObject(ControlObject& control, PlacedListOwner owner)
    : AutomationObject(L"ToolDeck.MzTools"), control_(&control), owner_(std::move(owner)) {}

PlacedToolList* ToolsCollectionObject::placed_list() const {
  if (owner_.toolbar) return &owner_.toolbar->tools;
  return owner_.menu_tool ? owner_.menu_tool->menu() : nullptr;
}

size_t ToolsCollectionObject::count() const {
  if (is_control_tools()) return control_->deck().tools().size();
  const PlacedToolList* list = placed_list();
  return list ? list->size() : 0;
}

ToolRef ToolsCollectionObject::item_at(size_t pos) const {
  if (is_control_tools()) return {control_->deck().tools().at(pos), nullptr};
  return {nullptr, placed_list()->at(pos)};
}

std::optional<ToolRef> ToolsCollectionObject::find(const VARIANT& index) const {
  const Deck& deck = control_->deck();
  const PlacedToolList* list = placed_list();
  if (auto id = string_argument(index)) {
    if (is_control_tools()) {
      // The hashed index answers without walking the collection.
      if (auto tool = deck.tools().find(*id)) return ToolRef{tool, nullptr};
      return std::nullopt;
    }
    long pos = list ? list->position_of_id(*id) : -1;
    return pos < 0 ? std::nullopt : std::optional<ToolRef>(item_at(static_cast<size_t>(pos)));
  }
  if (auto object = object_argument(index)) {
    auto own = own_object(object.get());
    if (!own || own->owner() != control_.get() || !own->tool_ref()) return std::nullopt;
    const ToolRef& ref = *own->tool_ref();
    const bool here = is_control_tools() ? !ref.is_placed() && ref.tool->in_collection
                                         : ref.is_placed() && list && ref.placed->owner == list;
    return here ? std::optional<ToolRef>(ref) : std::nullopt;
  }
  auto position = int32_argument(index);
  if (!position || *position < 1 || static_cast<size_t>(*position) > count()) return std::nullopt;
  return item_at(static_cast<size_t>(*position - 1));
}

HRESULT ToolsCollectionObject::get__NewEnum(IUnknown** value) {
  return guarded([&]() -> HRESULT {
    std::vector<Variant> items;
    for (size_t i = 0; i < count(); ++i) {
      Variant item;
      V_VT(item.get()) = VT_DISPATCH;
      V_DISPATCH(item.get()) = control_->tool_object(item_at(i)).detach();
      items.push_back(item);
    }
    HRESULT hr = enumerate_variants(std::move(items), value);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}

HRESULT ToolsCollectionObject::Add(BSTR id, VARIANT type, VARIANT index, IMzTool** tool) {
  return guarded([&]() -> HRESULT {
    if (!tool) return plain_failure(E_POINTER);
    *tool = nullptr;
    const int32_t tool_type = is_missing(type) ? 0 : int32_argument(type).value_or(0);
    const long position = is_missing(index) ? -1 : int32_argument(index).value_or(-1);
    Deck& deck = control_->deck();
    ToolRef added;
    if (is_control_tools()) {
      auto result = deck.add_tool(from_bstr(id), tool_type, position);
      if (!result.ok()) return fail(result.error());
      added.tool = result.value();
    } else {
      PlacedToolList* list = placed_list();
      if (!list) return fail(ErrorCode::cannot_perform);
      auto result = deck.add_placed(*list, from_bstr(id), tool_type, position);
      if (!result.ok()) return fail(result.error());
      added.placed = result.value();
    }
    *tool = control_->tool_object(added).detach();
    return *tool ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

HRESULT ToolsCollectionObject::get_Count(LONG* value) {
  return guarded([&]() -> HRESULT { return give(value, count()); });
}

HRESULT ToolsCollectionObject::Clear() {
  return guarded([&]() -> HRESULT {
    Deck& deck = control_->deck();
    if (is_control_tools()) {
      deck.clear_tools();
      return S_OK;
    }
    PlacedToolList* list = placed_list();
    if (!list || !deck.is_live(*list)) return fail(ErrorCode::cannot_perform);
    deck.clear_placed(*list);
    return S_OK;
  });
}

HRESULT ToolsCollectionObject::get_Item(VARIANT index, IMzTool** tool) {
  return guarded([&]() -> HRESULT {
    if (!tool) return plain_failure(E_POINTER);
    *tool = nullptr;
    auto found = find(index);
    if (!found) return fail(ErrorCode::invalid_index);
    *tool = control_->tool_object(*found).detach();
    return *tool ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

HRESULT ToolsCollectionObject::Remove(VARIANT index) {
  return guarded([&]() -> HRESULT {
    auto found = find(index);
    if (!found) return fail(ErrorCode::invalid_index);
    Deck& deck = control_->deck();
    if (is_control_tools()) {
      deck.remove_tool(found->tool);
      return S_OK;
    }
    PlacedToolList* list = placed_list();
    if (!deck.is_live(*list)) return fail(ErrorCode::cannot_perform);
    deck.remove_placed(*list, static_cast<size_t>(list->position_of(found->placed.get())));
    return S_OK;
  });
}

}  // namespace mz::com
