#include "tool_placement.h"

#include <algorithm>

#include "tool_metrics.h"
#include "toolbar_extents.h"

namespace mz {

namespace {

// The room kept at the far end after the tools: the More Tools button with
// its margin, or the chevron of a compressed toolbar (only a margin when the
// toolbar asks for the button but may not show it). In the customizer no
// tool goes into overflow, so no chevron is needed there.
int end_reserve(const BarShape& shape, bool compressed) {
  if (shape.more_tools) return more_tools_length(shape.large_icons) + 2;
  if (!compressed) return 0;
  return shape.display_more_tools ? 2 : 12;
}

bool shown(const ToolSpot& spot) { return spot.fate == ToolFate::shown; }

// A separator stays only while a shown tool follows it in its group;
// otherwise it goes into overflow with its group.
void overflow_unfollowed_separators(const ToolbarInput& bar, std::vector<ToolSpot>& spots) {
  bool tool_follows = false;
  for (size_t i = spots.size(); i-- > 0;) {
    if (!shown(spots[i])) continue;
    if (!bar.tools[i].separator) {
      tool_follows = true;
    } else if (!tool_follows) {
      spots[i].fate = ToolFate::overflow;
    } else {
      tool_follows = false;
    }
  }
}

// 97 style, menu bar and customizer: from the last tool back, tools go into
// overflow until the rest fit in `capacity`. The first tool stays when no
// tool after it does; a separator stays when a tool of its group does.
void overflow_from_end(const ToolbarInput& bar, std::vector<ToolSpot>& spots, int capacity) {
  const Orientation o = bar.shape.orientation;
  int remaining = 0;
  size_t first = spots.size();
  for (size_t i = 0; i < spots.size(); ++i) {
    if (!shown(spots[i])) continue;
    remaining += pick(o, bar.tools[i].size);
    first = std::min(first, i);
  }
  bool kept_after = false, kept_in_group = false;
  for (size_t i = spots.size(); i-- > 0;) {
    if (!shown(spots[i])) continue;
    const BarTool& tool = bar.tools[i];
    const bool stays = tool.separator ? kept_in_group
                                      : keeps_place(tool, bar.shape) || (i == first && !kept_after) ||
                                            remaining <= capacity;
    if (!stays) {
      spots[i].fate = ToolFate::overflow;
      remaining -= pick(o, tool.size);
    }
    kept_in_group = !tool.separator && (stays || kept_in_group);
    kept_after = kept_after || kept_in_group;
  }
}

// 2000 style: the leading tools that fit in `capacity` stay; from the first
// one that does not, every tool goes into overflow. Separators follow their
// group.
void overflow_from_first_misfit(const ToolbarInput& bar, std::vector<ToolSpot>& spots, int capacity) {
  const Orientation o = bar.shape.orientation;
  int used = 0;
  bool overflowing = false;
  for (size_t i = 0; i < spots.size(); ++i) {
    if (!shown(spots[i])) continue;
    const BarTool& tool = bar.tools[i];
    const int length = pick(o, tool.size);
    if (tool.separator) {
      if (!overflowing) used += length;
    } else if (keeps_place(tool, bar.shape) || (!overflowing && used + length <= capacity)) {
      used += length;
    } else {
      overflowing = true;
      spots[i].fate = ToolFate::overflow;
    }
  }
  overflow_unfollowed_separators(bar, spots);
}

// Separators that would come first once the tools before them went into
// overflow go there too.
void overflow_leading_separators(const ToolbarInput& bar, std::vector<ToolSpot>& spots) {
  for (size_t i = 0; i < spots.size(); ++i) {
    if (!shown(spots[i])) continue;
    if (!bar.tools[i].separator) return;
    spots[i].fate = ToolFate::overflow;
  }
}

struct Line {
  int thickest = 0;  // of its tools other than separators
  int length = 0;
  int top = 0;        // across the toolbar
  int thickness = 0;  // thickest + 4, or more for a lone line in a thicker rectangle
};

// Where each shown tool starts along the toolbar and on which line.
struct Lines {
  std::vector<Line> lines{1};
  std::vector<int> along;
  std::vector<int> length;  // along the toolbar: the tool's own, or less for a narrowed window
  std::vector<int> line_of;
  std::vector<bool> breaks;  // the separator ends its line
};

// The length of the shown tools after separator `sep` up to the next shown
// separator.
int group_length(const ToolbarInput& bar, const std::vector<ToolSpot>& spots, size_t sep) {
  int length = 0;
  for (size_t i = sep + 1; i < spots.size(); ++i) {
    if (!shown(spots[i])) continue;
    if (bar.tools[i].separator) break;
    length += pick(bar.shape.orientation, bar.tools[i].size);
  }
  return length;
}

// Lays the shown tools out in lines from `start`, breaking a line before a
// tool that would pass `limit`, and at a separator when it and its group
// would pass it.
// A line holds at least one tool, however long; a combo-box or edit window
// longer than a line of its own is narrowed to the line, as a window that
// passed the toolbar would cover what lies beyond it.
Lines break_lines(const ToolbarInput& bar, const std::vector<ToolSpot>& spots, int start, int limit) {
  const Orientation o = bar.shape.orientation;
  Lines out;
  out.along.assign(spots.size(), start);
  out.length.assign(spots.size(), 0);
  out.line_of.assign(spots.size(), 0);
  out.breaks.assign(spots.size(), false);
  int x = start;
  auto next_line = [&] {
    out.lines.back().length = x - start;
    out.lines.emplace_back();
    x = start;
  };
  for (size_t i = 0; i < spots.size(); ++i) {
    if (!shown(spots[i])) continue;
    const BarTool& tool = bar.tools[i];
    const int length = pick(o, tool.size);
    const bool line_empty = x == start;
    const int line = static_cast<int>(out.lines.size()) - 1;
    if (tool.separator) {
      // The separator's own length counts, so that it never ends a line
      // whose next tool starts the next one.
      if (!line_empty && x + length + group_length(bar, spots, i) > limit) {
        out.line_of[i] = line;
        out.breaks[i] = true;
        next_line();
        continue;
      }
    } else if (!line_empty && x + length > limit) {
      next_line();
    }
    out.line_of[i] = static_cast<int>(out.lines.size()) - 1;
    out.along[i] = x;
    out.length[i] = tool.window && x + length > limit ? std::max(limit - x, 0) : length;
    x += out.length[i];
    if (!tool.separator) out.lines.back().thickest = std::max(out.lines.back().thickest, perp(o, tool.size));
  }
  out.lines.back().length = x - start;
  return out;
}

// Stacks the lines from the toolbar's near edge. A lone line fills a
// rectangle thicker than it; a line without tools is as thick as an empty
// toolbar.
int stack_lines(std::vector<Line>& lines, const BarShape& shape, Rect bounds) {
  const Orientation o = shape.orientation;
  int top = perp_start(o, bounds);
  for (Line& line : lines) {
    if (line.thickest == 0) line.thickest = shape.picture_size + 6;
    line.thickness = line.thickest + 4;
    line.top = top;
    top += line.thickness;
  }
  if (lines.size() == 1) lines[0].thickness = std::max(lines[0].thickness, perp_end(o, bounds) - perp_start(o, bounds));
  return lines.size() == 1 ? lines[0].thickness : top - perp_start(o, bounds);
}

// A tool of thickness `thick` centred across its line.
Rect in_line(Orientation o, const Line& line, int along, int length, int thick) {
  const int across = line.top + (line.thickness - thick) / 2;
  return rect_at(oriented_point(o, along, across), oriented_size(o, length, thick));
}

}  // namespace

Placement place_tools(const ToolbarInput& bar, Rect bounds) {
  const BarShape& shape = bar.shape;
  const Orientation o = shape.orientation;
  Placement out;
  out.tools.resize(bar.tools.size());
  const std::vector<bool> stray = stray_separators(bar.tools);
  for (size_t i = 0; i < stray.size(); ++i)
    if (stray[i]) out.tools[i].fate = ToolFate::hidden;

  const int start = pick_start(o, bounds) + shape.grab + 1;
  const int far = pick_end(o, bounds);
  if (tools_full_length(bar) > far - start) {
    const int capacity = far - start - end_reserve(shape, true);
    if (shrinks(shape)) {
      overflow_from_first_misfit(bar, out.tools, capacity);
    } else {
      overflow_from_end(bar, out.tools, capacity);
    }
    overflow_leading_separators(bar, out.tools);
    out.compressed = std::any_of(out.tools.begin(), out.tools.end(),
                                 [](const ToolSpot& s) { return s.fate == ToolFate::overflow; });
  }

  Lines lines = break_lines(bar, out.tools, start, far - end_reserve(shape, out.compressed));
  out.thickness = stack_lines(lines.lines, shape, bounds);
  out.lines = static_cast<int>(lines.lines.size());

  for (size_t i = 0; i < out.tools.size(); ++i) {
    if (!shown(out.tools[i])) continue;
    const Line& line = lines.lines[lines.line_of[i]];
    if (lines.breaks[i]) {
      // Lies across the boundary to the next line.
      const int boundary = line.top + line.thickness;
      out.tools[i].line_length = line.length;
      out.tools[i].rect = rect_at(oriented_point(o, start, boundary - 2), oriented_size(o, line.length, 4));
    } else {
      const BarTool& tool = bar.tools[i];
      const int thick = tool.separator ? line.thickest : perp(o, tool.size);
      out.tools[i].rect = in_line(o, line, lines.along[i], lines.length[i], thick);
    }
  }
  if (shape.more_tools) {
    const int length = more_tools_length(shape.large_icons);
    out.more_tools = in_line(o, lines.lines[0], far - length - 2, length, lines.lines[0].thickest);
  }
  return out;
}

}  // namespace mz
