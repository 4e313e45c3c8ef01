// A run as the window makes it: "Process selected files" prepared, run and finished, on a real
// file system.
#include <gtest/gtest.h>

#include "batch/batch_fakes.h"
#include "batch/manifest_file.h"
#include "config/default_config.h"
#include "desk/process_command.h"
#include "desk/scripted_prompts.h"
#include "desk/window_fakes.h"
#include "support/tmpfs_mount.h"

namespace quorvex {
namespace {

class WindowRunTest : public ::testing::Test {
 protected:
  WindowRunTest() {
    model_.ReplaceContent(DefaultConfiguration());
    browser_.FolderChanged(testing::MakeDrawingFolder(dir_.path() / "drawings"));
    browser_.SetSelection({false, true, true});
    preferences_.SetShowReport(false);
  }

  // Prepares, runs and finishes the command into `destination`.
  BatchResult Process(const std::string& destination) {
    output_.SetDestination(destination);
    const PreparedRun run = PrepareProcessCommand(model_, "txt", "", browser_, output_,
                                                  preferences_, dir_.File("log.txt"), prompts_);
    std::atomic<bool> cancelled{false};
    testing::RecordingObserver observer(cancelled);
    testing::FixedClock clock;
    BatchEnvironment env{observer, clock, cancelled};
    BatchResult result = RunBatch(run.config, run.tables, run.request, env);
    testing::RecordedViewer viewer;
    FinishProcessCommand(run, result, prompts_, viewer);
    return result;
  }

  testing::TempDir dir_;
  testing::RecordingSettings settings_;
  DxfBrowser browser_{settings_, {}};
  OutputDirectory output_{settings_};
  Preferences preferences_{settings_};
  testing::ScriptedPrompts prompts_;
  ConfigModel model_;
};

TEST_F(WindowRunTest, ARefusedDestinationIsShownWithTheSystemsReason) {
  const testing::TmpfsMount read_only("1m", /*read_only=*/true);
  if (!read_only.mounted()) GTEST_SKIP() << read_only.why_not();

  Process(read_only.path().string());

  ASSERT_EQ(prompts_.errors.size(), 1u);
  EXPECT_NE(prompts_.errors[0].find("files can't be created here (Read-only file system)."),
            std::string::npos)
      << prompts_.errors[0];
}

TEST_F(WindowRunTest, TheRunRecordsItsOutcomesInTheDestinationsManifest) {
  const std::string destination = dir_.File("out");
  std::filesystem::create_directory(destination);

  const BatchResult result = Process(destination);

  EXPECT_FALSE(result.manifest_failure);
  const ManifestRead read = ReadManifest(destination + "/");
  EXPECT_FALSE(read.failure);
  // The drawings of the fixture hold no ENTITIES section.
  ASSERT_EQ(read.manifest.size(), 2u);
  EXPECT_EQ(read.manifest.at("b.txt").outcome, ConversionOutcome::kFailed);
  EXPECT_EQ(read.manifest.at("c.txt").reason, "the drawing has no ENTITIES section");
}

}  // namespace
}  // namespace quorvex
