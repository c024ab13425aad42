#pragma once
// MzToolDeck, the control object: the host's entry point to the object
// model, its events and its errors. The tool, toolbar and collection objects
// are thin shells that refer back to it; it keeps one shell per tool and per
// toolbar while the host holds it, so the host sees the same object each time.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "MzDeck2_h.h"
#include "com_ptr.h"
#include "connection_point.h"
#include "control_diagnostics.h"
#include "control_download_win32.h"
#include "control_windows.h"
#include "control_properties.h"
#include "control_site.h"
#include "deck.h"
#include "caption_measure_win32.h"
#include "deck_layout.h"
#include "dock_bands.h"
#include "dock_frame_win32.h"
#include "dock_painter_win32.h"
#include "picture_ref_win32.h"
#include "dispatch.h"
#include "error_info.h"
#include "hooks_win32.h"
#include "hover_worker_win32.h"
#include "bar_mouse.h"
#include "menu_machine.h"
#include "gdi_objects_win32.h"
#include "open_popup_win32.h"
#include "shortcut_index.h"
#include "module.h"
#include "tracker_window_win32.h"
#include "variant_args.h"
#include "toolbars/model/record_control_stream.h"

namespace mz::com {

class ControlObject final : public DualDispatch<IMzToolBarControl>,
                            public ISupportErrorInfo,
                            public IConnectionPointContainer,
                            public IProvideClassInfo2,
                            public IPersistStreamInit,
                            public IPersistPropertyBag,
                            public IOleObject,
                            public IOleInPlaceObject,
                            public IOleControl,
                            public IViewObject2,
                            public IControlDiagnostics,
                            private DeckEvents,
                            private menus::HookClient,
                            private menus::TrackerClient,
                            private menus::PopupWindowClient,
                            private DockFrame::Client,
                            private DownloadClient {
 public:
  static HRESULT create(REFIID iid, void** out);

  // --- For the object model's shells ----------------------------------------
  Deck& deck() { return deck_; }
  const Deck& deck() const { return deck_; }
  bool design_time() const { return deck_.modes.design_time; }
  // The one object of a tool or placed tool, of a toolbar.
  ComPtr<IMzTool> tool_object(const ToolRef& ref);
  ComPtr<IMzToolBar> toolbar_object(const std::shared_ptr<Toolbar>& toolbar);
  void forget_object(const void* key) { objects_.erase(key); }
  // The text of a combo-box tool changed at run time.
  void fire_tool_change(const ToolRef& ref);
  // Changes a toolbar's dock, row, column or visibility: the toolbar leaves
  // its band and is entered again where it now asks to be, renumbering the
  // rows and columns of the others.
  ErrorCode change_place(Toolbar& toolbar, const std::function<ErrorCode()>& change);
  // A new toolbar enters the band its row and column ask for.
  void enter_band(const Toolbar& toolbar);


  // --- IUnknown --------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // --- IMzToolBarControl -------------------------------------------------------
  HRESULT STDMETHODCALLTYPE get_ActiveColors(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_ActiveColors(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_BackColor(OLE_COLOR* value) override;
  HRESULT STDMETHODCALLTYPE put_BackColor(OLE_COLOR value) override;
  HRESULT STDMETHODCALLTYPE get_CustomizationStrings(Constants_CustomizationStrings index, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE put_CustomizationStrings(Constants_CustomizationStrings index, BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_DisplayContextMenu(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_DisplayContextMenu(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Font(IFontDisp** value) override;
  HRESULT STDMETHODCALLTYPE put_Font(IFontDisp* value) override;
  HRESULT STDMETHODCALLTYPE putref_Font(IFontDisp* value) override;
  HRESULT STDMETHODCALLTYPE get_FontSource(Constants_FontSource* value) override;
  HRESULT STDMETHODCALLTYPE put_FontSource(Constants_FontSource value) override;
  HRESULT STDMETHODCALLTYPE get_ForeColor(OLE_COLOR* value) override;
  HRESULT STDMETHODCALLTYPE put_ForeColor(OLE_COLOR value) override;
  HRESULT STDMETHODCALLTYPE get_Style(Constants_Style* value) override;
  HRESULT STDMETHODCALLTYPE put_Style(Constants_Style value) override;
  HRESULT STDMETHODCALLTYPE get_MenuAnimations(Constants_MenuAnimations* value) override;
  HRESULT STDMETHODCALLTYPE put_MenuAnimations(Constants_MenuAnimations value) override;
  HRESULT STDMETHODCALLTYPE get_PersonalizedMenus(Constants_PersonalizedMenus* value) override;
  HRESULT STDMETHODCALLTYPE put_PersonalizedMenus(Constants_PersonalizedMenus value) override;
  HRESULT STDMETHODCALLTYPE get_PictureBackground(IPictureDisp** value) override;
  HRESULT STDMETHODCALLTYPE put_PictureBackground(IPictureDisp* value) override;
  HRESULT STDMETHODCALLTYPE putref_PictureBackground(IPictureDisp* value) override;
  HRESULT STDMETHODCALLTYPE get_PictureBackgroundMaskColor(OLE_COLOR* value) override;
  HRESULT STDMETHODCALLTYPE put_PictureBackgroundMaskColor(OLE_COLOR value) override;
  HRESULT STDMETHODCALLTYPE get_PictureBackgroundStyle(Constants_PictureBackgroundStyle* value) override;
  HRESULT STDMETHODCALLTYPE put_PictureBackgroundStyle(Constants_PictureBackgroundStyle value) override;
  HRESULT STDMETHODCALLTYPE get_PictureBackgroundUseMask(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_PictureBackgroundUseMask(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Redraw(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Redraw(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_ShowShortcutsInToolTips(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_ShowShortcutsInToolTips(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_ShowToolTips(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_ShowToolTips(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_LargeIcons(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_LargeIcons(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_TagVariant(VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE put_TagVariant(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE putref_TagVariant(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE get_ToolBars(IMzToolBarsCollection** value) override;
  HRESULT STDMETHODCALLTYPE get_Tools(IMzToolsCollection** value) override;
  HRESULT STDMETHODCALLTYPE get_ToolTipDelay(short* value) override;
  HRESULT STDMETHODCALLTYPE put_ToolTipDelay(short value) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE AboutBox() override;
  HRESULT STDMETHODCALLTYPE Customize(VARIANT reserved) override;
  HRESULT STDMETHODCALLTYPE LoadConfigurationEx(VARIANT configuration) override;
  HRESULT STDMETHODCALLTYPE LoadConfiguration(BSTR config_file) override;
  HRESULT STDMETHODCALLTYPE LoadLayout(BSTR layout_file) override;
  HRESULT STDMETHODCALLTYPE PlaySoundFile(BSTR sound, VARIANT sound_flags) override;
  HRESULT STDMETHODCALLTYPE PopupMenu(VARIANT tool, VARIANT flags, VARIANT x, VARIANT y) override;
  HRESULT STDMETHODCALLTYPE Refresh() override;
  HRESULT STDMETHODCALLTYPE SaveConfiguration(BSTR config_file) override;
  HRESULT STDMETHODCALLTYPE SaveConfigurationEx(VARIANT* configuration) override;
  HRESULT STDMETHODCALLTYPE SaveLayout(BSTR config_file) override;
  HRESULT STDMETHODCALLTYPE ToolBarFromPosition(float x, float y, IMzToolBar** toolbar) override;
  HRESULT STDMETHODCALLTYPE ToolFromPosition(float x, float y, IMzTool** tool) override;
  HRESULT STDMETHODCALLTYPE WhereIs(float x, float y, Constants_WhereIs* where) override;
  HRESULT STDMETHODCALLTYPE GetDockHeight(Constants_DockedStatus dock, short* height) override;
  HRESULT STDMETHODCALLTYPE GetDockWidth(Constants_DockedStatus dock, short* width) override;
  HRESULT STDMETHODCALLTYPE AttachWindow(LONG window) override;
  HRESULT STDMETHODCALLTYPE ResetUsage() override;

  // --- ISupportErrorInfo -------------------------------------------------------
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

  // --- IConnectionPointContainer ---------------------------------------------
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

  // --- IProvideClassInfo2 ------------------------------------------------------
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) override;

  // --- IPersistStreamInit ------------------------------------------------------
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* out) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override;
  HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clear_dirty) override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
  HRESULT STDMETHODCALLTYPE InitNew() override;

  // --- IPersistPropertyBag (GetClassID and InitNew above serve it too) -------
  HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
  HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clear_dirty, BOOL save_all) override;

  // --- IOleObject ----------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR container_app, LPCOLESTR container_object) override;
  HRESULT STDMETHODCALLTYPE Close(DWORD save_option) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index, HWND parent,
                                   LPCRECT position) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
  HRESULT STDMETHODCALLTYPE Update() override;
  HRESULT STDMETHODCALLTYPE IsUpToDate() override;
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

  // --- IOleInPlaceObject -----------------------------------------------------------
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override;
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

  // --- IOleControl -------------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
  HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* message) override;
  HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID dispid) override;
  HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

  // --- IViewObject2 ------------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspect_info, DVTARGETDEVICE* target, HDC target_info,
                                 HDC dc, LPCRECTL bounds, LPCRECTL window_bounds, BOOL(STDMETHODCALLTYPE* keep_on)(ULONG_PTR),
                                 ULONG_PTR keep_on_argument) override;
  HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspect_info, DVTARGETDEVICE* target,
                                        HDC target_info, LOGPALETTE** colours) override;
  HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspect_info, DWORD* key) override;
  HRESULT STDMETHODCALLTYPE Unfreeze(DWORD key) override;
  HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* target, LPSIZEL size) override;

  // --- IControlDiagnostics ---------------------------------------------------------
  HRESULT STDMETHODCALLTYPE GetThreadHooks(HHOOK hooks[4]) override;
  HRESULT STDMETHODCALLTYPE GetHoverCounts(LONG* polls, LONG* reports) override;

 private:
  ControlObject();
  ~ControlObject();

  // HookClient
  HWND host_window() const override { return site_.host_window(); }
  HWND tracker_window() const override { return tracker_.handle(); }
  void mouse_message_for_host() override;
  void activation_changed(bool active) override;
  void native_menu_loop(bool running) override { native_menu_active_ = running; }
  bool key_message(const menus::KeyPress& press) override;
  bool mouse_message(const menus::MouseEvent& event) override;
  void leave_menu_mode_alone() override;

  // TrackerClient
  void hover_lost() override;
  void refresh_colours() override;
  std::optional<std::wstring> tooltip_text(const std::wstring& tool) override;
  Constants_WhereIs where_is(POINT screen) override;
  void hot_tool_left() override;
  void hover_elapsed() override;

  // PopupWindowClient
  void popup_mouse(int level, menus::PopupMouse kind, menus::PopupButton button, Point client) override;
  void popup_capture_lost(int level) override;
  void popup_timer(int level, UINT_PTR id) override;
  void popup_overlay(int level, HDC dc) override;

  // Menu mode (control_menus_object.cpp).
  // Whether a tool answers: every tool while customizing; else the control
  // enabled and, at run time, the tool.
  bool usable(const Tool& tool) const;
  menus::MenuItem menu_item(PlacedTool& placed, bool shown) const;
  // The bars (every toolbar, by position) and the open popups as menu mode sees them.
  menus::MenuView menu_view();
  std::shared_ptr<PlacedTool> menu_tool_at(const menus::ItemRef& ref) const;
  menus::ItemRef bar_item_of(const PlacedTool& placed) const;
  menus::FocusFacts focus_facts() const;
  // Performs what menu mode decided, in order, until host code changes it.
  void perform_menu(menus::MenuActions actions);
  void enter_menu_mode();
  void end_menu_mode();
  std::vector<menus::HookClient*> other_live_controls() const;
  static bool still_live(const menus::HookClient* control);
  void highlight(const menus::ItemRef& ref, const std::shared_ptr<PlacedTool>& tool);
  void activate_menu_tool(const menus::ItemRef& ref, const std::shared_ptr<PlacedTool>& tool);
  void run_menu_drop_down(const menus::ItemRef& ref, const std::shared_ptr<PlacedTool>& tool);
  std::optional<Rect> tool_screen_rect(const PlacedTool& placed) const;
  std::shared_ptr<Tool> shortcut_owner(int code, menus::ShortcutScope scope);
  void activate_by_shortcut(const std::shared_ptr<Tool>& tool);
  void click_unplaced(const std::shared_ptr<Tool>& tool);
  // The mouse over the bars as menu mode sees it; true when it took the message.
  bool menu_frame_mouse(const FrameMouse& mouse, const menus::BarSpot& spot);
  void start_item_hover(PlacedTool& item);

  // Popups (control_popups_object.cpp).
  HFONT popup_font();
  HFONT docked_font() const;
  // Opens popup `level` from `source` (null: PopupMenu's tool at its point);
  // what menu mode does once it shows.
  menus::MenuActions open_popup(int level, const std::shared_ptr<PlacedTool>& source);
  void lay_out_popup_items(OpenPopup& popup);
  static Size popup_outer_size(const OpenPopup& popup);
  static void fit_scroll(OpenPopup& popup);
  void place_popup(OpenPopup& popup, int level);
  void relayout_popups();
  void show_popup(OpenPopup& popup);
  paint::Colours popup_colours() const;
  void render_popup(OpenPopup& popup);
  void repaint_popup_item(OpenPopup& popup, int index);
  void paint_popup_item(OpenPopup& popup, int index, HDC dc, const paint::Colours& colours);
  void follow_scroll_area(OpenPopup& popup, menus::PopupScroll::Spot spot);
  void scroll_step(OpenPopup& popup);
  // Closes popup `level` and every deeper one.
  void close_popups(int level);
  // The same without telling the host; the hot items of the closed popups.
  std::vector<std::shared_ptr<PlacedTool>> take_popups(int level);
  std::shared_ptr<Tool> menu_tool_of(const VARIANT& tool) const;
  std::optional<DeckHit> popup_hit(HWND window, POINT screen) const;
  void run_popup_loop(const std::shared_ptr<Tool>& menu_tool);

  // DockFrame::Client
  Rect lay_out_docks(Rect inner) override;
  const DockCut& dock_cut() const override { return docked_.cut(); }
  void paint_docks(HDC dc, std::optional<int> band_of) override;
  // The dock areas must be drawn again: their look changed (and their
  // background, when `background`).
  void redraw_docks(bool background);
  bool frame_mouse(const FrameMouse& mouse) override;
  void frame_capture_lost() override;
  // What marks tools beyond the model: the hot tool, shown pressed or not.
  paint::ToolMarks tool_marks() const;
  // Draws the band of the docked toolbar that shows `tool` again.
  void repaint_band_of(const PlacedTool& tool);
  // Carries out what the mouse over the bars decided (control_mouse_object.cpp).
  void perform(const menus::BarActions& actions);
  void fire_mouse_event(DISPID dispid, const menus::BarAction& action);
  // Lays the docked toolbars out again, unless redrawing is off or a load runs.
  void refresh_layout();
  // Takes a toolbar out of its band as `before` had it and enters it where it
  // now asks to be, writing the renumbered rows and columns back.
  void reenter_band(const DockedToolbar& before);
  // What of the docked toolbars lies under a point in container units, or
  // under a point on the screen in a window.
  DeckHit hit_at(float x, float y) const;
  DeckHit hit_in(HWND window, POINT screen) const;

  // DeckEvents
  void toolbar_modified(Modified change, const std::shared_ptr<Toolbar>& toolbar,
                        const std::shared_ptr<PlacedTool>& placed) override;
  void tool_click(const ToolRef& tool) override;
  void model_changed(const Change& change) override;

  HRESULT fail(ErrorCode code) const;
  // Marks the control dirty and tells the container which property changed.
  void property_changed(DISPID dispid);
  template <class T, class U>
  HRESULT put_field(T& field, U value, DISPID dispid);
  HRESULT put_colour(uint32_t& field, OLE_COLOR value, DISPID dispid);
  // A put's result, the dock areas drawn again after one that succeeded.
  HRESULT redrawn(HRESULT hr, bool background);
  template <class T>
  HRESULT put_ranged(uint8_t& field, T value, const PropertyRange& range, DISPID dispid);
  HRESULT store_font(IFontDisp* font);
  HRESULT store_tag(const VARIANT& value);

  // Calls every connected event sink; args in the order of the event's
  // parameters. Nothing fires while saved state loads or events are frozen.
  void fire(DISPID dispid, std::initializer_list<VARIANT> args = {});
  // The events during whose handlers the control counts as inside an event.
  void fire_in_event(DISPID dispid, std::initializer_list<VARIANT> args);
  void end_customizing();
  void load_default_properties();


  // Saved state (control_persistence.cpp).
  records::ControlPropertyBlock property_block() const;
  void apply_property_block(const records::ControlPropertyBlock& block);
  // The font and background picture of the saved state; an absent font
  // falls back to the container's.
  void apply_stored_objects(const records::ControlStream& stream);
  // The control's whole binary state.
  HRESULT encode_state(std::vector<std::uint8_t>& out);
  // Replaces the control's state with the one in `bytes`, keeping what was
  // read before a failure. `consumed` is set to the length of a state read
  // in full.
  HRESULT decode_state(std::span<const std::uint8_t> bytes, bool headerless, std::size_t* consumed);
  // What every load ends with at run time: the original state for Reset and
  // the window set-up.
  void finish_load();
  // Configuration and layout files (control_files.cpp).
  // Loads a configuration or a layout with events and drawing off.
  HRESULT load_configuration(std::span<const std::uint8_t> bytes);
  HRESULT load_layout(std::span<const std::uint8_t> bytes);
  // Reads a local configuration or layout file.
  HRESULT load_configuration_file(const std::wstring& file);
  HRESULT load_layout_file(const std::wstring& file);
  // The local file behind a name the host gave, or nothing when a download of
  // it has started (or failed to start, in `hr`).
  std::optional<std::wstring> resolve_file_name(const std::wstring& name, DISPID tag, HRESULT& hr);
  // DownloadClient
  void download_done(DISPID tag, const std::wstring& file) override;

  // Takes a copy of the container's font unless the host set one.
  void take_ambient_font();
  // Fails with 0x80040007 when another live control of the thread already
  // lives in the same host window.
  HRESULT apply_one_control_rule();
  HRESULT activate_in_place();
  // Hooks, host hover worker and the control property of the host window.
  void set_up_windows(bool refresh);
  // A configuration load runs without the thread's hooks, at run time.
  void remove_hooks_for_load();
  bool has_window() const { return site_.has_window(); }

  ModuleObjectCount counted_;
  std::atomic<ULONG> refs_{1};
  Deck deck_{*this};
  ControlProperties properties_;
  CustomizationStrings strings_;
  ComPtr<IFontDisp> font_;
  ComPtr<IPictureDisp> picture_background_;
  Opaque tag_;
  ConnectionPoint events_point_{*this, DIID_DMzToolBarsEvents};
  ConnectionPoint notify_point_{*this, IID_IPropertyNotifySink};
  // Shells of tools and toolbars while the host holds them, by model object.
  std::unordered_map<const void*, IUnknown*> objects_;
  bool dirty_ = false;
  bool redraw_ = true;
  // While set, no events fire and changes of the object model are not
  // reported one by one.
  bool loading_ = false;
  // While set, a change does not lay the docked toolbars out: the caller does
  // once it is complete.
  bool layout_held_ = false;
  // The configuration file named while the external designer customizes.
  std::wstring designer_configuration_;
  // Version of the state loaded last; layouts are read with it.
  std::uint32_t loaded_version_ = records::kCurrentVersion;
  bool in_event_ = false;
  int frozen_events_ = 0;

  ControlSite site_;
  // The sink the container asked to hear of changes of the control's view.
  ComPtr<IAdviseSink> view_sink_;
  DWORD view_aspects_ = 0;
  DWORD view_flags_ = 0;
  // The docked toolbars' last layout with the settings and the captions it
  // measured with, the host window's frame that cuts the dock areas out,
  // and their painter.
  DeckLayout docked_;
  DeckLook docked_look_;
  CaptionCache captions_;
  CaptionMeasure caption_measure_;
  DockFrame dock_frame_{*this};
  DockPainter dock_painter_{picture_object};
  // The mouse over the docked toolbars: hot and pressed tools.
  menus::BarMouse bar_mouse_;
  menus::TrackerWindow tracker_{*this};
  std::shared_ptr<menus::HoverWorker> hover_;
  // Menu mode, its open popups (outermost first), the bar tool the keyboard
  // highlights, the tool and point of a PopupMenu call.
  menus::MenuMachine menu_machine_;
  std::vector<std::unique_ptr<OpenPopup>> popups_;
  std::shared_ptr<PlacedTool> bar_highlight_;
  std::shared_ptr<Tool> popup_menu_tool_;
  // The tool whose drop-down runs; it shows dropped meanwhile.
  std::shared_ptr<PlacedTool> dropped_tool_;
  Point popup_menu_point_;
  menus::PopupAlign popup_menu_align_ = menus::PopupAlign::left;
  bool right_button_as_left_ = false;
  // Bumped by every performance of menu actions, so one that host code
  // interrupted knows to stop.
  uint64_t menu_generation_ = 0;
  menus::ShortcutIndex shortcuts_;
  std::optional<paint::GdiObject<HFONT>> menu_font_;
  // The host is active (its frame or its application); the platform's own
  // menu loop runs in the host's window tree.
  bool active_ = false;
  bool native_menu_active_ = false;
  // Downloads through the container's bind host, and the sound whose
  // download is pending with whether to play it once it is there.
  Downloads downloads_;
  std::wstring pending_sound_;
  bool play_when_downloaded_ = false;
};

}  // namespace mz::com
