#pragma once

#include <optional>
#include <string>
#include <vector>

#include "desk/output_directory.h"

namespace quorvex::testing {

/// The destination folder dialog: records where it was asked to open and gives `answer`.
class RecordingChooser final : public FolderChooser {
 public:
  std::optional<std::string> ChooseFolder(const std::optional<std::string>& start) override {
    starts.push_back(start);
    return answer;
  }

  std::optional<std::string> answer;
  std::vector<std::optional<std::string>> starts;
};

}  // namespace quorvex::testing
