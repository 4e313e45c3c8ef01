#include "desk/process_command.h"

#include <gtest/gtest.h>

#include <optional>

#include "config/default_config.h"
#include "desk/config_session.h"
#include "desk/scripted_prompts.h"
#include "desk/window_fakes.h"
#include "desk/window_words.h"

namespace quorvex {
namespace {

using Names = std::vector<std::string>;

struct Case {
  const char* name;
  const char* extension;
  std::optional<ConfigTreeId> cleared_tree;
  ProcessCheck expected;
  const char* separator;  // stored in the record afterwards
};

TEST(PrepareProcessCommand, RefusalsShowTheirMessageAndKeepTheResolvedSeparator) {
  const Case cases[] = {
      {"blank extension", "  ", std::nullopt, ProcessCheck::kNoExtension, "|"},
      {"no entity kind", "txt", ConfigTreeId::kEntity, ProcessCheck::kNoEntityKind, ";"},
      {"no data field", "txt", ConfigTreeId::kData, ProcessCheck::kNoDataField, ";"},
      {"all given", "txt", std::nullopt, ProcessCheck::kPassed, ";"},
  };
  testing::TempDir dir;
  testing::RecordingSettings settings;
  DxfBrowser browser(settings, {});
  const std::string folder = testing::MakeDrawingFolder(dir.path() / "drawings");
  browser.FolderChanged(folder);
  browser.SetSelection({false, true, true});
  OutputDirectory output(settings);
  output.SetDestination(dir.File("out"));
  Preferences preferences(settings);
  preferences.SetShowReport(false);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConfigModel model;
    model.ReplaceContent(DefaultConfiguration());
    if (c.cleared_tree) model.SetAllChecks(*c.cleared_tree, false);
    model.SetSeparatorIndex(1);
    model.SetSeparatorText("|");
    testing::ScriptedPrompts prompts;
    ConfigSession session(model, prompts, settings, dir.path());
    session.ApplyLoadedContent(model.content());

    const PreparedRun run = PrepareProcessCommand(model, c.extension, "|", browser, output,
                                                  preferences, "/logs/QuorvexLog.txt", prompts);
    EXPECT_EQ(run.check, c.expected);
    EXPECT_EQ(model.record().SeparatorText.View(), c.separator);
    // A stored separator that differs from the loaded one makes the configuration changed.
    EXPECT_EQ(session.Changed(), c.expected != ProcessCheck::kNoExtension);
    if (c.expected != ProcessCheck::kPassed) {
      EXPECT_EQ(prompts.information, (Names{std::string(ProcessCheckMessage(c.expected))}));
      EXPECT_TRUE(run.request.dxf_paths.empty());
      continue;
    }
    EXPECT_TRUE(prompts.information.empty());
    EXPECT_TRUE(SameConfig(run.config, model.record()));
    const RunTables tables = model.CollectRunTables();
    EXPECT_EQ(run.tables.FieldOrder, tables.FieldOrder);
    EXPECT_EQ(run.tables.EntityEnabled, tables.EntityEnabled);
    EXPECT_EQ(run.request.destination, dir.File("out"));
    EXPECT_EQ(run.request.dxf_paths, (Names{folder + "/b.dxf", folder + "/c.dxf"}));
    EXPECT_EQ(run.request.log_path, "/logs/QuorvexLog.txt");
    EXPECT_FALSE(run.show_report);
    EXPECT_EQ(run.request.jobs, 1u);
  }
}

TEST(PrepareProcessCommand, TheOtherSeparatorIsStoredAsTypedAndTheSettingsBeyondGoAlong) {
  testing::RecordingSettings settings;
  DxfBrowser browser(settings, {});
  OutputDirectory output(settings);
  Preferences preferences(settings);
  testing::ScriptedPrompts prompts;
  ConfigModel model;
  model.ReplaceContent(DefaultConfiguration());
  model.SetSeparatorIndex(5);
  ExtendedSettings quoted;
  quoted.format.quote = true;
  model.SetExtended(quoted);
  const PreparedRun run =
      PrepareProcessCommand(model, "csv", " | ", browser, output, preferences, "log", prompts);
  EXPECT_EQ(run.check, ProcessCheck::kPassed);
  EXPECT_EQ(model.record().SeparatorText.View(), " | ");
  EXPECT_EQ(run.config.SeparatorText.View(), " | ");
  EXPECT_TRUE(run.show_report);
  EXPECT_EQ(run.request.extended, quoted);  // the run takes them from the configuration
}

TEST(FinishProcessCommand, ShowsWhyTheRunFailedOrElseTheLogWhenAsked) {
  using Kind = Failure::Kind;
  struct Ending {
    const char* name;
    std::optional<Failure> refusal, log_failure, manifest_failure;
    bool show_report;
    Names errors, opened;
  };
  const Failure refused{Kind::kDestinationNotWritable, "/out/"};
  const Failure unwritten{Kind::kLogNotWritten, "/logs/QuorvexLog.txt", {}, 0, "Disk full"};
  const Failure manifest{Kind::kManifestNotWritten, "/out/.quorvex-manifest.json", {}, 0, "Disk"};
  const std::nullopt_t none = std::nullopt;
  const Ending endings[] = {
      {"refused", refused, none, none, true, {WindowFailureText(refused)}, {}},
      {"log not written", none, unwritten, none, true, {WindowFailureText(unwritten)}, {}},
      {"manifest not written",
       none,
       none,
       manifest,
       true,
       {WindowFailureText(manifest)},
       {"/logs/QuorvexLog.txt"}},
      {"shown", none, none, none, true, {}, {"/logs/QuorvexLog.txt"}},
      {"never shown", none, none, none, false, {}, {}},
  };
  for (const Ending& c : endings) {
    SCOPED_TRACE(c.name);
    PreparedRun run;
    run.request.log_path = "/logs/QuorvexLog.txt";
    run.show_report = c.show_report;
    BatchResult result;
    result.refusal = c.refusal;
    result.log_failure = c.log_failure;
    result.manifest_failure = c.manifest_failure;
    testing::ScriptedPrompts prompts;
    testing::RecordedViewer viewer;
    FinishProcessCommand(run, result, prompts, viewer);
    EXPECT_EQ(prompts.errors, c.errors);
    EXPECT_EQ(viewer.opened, c.opened);
  }
}

}  // namespace
}  // namespace quorvex
