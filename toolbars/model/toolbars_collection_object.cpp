#include "toolbars_collection_object.h"

#include <climits>
#include <new>

#include "enum_variant.h"
#include "own_object.h"
#include "tag_value.h"
#include "variant_args.h"

namespace mz::com {

ComPtr<IMzToolBarsCollection> ToolbarsCollectionObject::create(ControlObject& control) {
  return ComPtr<IMzToolBarsCollection>::adopt(new (std::nothrow) ToolbarsCollectionObject(control));
}

ToolbarsCollectionObject::ToolbarsCollectionObject(ControlObject& control)
    : AutomationObject(L"ToolDeck.MzToolBars"), control_(&control) {}

Outcome<std::shared_ptr<Toolbar>> ToolbarsCollectionObject::find(const VARIANT& index) const {
  using Result = Outcome<std::shared_ptr<Toolbar>>;
  const ToolbarCollection& toolbars = control_->deck().toolbars();
  if (auto name = string_argument(index)) {
    if (name->empty()) return Result(ErrorCode::invalid_name);
    auto found = toolbars.find(*name);
    return found ? Result{found} : Result(ErrorCode::invalid_index);
  }
  if (auto object = object_argument(index)) {
    auto own = own_object(object.get());
    auto toolbar = own && own->owner() == control_.get() ? own->toolbar() : nullptr;
    if (toolbar && toolbars.position_of(toolbar.get()) >= 0) return Result{toolbar};
    return Result(ErrorCode::invalid_index);
  }
  auto position = int32_argument(index);
  if (!position || *position < 1 || static_cast<size_t>(*position) > toolbars.size())
    return Result(ErrorCode::invalid_index);
  return Result{toolbars.at(static_cast<size_t>(*position - 1))};
}

HRESULT ToolbarsCollectionObject::get__NewEnum(IUnknown** value) {
  return guarded([&]() -> HRESULT {
    std::vector<Variant> items;
    for (const auto& toolbar : control_->deck().toolbars()) {
      Variant item;
      V_VT(item.get()) = VT_DISPATCH;
      V_DISPATCH(item.get()) = control_->toolbar_object(toolbar).detach();
      items.push_back(item);
    }
    HRESULT hr = enumerate_variants(std::move(items), value);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}

HRESULT ToolbarsCollectionObject::Add(VARIANT name, VARIANT style, IMzToolBar** toolbar) {
  return guarded([&]() -> HRESULT {
    if (!toolbar) return plain_failure(E_POINTER);
    *toolbar = nullptr;
    // A style that is not a number is no valid style.
    const int32_t style_value = is_missing(style) ? 0 : int32_argument(style).value_or(INT32_MIN);
    std::optional<std::wstring> given;
    if (!is_missing(name) && !is_empty_or_null(name)) {
      given = string_argument(name);
      if (!given) return fail(ErrorCode::invalid_name);
    }
    auto added = control_->deck().add_toolbar(given ? &*given : nullptr, style_value);
    if (!added.ok()) return fail(added.error());
    control_->enter_band(*added.value());
    *toolbar = control_->toolbar_object(added.value()).detach();
    return *toolbar ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

HRESULT ToolbarsCollectionObject::get_Count(LONG* value) {
  return guarded([&]() -> HRESULT { return give(value, control_->deck().toolbars().size()); });
}

HRESULT ToolbarsCollectionObject::Clear() {
  return guarded([&]() -> HRESULT {
    control_->deck().clear_toolbars();
    return S_OK;
  });
}

HRESULT ToolbarsCollectionObject::get_Item(VARIANT index, IMzToolBar** toolbar) {
  return guarded([&]() -> HRESULT {
    if (!toolbar) return plain_failure(E_POINTER);
    *toolbar = nullptr;
    auto found = find(index);
    if (!found.ok()) return fail(found.error());
    *toolbar = control_->toolbar_object(found.value()).detach();
    return *toolbar ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

HRESULT ToolbarsCollectionObject::Remove(VARIANT index) {
  return guarded([&]() -> HRESULT {
    auto found = find(index);
    if (!found.ok()) return fail(found.error());
    control_->deck().remove_toolbar(found.value());
    return S_OK;
  });
}

}  // namespace mz::com
