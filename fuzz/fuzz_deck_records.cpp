// Fuzz target of the mapping between saved records and the control's object
// model. Whatever the record codec decodes from the input (a control stream,
// headerless configuration data, a tools stream or toolbar records, chosen by
// the input's header as for the codec's own target) is loaded into a model,
// which must then hold every rule the object model's setters keep; saving it
// and loading what was saved into a second model must save the same records.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <unordered_set>
#include <vector>

#include "deck_records.h"
#include "property_ranges.h"
#include "text_case.h"
#include "toolbars/model/record_control_stream.h"
#include "toolbars/model/tests/fake_record_platform.h"
#include "toolbars/model/tests/record_fixtures.h"
#include "toolbars/model/tests/record_fuzz_input.h"

namespace {

using namespace mz;
using namespace mz::records;
using namespace mz::records::testing;

void Check(bool condition) {
  if (!condition) std::abort();
}

class NoEvents final : public DeckEvents {
 public:
  void toolbar_modified(Modified, const std::shared_ptr<Toolbar>&, const std::shared_ptr<PlacedTool>&) override {}
  void tool_click(const ToolRef&) override {}
  void model_changed(const Change&) override {}
};

// No separator first, last or next to another one; no empty ID.
void CheckPlacedList(const PlacedToolList& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    Check(!list.at(i)->id.empty());
    if (!list.at(i)->is_separator()) continue;
    Check(i > 0 && i + 1 < list.size() && !list.at(i - 1)->is_separator());
  }
  for (const auto& placed : list) {
    Check(kForeColorSourceRange.contains(placed->fields.fore_color_source));
    Check(kDisplayStyleRange.contains(placed->fields.display_style));
    Check(kPlacedCtlWidthRange.contains(placed->fields.ctl_width));
  }
}

// Whether `target` can be reached from the menu of `from`.
bool Reaches(const Deck& deck, const Tool& from, const Tool& target) {
  std::unordered_set<const Tool*> seen;
  std::vector<const Tool*> pending{&from};
  while (!pending.empty()) {
    const Tool* menu_tool = pending.back();
    pending.pop_back();
    if (!menu_tool->menu()) continue;
    for (const auto& placed : *menu_tool->menu()) {
      auto inner = deck.tools().find(placed->id);
      if (!inner) continue;
      if (inner.get() == &target) return true;
      if (seen.insert(inner.get()).second) pending.push_back(inner.get());
    }
  }
  return false;
}

void CheckInvariants(const Deck& deck) {
  std::unordered_set<std::wstring> ids;
  std::unordered_set<int> shortcuts;
  for (const auto& tool : deck.tools()) {
    Check(!tool->id.empty() && !is_separator_id(tool->id));
    Check(ids.insert(fold_case(tool->id)).second);
    Check(kToolTypeRange.contains(static_cast<int>(tool->type())) && tool->type() != ToolType::separator);
    Check(kToolStateRange.contains(tool->state) && kMenuVisibilityRange.contains(tool->menu_visibility));
    Check(kPictureSizeRange.contains(tool->picture_size) && kShortcutRange.contains(tool->shortcut));
    Check(tool->shortcut == 0 || shortcuts.insert(tool->shortcut).second);
    if (tool->menu()) {
      CheckPlacedList(*tool->menu());
      Check(!Reaches(deck, *tool, *tool));
    }
  }
  std::unordered_set<std::wstring> names;
  int menu_bars = 0;
  for (const auto& toolbar : deck.toolbars()) {
    Check(!toolbar->name.empty() && names.insert(fold_case(toolbar->name)).second);
    menu_bars += toolbar->is_menu_bar();
    Check(kDockedRowRange.contains(toolbar->docked_row) && kDockedColumnRange.contains(toolbar->docked_column));
    Check(kDockFlagsRange.contains(toolbar->dock_flags.bits()));
    Check(!toolbar->is_menu_bar() || (!toolbar->allow_hiding && toolbar->visible && !toolbar->display_more_tools));
    CheckPlacedList(toolbar->tools);
  }
  Check(menu_bars <= 1);
}

struct Saved {
  ToolsStream tools;
  std::vector<ToolbarRecord> toolbars;
  bool operator==(const Saved&) const = default;
};

Saved Save(const Deck& deck, const RecordPlatform& platform) {
  Saved saved;
  Check(save_tools(deck, platform, 0xC0C0C0, saved.tools));
  saved.toolbars = save_toolbars(deck, platform);
  return saved;
}

void RoundTrip(const ToolsStream& tools, const std::vector<ToolbarRecord>& toolbars) {
  const test::FakeRecordPlatform platform;
  NoEvents events;
  Deck first(events);
  load_tools(first, tools, true, platform);
  load_toolbars(first, toolbars, platform);
  CheckInvariants(first);
  const Saved saved = Save(first, platform);

  Deck second(events);
  load_tools(second, saved.tools, true, platform);
  load_toolbars(second, saved.toolbars, platform);
  CheckInvariants(second);
  Check(Save(second, platform) == saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size < kFuzzHeaderSize) return 0;
  const std::span<const std::uint8_t> data(bytes + kFuzzHeaderSize, size - kFuzzHeaderSize);
  const std::uint32_t version = kFuzzVersions[bytes[1] % kFuzzVersions.size()];
  const auto count = static_cast<std::int16_t>(bytes[2] | bytes[3] << 8);
  RecordReader reader(data);
  switch (static_cast<FuzzMode>(bytes[0] % kFuzzModes)) {
    case kFuzzControlStream:
    case kFuzzHeaderless: {
      const bool headerless = bytes[0] % kFuzzModes == kFuzzHeaderless;
      auto stream = headerless ? ReadHeaderlessControlStream(reader, FakeMeasures()) : ReadControlStream(reader, FakeMeasures());
      RoundTrip(stream.Value.Tools, stream.Value.ToolBars);
      break;
    }
    case kFuzzToolsStream:
      RoundTrip(ReadToolsStream(reader, version, count, MeasureFakeObject).Value, {});
      break;
    case kFuzzToolbarRecords:
      RoundTrip({}, ReadToolbarRecords(reader, version, count).Value);
      break;
    default:
      break;
  }
  return 0;
}
