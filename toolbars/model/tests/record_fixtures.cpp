#include "toolbars/model/tests/record_fixtures.h"

#include <string>

#include "toolbars/model/record_checked_size.h"

namespace mz::records::testing {

Bytes& Bytes::U8(std::uint8_t v) {
  bytes_.push_back(v);
  return *this;
}

Bytes& Bytes::I16(std::int16_t v) {
  const auto u = static_cast<std::uint16_t>(v);
  bytes_.push_back(static_cast<std::uint8_t>(u & 0xFF));
  bytes_.push_back(static_cast<std::uint8_t>(u >> 8));
  return *this;
}

Bytes& Bytes::I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }

Bytes& Bytes::U32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  return *this;
}

Bytes& Bytes::Str(std::string_view text) {
  I16(static_cast<std::int16_t>(text.size()));
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  return *this;
}

Bytes& Bytes::Raw(std::span<const std::uint8_t> bytes) {
  for (std::uint8_t byte : bytes) bytes_.push_back(byte);
  return *this;
}

std::vector<std::uint8_t> FakeStoredObject(std::string_view content) {
  Bytes b;
  b.U32(static_cast<std::uint32_t>(content.size()));
  b.Raw({reinterpret_cast<const std::uint8_t*>(content.data()), content.size()});
  return b.data();
}

std::optional<std::size_t> MeasureFakeObject(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 4) return std::nullopt;
  const std::uint32_t length = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
  // The whole object, length field included; a length whose total a size_t
  // cannot hold is not a measurable object.
  return CheckedSize(length).Plus(4).ToSize();
}

StoredObjectMeasures FakeMeasures() { return {MeasureFakeObject, MeasureFakeObject}; }

PixelImage PatternImage(int width, int height, std::uint32_t seed) {
  PixelImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) image.Pixels.push_back((seed * 0x010203u + static_cast<std::uint32_t>(i) * 0x00050301u) & 0x00FFFFFF);
  return image;
}

ToolInstanceRecord SamplePlacedTool(std::string_view id) {
  ToolInstanceRecord tool;
  tool.ForeColorSource = 1;
  tool.DisplayStyle = 2;
  tool.ForeColor = 0x00123456;
  tool.CtlWidth = 90;
  tool.VisibleHere = false;
  tool.Name = std::string("Placed ").append(id);
  tool.ID = std::string(id);
  return tool;
}

namespace {

ToolRecord SampleTool(std::string_view id, std::uint8_t type) {
  ToolRecord tool;
  tool.Instance = SamplePlacedTool(id);
  tool.Instance.Name = std::string("&").append(id);
  tool.Instance.CtlWidth = 120;
  tool.State = 1;
  tool.Type = type;
  tool.Shortcut = 7;
  tool.MenuVisibility = 1;
  tool.PictureSize = 24;
  tool.AutoWrap = true;
  tool.Enabled = false;
  tool.GroupAllowAllUp = false;
  tool.Visible = false;
  tool.UseMaskColor = false;
  tool.KeptFlag = true;
  tool.Customizable = false;
  tool.RecentlyUsed = true;
  tool.Category = std::string("Category of ").append(id);
  tool.Description = "Description";
  tool.Group = "Group";
  tool.ToolTipText = "Tip";
  tool.TagString = "Tag";
  return tool;
}

}  // namespace

ToolRecord SampleButton() {
  ToolRecord tool = SampleTool("ID_Button", 0);
  tool.HasPicture[kPicture] = true;
  tool.HasPicture[kPictureDown] = true;
  tool.PictureWidth = 20;
  tool.PictureHeight = 18;
  return tool;
}

ToolRecord SampleCombo() {
  ToolRecord tool = SampleTool("ID_Combo", kToolTypeComboBox);
  tool.ComboBox = {1, true, true, "second", {{"first", "1"}, {"second", ""}, {"third", "3.5"}}};
  return tool;
}

ToolRecord SampleEdit() {
  ToolRecord tool = SampleTool("ID_Edit", kToolTypeEdit);
  tool.Edit = {40, true, "typed", "*"};
  return tool;
}

ToolRecord SampleMenu() {
  ToolRecord tool = SampleTool("ID_Menu", kToolTypeMenu);
  tool.Menu.Tools = {SamplePlacedTool("ID_Button"), SamplePlacedTool("separator"), SamplePlacedTool("ID_Edit")};
  tool.HasPicture[kPictureDownDisabled] = true;
  tool.PictureWidth = 32;
  tool.PictureHeight = 32;
  return tool;
}

ToolbarRecord SampleToolbar() {
  ToolbarRecord toolbar;
  toolbar.CaptionAlignment = 1;
  toolbar.DockedStatus = 4;
  toolbar.Font3D = 5;
  toolbar.Style = 1;
  toolbar.Reserved4 = 0xAB;
  toolbar.ReturnDock = 8;
  toolbar.DockedColumn = 3;
  toolbar.DockedRow = 2;
  toolbar.Reserved12 = 1212;
  toolbar.Reserved14 = 1414;
  toolbar.FloatingRow = 7;
  toolbar.FloatingColumn = 9;
  toolbar.Reserved20 = 2020;
  toolbar.Reserved22 = 2222;
  toolbar.DockFlags = 100;
  toolbar.FloatingHeight = 61;
  toolbar.FloatingLeft = -300;
  toolbar.FloatingTop = 250;
  toolbar.FloatingWidth = 404;
  toolbar.AllowCustomize = false;
  toolbar.AllowHiding = false;
  toolbar.DisplayGrabHandles = false;
  toolbar.Stock = true;
  toolbar.Visible = false;
  toolbar.DisplayMoreToolsButton = true;
  toolbar.Name = "Menu Bar";
  toolbar.Tools = {SamplePlacedTool("ID_Menu"), SamplePlacedTool("ID_Combo")};
  toolbar.TagString = "bar tag";
  return toolbar;
}

ControlStream SampleControlStream() {
  ControlStream stream;
  stream.Header.ExtentX = 12700;
  stream.Header.ExtentY = 847;
  ControlPropertyBlock& block = stream.Block;
  block.BackColor = 0x00102030;
  block.ForeColor = 0x80000008;
  block.PictureBackgroundMaskColor = 0x00FF00FF;
  block.ToolTipDelay = 1500;
  block.FontSource = 1;
  block.MenuAnimations = 3;
  block.PersonalizedMenus = 0;
  block.PictureBackgroundStyle = 2;
  block.Style = 0;
  block.ActiveColors = true;
  block.DisplayContextMenu = false;
  block.Enabled = false;
  block.PictureBackgroundUseMask = true;
  block.ShowShortcutsInToolTips = true;
  block.ShowToolTips = false;
  block.Visible = false;
  block.LargeIcons = true;
  block.FontSet = true;
  block.HasPictureBackground = true;
  stream.Font = FakeStoredObject("font: Tahoma 8");
  stream.PictureBackground = FakeStoredObject("picture: bricks");
  stream.TagString = "control tag";

  stream.Tools.Tools = {SampleButton(), SampleCombo(), SampleEdit(), SampleMenu()};
  stream.Tools.RemovedToolIDs = {"ID_Removed", "ID_Also_Removed"};
  const std::vector<PixelImage> one = {PatternImage(20, 18, 1)};
  stream.Tools.Strips[kPicture] = *BuildPictureStrip(one, 0x00808080);
  const std::vector<PixelImage> down = {PatternImage(20, 18, 2)};
  stream.Tools.Strips[kPictureDown] = *BuildPictureStrip(down, 0x00808080);
  const std::vector<PixelImage> downDisabled = {PatternImage(32, 32, 3)};
  stream.Tools.Strips[kPictureDownDisabled] = *BuildPictureStrip(downDisabled, 0x00808080);

  ToolbarRecord floating;
  floating.DockedStatus = kDockedFloating;
  floating.Name = "Standard";
  floating.Tools = {SamplePlacedTool("ID_Button"), SamplePlacedTool("separator")};
  stream.ToolBars = {SampleToolbar(), floating};
  block.ToolsCount = 4;
  block.ToolBarsCount = 2;
  return stream;
}

std::vector<std::uint8_t> HandBuiltStrip() {
  // 32 x 33 at 24 bits per pixel, bottom-up: the top-left 20 x 18 holds
  // pixel (x, y) = red x * 8, green y * 8, blue 0x40; the rest is grey.
  Bytes b;
  const int width = 32, height = 33, stride = 96;
  b.U32(40).I32(width).I32(height).I16(1).I16(24).U32(0).U32(stride * height).U32(0).U32(0).U32(0).U32(0);
  for (int row = height - 1; row >= 0; --row) {
    for (int x = 0; x < width; ++x) {
      const bool inPicture = x < 20 && row < 18;
      b.U8(inPicture ? 0x40 : 0x80).U8(inPicture ? static_cast<std::uint8_t>(row * 8) : 0x80)
          .U8(inPicture ? static_cast<std::uint8_t>(x * 8) : 0x80);
    }
  }
  return b.data();
}

namespace {

void InstancePart(Bytes& b, std::uint32_t version, std::string_view name, std::string_view id) {
  b.U8(1).U8(2).U32(0x000000FF).I16(80);  // ForeColorSource, DisplayStyle, ForeColor, CtlWidth
  if (version > 0x00020002) b.U8(0);       // instance flags: not visible here
  b.Str(name).Str(id);
}

// State 1, Type `type`, Shortcut 5, MenuVisibility 1 where stored,
// PictureSize 24, pictures `width` x `height` where stored, flags as given.
void FullPart(Bytes& b, std::uint32_t version, std::uint8_t type, std::uint8_t flags, std::uint8_t flags2,
              std::int16_t width, std::int16_t height) {
  b.U8(1).U8(type).U8(5);
  if (version > 0x00020001) {
    b.U8(1).I16(24).I16(width).I16(height).U8(flags).U8(flags2);
  } else if (version == 0x00020001) {
    b.I16(24).I16(width).I16(height).U8(flags).U8(flags2);
  } else {
    b.I16(24).U8(flags).U8(flags2);
    if (version >= 0x00010004) b.I16(width).I16(height);
  }
}

void ToolStrings(Bytes& b) { b.Str("File").Str("Opens a file").Str("grp").Str("Open").Str("tool tag"); }

}  // namespace

std::vector<std::uint8_t> HandBuiltControlStream(std::uint32_t version, bool headerless) {
  Bytes b;
  if (!headerless) b.U32(0x12344321).U32(8).I32(1000).I32(500).U32(version);

  // Block: colours, 1 toolbar, 4 tools, ToolTipDelay 750, FontSource 1,
  // MenuAnimations 2, PersonalizedMenus 1 and Style 1 where stored,
  // PictureBackgroundStyle 1, Booleans 0xA5, no font, no picture.
  b.U32(0x00112233).U32(0x00445566).U32(0x00778899).I16(1).I16(4).I16(750).U8(1).U8(2);
  if (version > 0x00020001) b.U8(1).U8(1).U8(1);
  else b.U8(0x5A).U8(1);  // offset 20 unused
  b.U8(0xA5).U8(0);
  b.Str("control tag");

  // ID_Open: button with a 20 x 18 Picture; AutoWrap, Enabled, Visible, has Picture;
  // second byte: the kept bit only.
  InstancePart(b, version, "&Open", "ID_Open");
  FullPart(b, version, 0, 0x2B, 0x02, 20, 18);
  ToolStrings(b);
  if (version < 0x00010004) {
    const std::vector<std::uint8_t> picture = FakeStoredObject("inline picture");
    b.Raw(picture);
  }

  // ID_Menu: menu with one sub-tool; Enabled, Visible; Customizable and
  // RecentlyUsed set in the second byte.
  InstancePart(b, version, "&File", "ID_Menu");
  FullPart(b, version, 7, 0x0A, 0x0C, 0, 0);
  ToolStrings(b);
  b.I16(1);
  InstancePart(b, version, "&Open...", "ID_Open");

  // ID_Edit: MaxLength 12, Locked, Text "abc", PasswordChar "*" where stored.
  InstancePart(b, version, "Search", "ID_Edit");
  FullPart(b, version, 5, 0x0A, 0x00, 0, 0);
  ToolStrings(b);
  b.I16(12).U8(1).Str("abc");
  if (version > 0x00020002) b.Str("*");

  // ID_Combo: drop-down list, Locked and Sorted, two items.
  InstancePart(b, version, "Zoom", "ID_Combo");
  FullPart(b, version, 4, 0x0A, 0x00, 0, 0);
  ToolStrings(b);
  b.U8(1).U8(3).Str("100%").I16(2).Str("50%").Str("50").Str("100%").Str("");

  if (version > 0x00020006) b.I16(1).Str("ID_Gone");
  if (version >= 0x00010004) {
    const std::vector<std::uint8_t> strip = HandBuiltStrip();
    b.U32(static_cast<std::uint32_t>(strip.size())).Raw(strip);
  }

  // Toolbar "Standard", floating: CaptionAlignment 2, Font3D 1, Style 0,
  // reserved 7, return to dock 4, column 3, row 2, one tool, reserved 11 and
  // 12, floating row 5 and column 6, reserved 20 and 22 where stored,
  // DockFlags 63, floating height 100, left 200, top 300, width 400;
  // AllowCustomize, DisplayGrabHandles, Visible, DisplayMoreToolsButton.
  b.U8(2).U8(16).U8(1).U8(0).U8(7).U8(4).I16(3).I16(2).I16(1).I16(11).I16(12).I16(5).I16(6);
  if (version > 0x00020007) b.I16(20).I16(22);
  b.I32(63).I32(100).I32(200).I32(300).I32(400).U8(0x35);
  b.Str("Standard");
  InstancePart(b, version, "&Open", "ID_Open");
  if (version >= 0x00020000) b.Str("bar tag");
  return b.data();
}

}  // namespace mz::records::testing
