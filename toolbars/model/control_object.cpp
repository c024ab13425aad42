#include "control_object.h"

#include <algorithm>
#include <new>

#include "about_box.h"
#include "class_factory.h"
#include "colour.h"
#include "dispatch_ids.h"
#include "error_info.h"
#include "event_args_win32.h"
#include "return_value_object.h"
#include "scoped_value.h"
#include "string_ids.h"
#include "tag_value.h"
#include "text.h"
#include "tool_object.h"
#include "toolbar_object.h"
#include "tools_collection_object.h"
#include "toolbars_collection_object.h"
#include "type_library.h"

namespace mz::com {
namespace {

constexpr wchar_t kSource[] = L"ToolDeck.MzToolDeck";

bool to_bool(VARIANT_BOOL value) { return value != VARIANT_FALSE; }

// Whether Customize's Reserved argument is the external designer's 1997,
// which a host may pass by value or by reference.
bool asks_for_designer(const VARIANT& reserved) {
  const VARIANT& value = value_of(reserved);
  switch (V_VT(&value)) {
    case VT_I2: return V_I2(&value) == 1997;
    case VT_I4: return V_I4(&value) == 1997;
    case VT_I2 | VT_BYREF: return V_I2REF(&value) && *V_I2REF(&value) == 1997;
    case VT_I4 | VT_BYREF: return V_I4REF(&value) && *V_I4REF(&value) == 1997;
    default: return false;
  }
}

// A standard picture object holding no picture.
HRESULT empty_picture(IPictureDisp** out) {
  PICTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.picType = PICTYPE_NONE;
  return OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(out));
}

// The font of a control whose container has none to offer.
HRESULT default_font(IFontDisp** out) {
  wchar_t face[] = L"MS Sans Serif";
  FONTDESC description{sizeof(FONTDESC), face, {{80000, 0}}, FW_NORMAL, ANSI_CHARSET, FALSE, FALSE, FALSE};
  return OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(out));
}

}  // namespace

HRESULT ControlObject::create(REFIID iid, void** out) {
  auto* control = new (std::nothrow) ControlObject;
  if (!control) return E_OUTOFMEMORY;
  HRESULT hr = control->QueryInterface(iid, out);
  control->Release();
  return hr;
}

HRESULT create_control(REFIID iid, void** out) { return ControlObject::create(iid, out); }

ControlObject::ControlObject() {
  load_default_properties();
  ControlListLock lock;
  thread_controls().controls.push_back(static_cast<HookClient*>(this));
}

ControlObject::~ControlObject() {
  take_popups(0);
  if (hover_) hover_->stop();
  const HWND host = site_.host_window();
  if (host && GetPropW(host, kControlProperty) == static_cast<IMzToolBarControl*>(this))
    RemovePropW(host, kControlProperty);
  ControlListLock lock;
  ThreadControlList& record = thread_controls();
  std::erase(record.controls, static_cast<HookClient*>(this));
  // The last control of the thread takes the thread's hooks with it.
  if (record.controls.empty()) menus::remove_thread_hooks(record);
}

// A control that no container initialises (a script's CreateObject) serves
// its defaults all the same.
void ControlObject::load_default_properties() {
  properties_ = ControlProperties{};
  for (int i = 0; i < kCustomizationStringCount; ++i)
    strings_[static_cast<size_t>(i)] = {load_string(static_cast<UINT>(IDS_CUSTOMIZATION_FIRST + i)), false};
  font_.reset();
  picture_background_.reset();
  tag_.reset();
}

// --- IUnknown ---------------------------------------------------------------

HRESULT ControlObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IMzToolBarControl)
    *out = static_cast<IMzToolBarControl*>(this);
  else if (iid == IID_ISupportErrorInfo)
    *out = static_cast<ISupportErrorInfo*>(this);
  else if (iid == IID_IConnectionPointContainer)
    *out = static_cast<IConnectionPointContainer*>(this);
  else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
    *out = static_cast<IProvideClassInfo2*>(this);
  else if (iid == IID_IPersistStreamInit || iid == IID_IPersist)
    *out = static_cast<IPersistStreamInit*>(this);
  else if (iid == IID_IViewObject || iid == IID_IViewObject2)
    *out = static_cast<IViewObject2*>(this);
  else if (iid == IID_IPersistPropertyBag)
    *out = static_cast<IPersistPropertyBag*>(this);
  else if (iid == IID_IOleObject)
    *out = static_cast<IOleObject*>(this);
  else if (iid == IID_IOleInPlaceObject || iid == IID_IOleWindow)
    *out = static_cast<IOleInPlaceObject*>(this);
  else if (iid == IID_IOleControl)
    *out = static_cast<IOleControl*>(this);
  else if (iid == kIidControlDiagnostics)
    *out = static_cast<IControlDiagnostics*>(this);
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG ControlObject::AddRef() { return ++refs_; }

ULONG ControlObject::Release() {
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

// --- Shells of the object model ------------------------------------------------

ComPtr<IMzTool> ControlObject::tool_object(const ToolRef& ref) {
  const void* key = ref.is_placed() ? static_cast<const void*>(ref.placed.get()) : ref.tool.get();
  if (auto it = objects_.find(key); it != objects_.end()) {
    ComPtr<IMzTool> existing;
    it->second->QueryInterface(IID_IMzTool, reinterpret_cast<void**>(existing.put()));
    return existing;
  }
  auto created = ToolObject::create(*this, ref);
  if (created) objects_[key] = created.get();
  return created;
}

ComPtr<IMzToolBar> ControlObject::toolbar_object(const std::shared_ptr<Toolbar>& toolbar) {
  if (auto it = objects_.find(toolbar.get()); it != objects_.end()) {
    ComPtr<IMzToolBar> existing;
    it->second->QueryInterface(IID_IMzToolBar, reinterpret_cast<void**>(existing.put()));
    return existing;
  }
  auto created = ToolbarObject::create(*this, toolbar);
  if (created) objects_[toolbar.get()] = created.get();
  return created;
}

// --- Events --------------------------------------------------------------------

void ControlObject::fire(DISPID dispid, std::initializer_list<VARIANT> args) {
  if (loading_ || frozen_events_ > 0) return;
  // Dispatch arguments go last to first.
  std::vector<VARIANT> reversed(args.begin(), args.end());
  std::reverse(reversed.begin(), reversed.end());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  // A handler may release the host's last reference to the control.
  ComPtr<IMzToolBarControl> keep_alive(this);
  for (const auto& sink : events_point_.sinks()) {
    auto dispatch = sink.query<IDispatch>();
    if (dispatch) dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                                   nullptr);
  }
}

void ControlObject::fire_in_event(DISPID dispid, std::initializer_list<VARIANT> args) {
  const bool outer = in_event_;
  ScopedValue in_event(in_event_, true);
  // The hot-tool worker leaves the hot tool alone while a handler runs.
  tracker_.set_raising_event(true);
  fire(dispid, args);
  tracker_.set_raising_event(outer);
}

// The host hears of toolbar changes at run time; a designer's changes are
// its own.
void ControlObject::toolbar_modified(Modified change, const std::shared_ptr<Toolbar>& toolbar,
                                     const std::shared_ptr<PlacedTool>& placed) {
  if (design_time() || loading_) return;
  ComPtr<IMzToolBar> toolbar_arg = toolbar ? toolbar_object(toolbar) : nullptr;
  ComPtr<IMzTool> tool_arg = placed ? tool_object({nullptr, placed}) : nullptr;
  fire(DISPID_DMzToolBarsEvents_ToolBarModified, {int32_variant(static_cast<int32_t>(change)), dispatch_argument(toolbar_arg.get()),
              dispatch_argument(tool_arg.get())});
}

void ControlObject::tool_click(const ToolRef& tool) {
  ComPtr<IMzTool> tool_arg = tool_object(tool);
  fire_in_event(DISPID_DMzToolBarsEvents_ToolClick, {dispatch_argument(tool_arg.get())});
}

void ControlObject::fire_tool_change(const ToolRef& ref) {
  ComPtr<IMzTool> tool_arg = tool_object(ref);
  fire_in_event(DISPID_DMzToolBarsEvents_ToolChange, {dispatch_argument(tool_arg.get())});
}

// A change makes the control dirty and, unless it touched nothing on the
// screen, lays the docked toolbars out again.
void ControlObject::model_changed(const Change& change) {
  shortcuts_.invalidate();
  // A load reports its changes once, at its end.
  if (loading_) return;
  property_changed(DISPID_UNKNOWN);
  if (change.scope == ChangeScope::tools || change.scope == ChangeScope::tool_size)
    dock_painter_.forget_images(change.tool);
  if (change.scope != ChangeScope::data) {
    refresh_layout();
    if (!popups_.empty()) relayout_popups();
  }
}

void ControlObject::property_changed(DISPID dispid) {
  dirty_ = true;
  for (const auto& sink : notify_point_.sinks()) static_cast<IPropertyNotifySink*>(sink.get())->OnChanged(dispid);
}

// --- Property helpers ------------------------------------------------------------

HRESULT ControlObject::fail(ErrorCode code) const { return raise_error(code, IID_IMzToolBarControl, kSource); }

template <class T, class U>
HRESULT ControlObject::put_field(T& field, U value, DISPID dispid) {
  if (field == static_cast<T>(value)) return S_OK;
  field = static_cast<T>(value);
  property_changed(dispid);
  return S_OK;
}

HRESULT ControlObject::redrawn(HRESULT hr, bool background) {
  if (SUCCEEDED(hr)) redraw_docks(background);
  return hr;
}

HRESULT ControlObject::put_colour(uint32_t& field, OLE_COLOR value, DISPID dispid) {
  if (!is_valid_ole_colour(value)) return fail(ErrorCode::invalid_property_value);
  return put_field(field, value, dispid);
}

template <class T>
HRESULT ControlObject::put_ranged(uint8_t& field, T value, const PropertyRange& range, DISPID dispid) {
  if (!range.contains(static_cast<long>(value))) return fail(ErrorCode::invalid_property_value);
  return put_field(field, static_cast<uint8_t>(value), dispid);
}


// --- IMzToolBarControl: properties ---------------------------------------------------

HRESULT ControlObject::get_ActiveColors(VARIANT_BOOL* value) { return give(value, to_variant_bool(properties_.active_colors)); }
HRESULT ControlObject::put_ActiveColors(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return put_field(properties_.active_colors, to_bool(value), DISPID_IMzToolBarControl_ActiveColors);
  });
}

HRESULT ControlObject::get_BackColor(OLE_COLOR* value) { return give(value, properties_.back_color); }
HRESULT ControlObject::put_BackColor(OLE_COLOR value) {
  return guarded([&]() -> HRESULT {
    return redrawn(put_colour(properties_.back_color, value, DISPID_BACKCOLOR), true);
  });
}

HRESULT ControlObject::get_CustomizationStrings(Constants_CustomizationStrings index, BSTR* value) {
  return guarded([&]() -> HRESULT {
    if (index < 0 || index >= kCustomizationStringCount) return fail(ErrorCode::invalid_index);
    return to_bstr(strings_[static_cast<size_t>(index)].text, value);
  });
}
HRESULT ControlObject::put_CustomizationStrings(Constants_CustomizationStrings index, BSTR value) {
  return guarded([&]() -> HRESULT {
    if (index < 0 || index >= kCustomizationStringCount) return fail(ErrorCode::invalid_index);
    strings_[static_cast<size_t>(index)] = {from_bstr(value), true};
    property_changed(DISPID_IMzToolBarControl_CustomizationStrings);
    return S_OK;
  });
}

HRESULT ControlObject::get_DisplayContextMenu(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    return give(value, to_variant_bool(properties_.display_context_menu));
  });
}
HRESULT ControlObject::put_DisplayContextMenu(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return put_field(properties_.display_context_menu, to_bool(value), DISPID_IMzToolBarControl_DisplayContextMenu);
  });
}

HRESULT ControlObject::get_Enabled(VARIANT_BOOL* value) { return give(value, to_variant_bool(properties_.enabled)); }
HRESULT ControlObject::put_Enabled(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    // At run time every set, even of the same value, installs the thread's
    // hooks afresh: it is how a control recovers hooks that stopped seeing
    // the host's mouse messages.
    if (!design_time() && has_window()) {
      {
        ControlListLock lock;
        menus::remove_thread_hooks(thread_controls());
      }
      Sleep(100);
      set_up_windows(false);
    }
    return redrawn(put_field(properties_.enabled, to_bool(value), DISPID_ENABLED), false);
  });
}

void ControlObject::hover_lost() {
  ComPtr<IMzToolBarControl> keep_alive(this);
  put_Enabled(to_variant_bool(properties_.enabled));
}

void ControlObject::mouse_message_for_host() {
  if (hover_) hover_->signal();
}

HRESULT ControlObject::get_Font(IFontDisp** value) {
  return guarded([&]() -> HRESULT {
    if (!value) return plain_failure(E_POINTER);
    *value = nullptr;
    if (!font_) {
      HRESULT hr = default_font(font_.put());
      if (FAILED(hr)) return plain_failure(hr);
    }
    *value = ComPtr<IFontDisp>(font_).detach();
    return S_OK;
  });
}
HRESULT ControlObject::store_font(IFontDisp* font) {
  if (!font) return fail(ErrorCode::invalid_property_value);
  font_ = ComPtr<IFontDisp>(font);
  properties_.font_set_explicitly = true;
  property_changed(DISPID_FONT);
  refresh_layout();
  return S_OK;
}
HRESULT ControlObject::put_Font(IFontDisp* value) {
  return guarded([&]() -> HRESULT {
    // Setting by value keeps a copy, so later changes to the host's font object
    // do not reach the control.
    ComPtr<IFontDisp> copy;
    if (auto font = ComPtr<IFontDisp>(value).query<IFont>()) {
      ComPtr<IFont> cloned;
      if (SUCCEEDED(font->Clone(cloned.put()))) copy = cloned.query<IFontDisp>();
    }
    return store_font(copy ? copy.get() : value);
  });
}
HRESULT ControlObject::putref_Font(IFontDisp* value) {
  return guarded([&]() -> HRESULT { return store_font(value); });
}

HRESULT ControlObject::get_FontSource(Constants_FontSource* value) {
  return guarded([&]() -> HRESULT {
    return give(value, static_cast<Constants_FontSource>(properties_.font_source));
  });
}
HRESULT ControlObject::put_FontSource(Constants_FontSource value) {
  return guarded([&]() -> HRESULT {
    return put_ranged(properties_.font_source, value, kFontSourceRange, DISPID_IMzToolBarControl_FontSource);
  });
}

HRESULT ControlObject::get_ForeColor(OLE_COLOR* value) { return give(value, properties_.fore_color); }
HRESULT ControlObject::put_ForeColor(OLE_COLOR value) {
  return guarded([&]() -> HRESULT {
    return redrawn(put_colour(properties_.fore_color, value, DISPID_FORECOLOR), false);
  });
}

HRESULT ControlObject::get_Style(Constants_Style* value) {
  return guarded([&]() -> HRESULT {
    return give(value, static_cast<Constants_Style>(properties_.style));
  });
}
HRESULT ControlObject::put_Style(Constants_Style value) {
  return guarded([&]() -> HRESULT {
    const uint8_t before = properties_.style;
    const HRESULT hr = put_ranged(properties_.style, value, kStyleRange, DISPID_IMzToolBarControl_Style);
    if (properties_.style != before) refresh_layout();
    return hr;
  });
}

HRESULT ControlObject::get_MenuAnimations(Constants_MenuAnimations* value) {
  return guarded([&]() -> HRESULT {
    return give(value, static_cast<Constants_MenuAnimations>(properties_.menu_animations));
  });
}
HRESULT ControlObject::put_MenuAnimations(Constants_MenuAnimations value) {
  return guarded([&]() -> HRESULT {
    return put_ranged(properties_.menu_animations, value, kMenuAnimationsRange, DISPID_IMzToolBarControl_MenuAnimations);
  });
}

HRESULT ControlObject::get_PersonalizedMenus(Constants_PersonalizedMenus* value) {
  return guarded([&]() -> HRESULT {
    return give(value, static_cast<Constants_PersonalizedMenus>(properties_.personalized_menus));
  });
}
HRESULT ControlObject::put_PersonalizedMenus(Constants_PersonalizedMenus value) {
  return guarded([&]() -> HRESULT {
    return put_ranged(properties_.personalized_menus, value, kPersonalizedMenusRange, DISPID_IMzToolBarControl_PersonalizedMenus);
  });
}

HRESULT ControlObject::get_PictureBackground(IPictureDisp** value) {
  return guarded([&]() -> HRESULT {
    if (!value) return plain_failure(E_POINTER);
    *value = nullptr;
    if (picture_background_) {
      *value = ComPtr<IPictureDisp>(picture_background_).detach();
      return S_OK;
    }
    HRESULT hr = empty_picture(value);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}
HRESULT ControlObject::put_PictureBackground(IPictureDisp* value) {
  return guarded([&]() -> HRESULT { return putref_PictureBackground(value); });
}
HRESULT ControlObject::putref_PictureBackground(IPictureDisp* value) {
  return guarded([&]() -> HRESULT {
    picture_background_ = ComPtr<IPictureDisp>(value);
    property_changed(DISPID_IMzToolBarControl_PictureBackground);
    return redrawn(S_OK, true);
  });
}

HRESULT ControlObject::get_PictureBackgroundMaskColor(OLE_COLOR* value) {
  return guarded([&]() -> HRESULT {
    return give(value, properties_.picture_background_mask_color);
  });
}
HRESULT ControlObject::put_PictureBackgroundMaskColor(OLE_COLOR value) {
  return guarded([&]() -> HRESULT {
    return redrawn(put_colour(properties_.picture_background_mask_color, value,
                               DISPID_IMzToolBarControl_PictureBackgroundMaskColor),
                   true);
  });
}

HRESULT ControlObject::get_PictureBackgroundStyle(Constants_PictureBackgroundStyle* value) {
  return guarded([&]() -> HRESULT {
    return give(value, static_cast<Constants_PictureBackgroundStyle>(properties_.picture_background_style));
  });
}
HRESULT ControlObject::put_PictureBackgroundStyle(Constants_PictureBackgroundStyle value) {
  return guarded([&]() -> HRESULT {
    return redrawn(put_ranged(properties_.picture_background_style, value, kPictureBackgroundStyleRange,
                              DISPID_IMzToolBarControl_PictureBackgroundStyle),
                   true);
  });
}

HRESULT ControlObject::get_PictureBackgroundUseMask(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    return give(value, to_variant_bool(properties_.picture_background_use_mask));
  });
}
HRESULT ControlObject::put_PictureBackgroundUseMask(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return redrawn(put_field(properties_.picture_background_use_mask, to_bool(value),
                             DISPID_IMzToolBarControl_PictureBackgroundUseMask),
                   true);
  });
}

HRESULT ControlObject::get_Redraw(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    if (design_time()) return fail(ErrorCode::unavailable_at_design_time);
    return give(value, to_variant_bool(redraw_));
  });
}
HRESULT ControlObject::put_Redraw(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    if (design_time()) return fail(ErrorCode::property_read_only);
    redraw_ = to_bool(value);
    return S_OK;
  });
}

HRESULT ControlObject::get_ShowShortcutsInToolTips(VARIANT_BOOL* value) {
  return guarded([&]() -> HRESULT {
    return give(value, to_variant_bool(properties_.show_shortcuts_in_tooltips));
  });
}
HRESULT ControlObject::put_ShowShortcutsInToolTips(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return put_field(properties_.show_shortcuts_in_tooltips, to_bool(value), DISPID_IMzToolBarControl_ShowShortcutsInToolTips);
  });
}

HRESULT ControlObject::get_ShowToolTips(VARIANT_BOOL* value) { return give(value, to_variant_bool(properties_.show_tooltips)); }
HRESULT ControlObject::put_ShowToolTips(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return put_field(properties_.show_tooltips, to_bool(value), DISPID_IMzToolBarControl_ShowToolTips);
  });
}

HRESULT ControlObject::get_LargeIcons(VARIANT_BOOL* value) { return give(value, to_variant_bool(properties_.large_icons)); }
HRESULT ControlObject::put_LargeIcons(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    if (properties_.large_icons == to_bool(value)) return S_OK;
    put_field(properties_.large_icons, to_bool(value), DISPID_IMzToolBarControl_LargeIcons);
    // The tools are measured again before the host hears of it.
    refresh_layout();
    fire(DISPID_DMzToolBarsEvents_IconSizeChanged);
    return S_OK;
  });
}

HRESULT ControlObject::get_TagVariant(VARIANT* value) {
  return guarded([&]() -> HRESULT {
    if (!value) return plain_failure(E_POINTER);
    VariantInit(value);
    HRESULT hr = read_value(tag_, value);
    return FAILED(hr) ? plain_failure(hr) : S_OK;
  });
}
HRESULT ControlObject::store_tag(const VARIANT& value) {
  HRESULT hr = store_tag_value(value, tag_);
  if (FAILED(hr)) return plain_failure(hr);
  property_changed(DISPID_IMzToolBarControl_TagVariant);
  return S_OK;
}
HRESULT ControlObject::put_TagVariant(VARIANT value) {
  return guarded([&]() -> HRESULT { return store_tag(value); });
}
HRESULT ControlObject::putref_TagVariant(VARIANT value) {
  return guarded([&]() -> HRESULT { return store_tag(value); });
}

HRESULT ControlObject::get_ToolBars(IMzToolBarsCollection** value) {
  return guarded([&]() -> HRESULT {
    if (!value) return plain_failure(E_POINTER);
    *value = ToolbarsCollectionObject::create(*this).detach();
    return *value ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

HRESULT ControlObject::get_Tools(IMzToolsCollection** value) {
  return guarded([&]() -> HRESULT {
    if (!value) return plain_failure(E_POINTER);
    *value = ToolsCollectionObject::create(*this, PlacedListOwner{}).detach();
    return *value ? S_OK : plain_failure(E_OUTOFMEMORY);
  });
}

HRESULT ControlObject::get_ToolTipDelay(short* value) { return give(value, properties_.tooltip_delay); }
HRESULT ControlObject::put_ToolTipDelay(short value) {
  return guarded([&]() -> HRESULT {
    if (!kToolTipDelayRange.contains(value)) return fail(ErrorCode::invalid_property_value);
    return put_field(properties_.tooltip_delay, value, DISPID_IMzToolBarControl_ToolTipDelay);
  });
}

HRESULT ControlObject::get_Visible(VARIANT_BOOL* value) { return give(value, to_variant_bool(properties_.visible)); }
HRESULT ControlObject::put_Visible(VARIANT_BOOL value) {
  return guarded([&]() -> HRESULT {
    return put_field(properties_.visible, to_bool(value), DISPID_IMzToolBarControl_Visible);
  });
}

// --- IMzToolBarControl: methods ------------------------------------------------------

HRESULT ControlObject::AboutBox() {
  return guarded([&]() -> HRESULT {
    const HWND host = site_.host_window();
    show_about_box(host ? GetAncestor(host, GA_ROOT) : GetActiveWindow());
    return S_OK;
  });
}

HRESULT ControlObject::Customize(VARIANT reserved) {
  return guarded([&]() -> HRESULT {
    const bool for_designer = asks_for_designer(reserved);
    ControlModes& modes = deck_.modes;
    if (modes.customizing) {
      // The designer ends its session the way it started it.
      if (for_designer) end_customizing();
      return S_OK;
    }
    modes.customizing = true;
    auto cancel = ReturnBoolean::create(VARIANT_FALSE);
    fire(DISPID_DMzToolBarsEvents_OnCustomize, {dispatch_argument(cancel.get())});
    if (cancel->value() != VARIANT_FALSE) {
      end_customizing();
      return S_OK;
    }
    if (for_designer) {
      modes.designer = true;
      return S_OK;
    }
    // The customizer dialog does not exist yet: customizing ends at once, as if
    // the dialog had been closed, and the caller learns that nothing was shown.
    end_customizing();
    return plain_failure(E_NOTIMPL);
  });
}

void ControlObject::end_customizing() {
  deck_.modes.customizing = false;
  deck_.modes.designer = false;
  fire(DISPID_DMzToolBarsEvents_AfterCustomize);
}


HRESULT ControlObject::AttachWindow(LONG window_handle) {
  return guarded([&]() -> HRESULT {
    auto window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(window_handle));
    if (!IsWindow(window)) return fail(ErrorCode::invalid_property_value);
    const HWND old_host = site_.host_window();
    if (old_host && GetPropW(old_host, kControlProperty) == static_cast<IMzToolBarControl*>(this))
      RemovePropW(old_host, kControlProperty);
    site_.attach(window);
    if (hover_) hover_->set_host(window);
    set_up_windows(true);
    return S_OK;
  });
}

HRESULT ControlObject::ResetUsage() {
  return guarded([&]() -> HRESULT {
    for (const auto& tool : deck_.tools()) tool->recently_used = false;
    deck_.changed({ChangeScope::tool_size});
    return S_OK;
  });
}

// --- ISupportErrorInfo, connection points, class information ----------------------

HRESULT ControlObject::InterfaceSupportsErrorInfo(REFIID iid) {
  return guarded([&]() -> HRESULT {
    return iid == IID_IMzToolBarControl ? S_OK : S_FALSE;
  });
}

HRESULT ControlObject::EnumConnectionPoints(IEnumConnectionPoints** out) {
  return guarded([&]() -> HRESULT {
    return enumerate_connection_points(
        {ComPtr<IConnectionPoint>(&events_point_), ComPtr<IConnectionPoint>(&notify_point_)}, out);
  });
}

HRESULT ControlObject::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  return guarded([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = nullptr;
    ConnectionPoint* point = iid == events_point_.iid() ? &events_point_
                             : iid == notify_point_.iid() ? &notify_point_
                                                          : nullptr;
    if (!point) return CONNECT_E_NOCONNECTION;
    point->AddRef();
    *out = point;
    return S_OK;
  });
}

HRESULT ControlObject::GetClassInfo(ITypeInfo** out) {
  return guarded([&]() -> HRESULT { return type_info_of(CLSID_MzToolDeck, out); });
}

HRESULT ControlObject::GetGUID(DWORD kind, GUID* out) {
  return guarded([&]() -> HRESULT {
    if (!out) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *out = DIID_DMzToolBarsEvents;
    return S_OK;
  });
}

// --- IPersistStreamInit ---------------------------------------------------------------

HRESULT ControlObject::GetClassID(CLSID* out) {
  return guarded([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = CLSID_MzToolDeck;
    return S_OK;
  });
}

HRESULT ControlObject::IsDirty() {
  return guarded([&]() -> HRESULT { return dirty_ ? S_OK : S_FALSE; });
}


}  // namespace mz::com
