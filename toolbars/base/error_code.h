#pragma once
// Failure codes of the object model. The COM boundary turns each one into the
// automation error 0x800A0000 + code with its text from the string table;
// general_failure becomes the platform's plain failure code instead.
#include "toolbars/base/result.h"

namespace mz {

enum class ErrorCode : int {
  none = 0,
  general_failure = -1,
  invalid_property_value = 380,
  property_read_only = 383,
  unavailable_at_design_time = 394,
  invalid_index = 40002,
  cannot_perform = 40006,
  not_a_menu = 40007,
  only_one_menu_bar = 40008,
  duplicate_id = 40009,
  shortcut_in_use = 40010,
  invalid_name = 40011,
  inside_event = 40013,
  invalid_dock = 40015,
  not_a_placed_property = 40016,
  menu_already_open = 40017,
};

// A value of the object model, or the code of the failure that prevented it.
template <class T>
using Outcome = Result<T, ErrorCode>;

// The failure code of an outcome, `none` when it holds a value.
template <class T>
ErrorCode error_of(const Outcome<T>& outcome) {
  return outcome.ok() ? ErrorCode::none : outcome.error();
}

}  // namespace mz
