#include "desk/show_last_log.h"

#include <gtest/gtest.h>

#include "desk/scripted_prompts.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

TEST(ShowLastLog, OpensTheLogOrSaysThereIsNone) {
  testing::TempDir dir;
  const std::string log = dir.File("QuorvexLog.txt");
  testing::RecordedViewer viewer;
  testing::ScriptedPrompts prompts;
  ShowLastLog(log, viewer, prompts);
  EXPECT_EQ(prompts.information,
            std::vector<std::string>{"  Error. Log file \"QuorvexLog.txt\" does not exist "});
  testing::WriteFile(log, "x\r\n");
  ShowLastLog(log, viewer, prompts);
  EXPECT_EQ(viewer.opened, std::vector<std::string>{log});
}

}  // namespace
}  // namespace quorvex
