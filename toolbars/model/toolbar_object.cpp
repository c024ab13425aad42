#include "toolbar_object.h"

#include <new>

#include "tag_value.h"
#include "text.h"
#include "tools_collection_object.h"

namespace mz::com {
namespace {

bool to_bool(VARIANT_BOOL value) { return value != VARIANT_FALSE; }

}  // namespace

ComPtr<IMzToolBar> ToolbarObject::create(ControlObject& control, std::shared_ptr<Toolbar> toolbar) {
  return ComPtr<IMzToolBar>::adopt(new (std::nothrow) ToolbarObject(control, std::move(toolbar)));
}

ToolbarObject::ToolbarObject(ControlObject& control, std::shared_ptr<Toolbar> toolbar)
    : AutomationObject(L"ToolDeck.MzToolBar"), control_(&control), toolbar_(std::move(toolbar)) {}

ToolbarObject::~ToolbarObject() { control_->forget_object(toolbar_.get()); }

void* ToolbarObject::other_interface(REFIID iid) {
  return iid == kIidOwnObject ? static_cast<OwnObject*>(this) : nullptr;
}

template <class T, class U>
HRESULT ToolbarObject::put_field(T Toolbar::*field, U value, ChangeScope scope) {
  if ((*toolbar_).*field != static_cast<T>(value)) {
    (*toolbar_).*field = static_cast<T>(value);
    deck().changed({.scope = scope, .toolbar = toolbar_.get()});
  }
  return S_OK;
}

HRESULT ToolbarObject::get_AllowCustomize(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    return give(value, to_variant_bool(toolbar_->allow_customize));
  });
}
HRESULT ToolbarObject::put_AllowCustomize(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return put_field(&Toolbar::allow_customize, to_bool(value), ChangeScope::data);
  });
}

HRESULT ToolbarObject::get_AllowHiding(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    return give(value, to_variant_bool(toolbar_->allow_hiding && !toolbar_->is_menu_bar()));
  });
}
HRESULT ToolbarObject::put_AllowHiding(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return outcome(deck().set_allow_hiding(*toolbar_, to_bool(value)));
  });
}

HRESULT ToolbarObject::get_CaptionAlignment(Constants_CaptionAlignment* value) {
  return guarded([&]() -> HRESULT {
    return give(value, toolbar_->caption_alignment);
  });
}
HRESULT ToolbarObject::put_CaptionAlignment(Constants_CaptionAlignment value) {
  return guarded([&]() -> HRESULT {
    return outcome(deck().set_caption_alignment(*toolbar_, value));
  });
}

HRESULT ToolbarObject::get_DisplayGrabHandles(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    return give(value, to_variant_bool(toolbar_->display_grab_handles));
  });
}
HRESULT ToolbarObject::put_DisplayGrabHandles(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return put_field(&Toolbar::display_grab_handles, to_bool(value), ChangeScope::toolbar_size);
  });
}

HRESULT ToolbarObject::get_DisplayMoreToolsButton(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    return give(value, to_variant_bool(toolbar_->display_more_tools));
  });
}
HRESULT ToolbarObject::put_DisplayMoreToolsButton(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return outcome(deck().set_display_more_tools(*toolbar_, to_bool(value)));
  });
}

HRESULT ToolbarObject::get_DockedColumn(short* value) {
  return guarded([&]() -> HRESULT { return give(value, deck().docked_column(*toolbar_)); });
}
HRESULT ToolbarObject::put_DockedColumn(short value) {
  return guarded([&]() -> HRESULT {
    return outcome(control_->change_place(*toolbar_, [&] { return deck().set_docked_column(*toolbar_, value); }));
  });
}

HRESULT ToolbarObject::get_DockedRow(short* value) {
  return guarded([&]() -> HRESULT { return give(value, deck().docked_row(*toolbar_)); });
}
HRESULT ToolbarObject::put_DockedRow(short value) {
  return guarded([&]() -> HRESULT {
    return outcome(control_->change_place(*toolbar_, [&] { return deck().set_docked_row(*toolbar_, value); }));
  });
}

HRESULT ToolbarObject::get_DockedStatus(Constants_DockedStatus* value) { return give(value, static_cast<Constants_DockedStatus>(toolbar_->docked_status)); }
HRESULT ToolbarObject::put_DockedStatus(Constants_DockedStatus value) {
  return guarded([&]() -> HRESULT {
    return outcome(control_->change_place(*toolbar_, [&] { return deck().set_docked_status(*toolbar_, value); }));
  });
}

HRESULT ToolbarObject::get_DockFlags(LONG* value) { return give(value, toolbar_->dock_flags.bits()); }
HRESULT ToolbarObject::put_DockFlags(LONG value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_dock_flags(*toolbar_, value)); });
}

HRESULT ToolbarObject::get_FloatingHeight(LONG* value) { return give(value, toolbar_->floating_height); }
HRESULT ToolbarObject::put_FloatingHeight(LONG value) {
  return guarded([&]() -> HRESULT {
    deck().set_floating_height(*toolbar_, value);
    return S_OK;
  });
}

HRESULT ToolbarObject::get_FloatingLeft(LONG* value) { return give(value, toolbar_->floating_left); }
HRESULT ToolbarObject::put_FloatingLeft(LONG value) {
  return guarded([&]() -> HRESULT { return put_field(&Toolbar::floating_left, value, ChangeScope::toolbar_position); });
}

HRESULT ToolbarObject::get_FloatingTop(LONG* value) { return give(value, toolbar_->floating_top); }
HRESULT ToolbarObject::put_FloatingTop(LONG value) {
  return guarded([&]() -> HRESULT { return put_field(&Toolbar::floating_top, value, ChangeScope::toolbar_position); });
}

HRESULT ToolbarObject::get_FloatingWidth(LONG* value) { return give(value, toolbar_->floating_width); }
HRESULT ToolbarObject::put_FloatingWidth(LONG value) {
  return guarded([&]() -> HRESULT { return put_field(&Toolbar::floating_width, value, ChangeScope::toolbar_position); });
}

HRESULT ToolbarObject::get_Font3D(Constants_Font3D* value) { return give(value, toolbar_->font3d); }
HRESULT ToolbarObject::put_Font3D(Constants_Font3D value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_font3d(*toolbar_, value)); });
}

HRESULT ToolbarObject::get_Name(BSTR* value) {
  return guarded([&]() -> HRESULT { return to_bstr(toolbar_->name, value); });
}
HRESULT ToolbarObject::put_Name(BSTR value) {
  return guarded([&]() -> HRESULT { return outcome(deck().set_toolbar_name(*toolbar_, from_bstr(value))); });
}

HRESULT ToolbarObject::get_Stock(VARIANT_BOOL* value) { return give(value, to_variant_bool(toolbar_->stock)); }
HRESULT ToolbarObject::put_Stock(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    deck().set_stock(*toolbar_, to_bool(value));
    return S_OK;
  });
}

HRESULT ToolbarObject::get_Style(Constants_ToolBarStyle* value) {
  return guarded([&]() -> HRESULT { return give(value, toolbar_->style()); });
}

HRESULT ToolbarObject::get_Tools(IMzToolsCollection** value) {
  return guarded([&]() -> HRESULT {
    if (!value) return plain_failure(E_POINTER);
    *value = ToolsCollectionObject::create(*control_, PlacedListOwner{toolbar_, nullptr}).detach();
    return *value ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

HRESULT ToolbarObject::get_Visible(VARIANT_BOOL* value) { return give(value, to_variant_bool(toolbar_->visible)); }
HRESULT ToolbarObject::put_Visible(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    ComPtr<IMzToolBar> keep_alive(this);
    return outcome(
        control_->change_place(*toolbar_, [&] { return deck().set_toolbar_visible(*toolbar_, to_bool(value)); }));
  });
}

HRESULT ToolbarObject::get_TagVariant(VARIANT* value) {
  return guarded([&]() -> HRESULT {
    HRESULT hr = read_value(toolbar_->tag, value);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}
HRESULT ToolbarObject::put_TagVariant(VARIANT value) {
  return guarded([&]() -> HRESULT {
    HRESULT hr = store_tag_value(value, toolbar_->tag);
    if (FAILED(hr)) return plain_failure(hr);
    deck().changed({.scope = ChangeScope::data, .toolbar = toolbar_.get()});
    return S_OK;
  });
}
HRESULT ToolbarObject::putref_TagVariant(VARIANT value) {
  return guarded([&]() -> HRESULT { return put_TagVariant(value); });
}

HRESULT ToolbarObject::Reset(VARIANT_BOOL last_loaded) {
  return guarded([&]() -> HRESULT {
    ComPtr<IMzToolBar> keep_alive(this);
    return outcome(deck().reset_toolbar(*toolbar_, to_bool(last_loaded)));
  });
}

}  // namespace mz::com
