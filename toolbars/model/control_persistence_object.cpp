// The control's saved state as one binary stream (IPersistStreamInit): the
// encoding and decoding that the property bag and the configuration files
// share, and the container's stream load and save.
#include <algorithm>

#include "colour.h"
#include "control_object.h"
#include "persisted_objects_win32.h"
#include "picture_cells_win32.h"
#include "record_platform_win32.h"
#include "scoped_value.h"

namespace mz::com {
namespace {

// Size of the stream header: signature, header word, extent and version.
constexpr std::size_t kStreamHeaderSize = 20;

// A record error as the platform's error: a stream that is not the
// control's is unexpected; anything else could not be read as written.
HRESULT record_failure(const records::RecordError& error) {
  return error.Code == records::RecordErrorCode::BadSignature ? E_UNEXPECTED : STG_E_READFAULT;
}

}  // namespace

// --- Property block ------------------------------------------------------------------

records::ControlPropertyBlock ControlObject::property_block() const {
  records::ControlPropertyBlock block;
  block.BackColor = properties_.back_color;
  block.ForeColor = properties_.fore_color;
  block.PictureBackgroundMaskColor = properties_.picture_background_mask_color;
  block.ToolBarsCount = static_cast<std::int16_t>(std::min<std::size_t>(deck_.toolbars().size(), INT16_MAX));
  block.ToolsCount = static_cast<std::int16_t>(std::min<std::size_t>(deck_.tools().size(), INT16_MAX));
  block.ToolTipDelay = properties_.tooltip_delay;
  block.FontSource = properties_.font_source;
  block.MenuAnimations = properties_.menu_animations;
  block.PersonalizedMenus = properties_.personalized_menus;
  block.PictureBackgroundStyle = properties_.picture_background_style;
  block.Style = properties_.style;
  block.ActiveColors = properties_.active_colors;
  block.DisplayContextMenu = properties_.display_context_menu;
  block.Enabled = properties_.enabled;
  block.PictureBackgroundUseMask = properties_.picture_background_use_mask;
  block.ShowShortcutsInToolTips = properties_.show_shortcuts_in_tooltips;
  block.ShowToolTips = properties_.show_tooltips;
  block.Visible = properties_.visible;
  block.LargeIcons = properties_.large_icons;
  block.FontSet = properties_.font_set_explicitly && font_;
  block.HasPictureBackground = holds_image(picture_background_.get());
  return block;
}

void ControlObject::apply_property_block(const records::ControlPropertyBlock& block) {
  auto colour = [](std::uint32_t value, std::uint32_t fallback) { return is_valid_ole_colour(value) ? value : fallback; };
  auto ranged = [](int value, const PropertyRange& range) { return static_cast<std::uint8_t>(range.clamp_or_default(value)); };
  const ControlProperties defaults;
  properties_.back_color = colour(block.BackColor, defaults.back_color);
  properties_.fore_color = colour(block.ForeColor, defaults.fore_color);
  properties_.picture_background_mask_color = colour(block.PictureBackgroundMaskColor, defaults.picture_background_mask_color);
  properties_.tooltip_delay = static_cast<std::int16_t>(kToolTipDelayRange.clamp_or_default(block.ToolTipDelay));
  properties_.font_source = ranged(block.FontSource, kFontSourceRange);
  properties_.menu_animations = ranged(block.MenuAnimations, kMenuAnimationsRange);
  properties_.personalized_menus = ranged(block.PersonalizedMenus, kPersonalizedMenusRange);
  properties_.picture_background_style =
      ranged(block.PictureBackgroundStyle, kPictureBackgroundStyleRange);
  properties_.style = ranged(block.Style, kStyleRange);
  properties_.active_colors = block.ActiveColors;
  properties_.display_context_menu = block.DisplayContextMenu;
  properties_.enabled = block.Enabled;
  properties_.picture_background_use_mask = block.PictureBackgroundUseMask;
  properties_.show_shortcuts_in_tooltips = block.ShowShortcutsInToolTips;
  properties_.show_tooltips = block.ShowToolTips;
  properties_.visible = block.Visible;
  properties_.large_icons = block.LargeIcons;
}

void ControlObject::apply_stored_objects(const records::ControlStream& stream) {
  font_.reset();
  properties_.font_set_explicitly = false;
  if (!stream.Font.empty() && SUCCEEDED(load_font(stream.Font, font_.put()))) properties_.font_set_explicitly = true;
  if (!properties_.font_set_explicitly) take_ambient_font();
  picture_background_.reset();
  if (!stream.PictureBackground.empty()) load_picture(stream.PictureBackground, picture_background_.put());
}

// --- Encoding and decoding ---------------------------------------------------------

HRESULT ControlObject::encode_state(std::vector<std::uint8_t>& out) {
  records::ControlStream stream;
  stream.Header = {site_.extent().cx, site_.extent().cy, records::kCurrentVersion};
  stream.Block = property_block();
  if (stream.Block.FontSet) {
    HRESULT hr = save_object(font_.get(), stream.Font);
    if (FAILED(hr)) return hr;
  }
  if (stream.Block.HasPictureBackground) {
    HRESULT hr = save_object(picture_background_.get(), stream.PictureBackground);
    if (FAILED(hr)) return hr;
  }
  const RecordPlatform& platform = record_platform();
  stream.TagString = platform.tag_text(tag_);
  if (!save_tools(deck_, platform, fill_pixel(properties_.back_color), stream.Tools)) return E_OUTOFMEMORY;
  stream.ToolBars = save_toolbars(deck_, platform);
  auto bytes = records::EncodeControlStream(stream);
  // Only counts and texts too long for their 16-bit fields fail here.
  if (!bytes) return E_INVALIDARG;
  out = std::move(*bytes);
  return S_OK;
}

HRESULT ControlObject::decode_state(std::span<const std::uint8_t> bytes, bool headerless, std::size_t* consumed) {
  records::RecordReader reader(bytes);
  const auto measures = stored_object_measures();
  auto read = headerless ? records::ReadHeaderlessControlStream(reader, measures)
                         : records::ReadControlStream(reader, measures);
  const records::ControlStream& stream = read.Value;
  const std::size_t header = headerless ? 0 : kStreamHeaderSize;
  const bool block_read = !read.Error || read.Error->Offset >= header + records::ControlBlockSize(stream.Header.Version);

  ScopedValue loading(loading_, true);
  deck_.discard_all();
  // The old background picture goes whether or not the new one can be read.
  picture_background_.reset();
  if (block_read) {
    if (!headerless) site_.set_extent({stream.Header.ExtentX, stream.Header.ExtentY});
    loaded_version_ = stream.Header.Version;
    apply_property_block(stream.Block);
    apply_stored_objects(stream);
    tag_ = stream.TagString.empty() ? Opaque() : record_platform().text_value(from_ansi(stream.TagString));
  }
  load_tools(deck_, stream.Tools, !design_time(), record_platform());
  load_toolbars(deck_, stream.ToolBars, record_platform());
  if (read.Error) return record_failure(*read.Error);
  if (consumed) *consumed = reader.Offset();
  return S_OK;
}

void ControlObject::finish_load() {
  if (design_time()) return;
  deck_.keep_original_state();
  if (has_window()) set_up_windows(true);
}

// --- IPersistStreamInit ------------------------------------------------------------

HRESULT ControlObject::Load(IStream* stream) {
  return guarded([&]() -> HRESULT {
    if (!stream) return E_POINTER;
    HRESULT hr = apply_one_control_rule();
    if (FAILED(hr)) return hr;
    const ULARGE_INTEGER start = stream_position(stream);
    std::vector<std::uint8_t> bytes;
    hr = read_rest(stream, bytes);
    if (FAILED(hr)) return hr;
    std::size_t consumed = 0;
    hr = decode_state(bytes, false, &consumed);
    dirty_ = false;
    // A state that cannot be read leaves the container's stream where it
    // was, so that the container can read what it holds there itself.
    if (FAILED(hr)) {
      seek_to(stream, start, 0);
      return hr;
    }
    // The container's stream may hold more after the control's state.
    hr = seek_to(stream, start, consumed);
    if (FAILED(hr)) return hr;
    finish_load();
    return S_OK;
  });
}

HRESULT ControlObject::Save(IStream* stream, BOOL clear_dirty) {
  return guarded([&]() -> HRESULT {
    if (!stream) return E_POINTER;
    std::vector<std::uint8_t> bytes;
    HRESULT hr = encode_state(bytes);
    if (FAILED(hr)) return hr;
    hr = write_all(stream, bytes);
    if (FAILED(hr)) return hr;
    if (clear_dirty) dirty_ = false;
    return S_OK;
  });
}

HRESULT ControlObject::GetSizeMax(ULARGE_INTEGER* size) {
  return guarded([&]() -> HRESULT {
    if (!size) return E_POINTER;
    std::vector<std::uint8_t> bytes;
    HRESULT hr = encode_state(bytes);
    if (FAILED(hr)) return hr;
    size->QuadPart = bytes.size();
    return S_OK;
  });
}

HRESULT ControlObject::InitNew() {
  return guarded([&]() -> HRESULT {
    HRESULT hr = apply_one_control_rule();
    if (FAILED(hr)) return hr;
    {
      ScopedValue loading(loading_, true);
      deck_.discard_all();
    }
    load_default_properties();
    loaded_version_ = records::kCurrentVersion;
    take_ambient_font();
    dirty_ = false;
    if (!design_time() && has_window()) set_up_windows(true);
    return S_OK;
  });
}

}  // namespace mz::com
