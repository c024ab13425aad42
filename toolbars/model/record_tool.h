#pragma once
// Tool records: the full record of a tool in the control's Tools collection,
// the instance part that alone stands for a tool placed on a toolbar or in a
// menu, and the combo-box, edit and menu sub-records.
//
// Instance part (current form, 9 bytes then two strings):
//   0 ForeColorSource   1 DisplayStyle   2 ForeColor (4)   6 CtlWidth (2)
//   8 instance flags (bit 0 visible here)   then Name, ID
// Older data has no instance flag byte (8 bytes); the tool is then visible
// everywhere.
//
// Full part (current form, 12 bytes then five strings and the sub-record):
//   0 State   1 Type   2 Shortcut   3 MenuVisibility   4 PictureSize (2)
//   6 picture width (2)   8 picture height (2)
//  10 flags: AutoWrap, Enabled, GroupAllowAllUp, Visible, UseMaskColor,
//     has Picture, has PictureDisabled, has PictureDown (bits 0..7)
//  11 flags: has PictureDownDisabled, a bit kept as loaded, Customizable,
//     RecentlyUsed (bits 0..3)
//   then Category, Description, Group, ToolTipText, TagVariant string,
//   and the combo-box (Type 4), edit (Type 5) or menu (Type 7) record.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolbars/model/record_reader.h"
#include "toolbars/model/record_result.h"

namespace mz::records {

inline constexpr std::uint8_t kToolTypeComboBox = 4;
inline constexpr std::uint8_t kToolTypeEdit = 5;
inline constexpr std::uint8_t kToolTypeMenu = 7;

// The four pictures of a tool, in the order of the picture strips.
enum PictureKind : std::size_t { kPicture, kPictureDown, kPictureDisabled, kPictureDownDisabled };
inline constexpr std::size_t kPictureKinds = 4;

// The fields that may differ per placement. Defaults are those of a blank
// placed tool; a tool's own instance part defaults CtlWidth to 75.
struct ToolInstanceRecord {
  std::uint8_t ForeColorSource = 0;  // 0 control's colour, 1 the tool's ForeColor
  std::uint8_t DisplayStyle = 0;
  std::uint32_t ForeColor = 0x80000012;
  std::int16_t CtlWidth = -1;  // on a placed tool, -1 uses the tool's own width
  bool VisibleHere = true;
  std::string Name;  // caption
  std::string ID;

  bool operator==(const ToolInstanceRecord&) const = default;
};

struct ComboItem {
  std::string Text;
  std::string ItemData;  // the item's data as text; empty when it has no text form

  bool operator==(const ComboItem&) const = default;
};

struct ComboRecord {
  std::uint8_t Style = 0;  // 0 drop-down, 1 drop-down list
  bool Locked = false;
  bool Sorted = false;
  std::string Text;
  std::vector<ComboItem> Items;

  bool operator==(const ComboRecord&) const = default;
};

struct EditRecord {
  std::int16_t MaxLength = 0;
  bool Locked = false;
  std::string Text;
  std::string PasswordChar;

  bool operator==(const EditRecord&) const = default;
};

struct MenuRecord {
  std::vector<ToolInstanceRecord> Tools;  // placed sub-tools in menu order

  bool operator==(const MenuRecord&) const = default;
};

// The instance part a new tool starts with: a tool is 75 pixels wide where
// its width matters (combo-box and edit tools).
inline ToolInstanceRecord NewToolInstance() {
  ToolInstanceRecord instance;
  instance.CtlWidth = 75;
  return instance;
}

struct ToolRecord {
  ToolInstanceRecord Instance = NewToolInstance();
  std::uint8_t State = 0;
  std::uint8_t Type = 0;
  std::uint8_t Shortcut = 0;
  std::uint8_t MenuVisibility = 0;
  std::int16_t PictureSize = 16;
  // Size of the tool's pictures (all of them share it). Written as 0 x 0 when
  // the tool has no picture.
  std::int16_t PictureWidth = 0;
  std::int16_t PictureHeight = 0;

  bool AutoWrap = false;
  bool Enabled = true;
  bool GroupAllowAllUp = true;
  bool Visible = true;
  bool UseMaskColor = true;
  std::array<bool, kPictureKinds> HasPicture{};  // indexed by PictureKind
  bool KeptFlag = false;  // bit 1 of the second flag byte: not interpreted, written back as loaded
  bool Customizable = true;
  bool RecentlyUsed = false;

  std::string Category = "General";
  std::string Description;
  std::string Group;
  std::string ToolTipText;
  std::string TagString;  // TagVariant when it holds a string, else empty

  // Only the record matching Type is read and written.
  ComboRecord ComboBox;
  EditRecord Edit;
  MenuRecord Menu;

  // Data that predates picture strips stores each present picture inline in
  // the platform's picture form; these are its bytes, indexed by PictureKind.
  // Never written: current data carries pictures in the strips.
  std::array<std::vector<std::uint8_t>, kPictureKinds> InlinePictures;

  bool operator==(const ToolRecord&) const = default;
};

// Smallest encoded sizes in data of `version`, for checking counts against
// the bytes that remain.
std::size_t MinPlacedToolSize(std::uint32_t version);
std::size_t MinToolRecordSize(std::uint32_t version);

Result<ToolInstanceRecord> ReadPlacedTool(RecordReader& reader, std::uint32_t version);
// CtlWidth -1 (use the tool's width) is written as is; other widths below 1
// are written as 1.
void WritePlacedTool(RecordWriter& writer, const ToolInstanceRecord& tool);

// `inlinePicture` measures the stored pictures of data that predates picture
// strips; it is not called for newer data.
Result<ToolRecord> ReadToolRecord(RecordReader& reader, std::uint32_t version, const ObjectMeasure& inlinePicture);
// CtlWidth is written as at least 1.
void WriteToolRecord(RecordWriter& writer, const ToolRecord& tool);

Result<ComboRecord> ReadComboRecord(RecordReader& reader);
void WriteComboRecord(RecordWriter& writer, const ComboRecord& combo);

Result<EditRecord> ReadEditRecord(RecordReader& reader, std::uint32_t version);
void WriteEditRecord(RecordWriter& writer, const EditRecord& edit);

Result<MenuRecord> ReadMenuRecord(RecordReader& reader, std::uint32_t version);
void WriteMenuRecord(RecordWriter& writer, const MenuRecord& menu);

}  // namespace mz::records
