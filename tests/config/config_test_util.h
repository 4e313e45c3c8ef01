#pragma once

#include <vector>

#include "config/config_observer.h"

namespace quorvex::testing {

/// Records the requests the rules make of the window.
class RecordingObserver : public ConfigObserver {
 public:
  void FocusBlockNameEdit() override { ++block_name_focus; }
  void FocusSeparatorEdit() override { ++separator_focus; }
  void EditValue(int field_node) override { edited.push_back(field_node); }

  int block_name_focus = 0;
  int separator_focus = 0;
  std::vector<int> edited;
};

}  // namespace quorvex::testing
