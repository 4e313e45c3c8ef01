#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/config_fixtures.h"
#include "config/qrv_file.h"
#include "config/toml_config.h"
#include "desk/config_session.h"
#include "desk/scripted_prompts.h"
#include "desk/window_fakes.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

using Answer = Prompts::Answer;

class ConfigSessionTest : public ::testing::Test {
 protected:
  ConfigSessionTest() : session(model, prompts, settings, dir.path() / "configurations") {}

  std::string SaveBusy(const std::string& name) {
    const std::string path = dir.File(name);
    ConfigModel busy = testing::BusyModel();
    testing::ScriptedPrompts quiet;
    MemorySettings unused;
    ConfigSession(busy, quiet, unused, dir.path()).SaveConfigurationTo(path);
    return path;
  }

  testing::TempDir dir;
  testing::ScriptedPrompts prompts;
  testing::RecordingSettings settings;
  ConfigModel model;
  ConfigSession session;
};

TEST_F(ConfigSessionTest, SaveThenLoadRestoresEveryFieldAndTreeState) {
  ConfigModel busy = testing::BusyModel();
  ConfigSession saver(busy, prompts, settings, dir.path());
  prompts.save_path = dir.File("busy.qrv");
  ASSERT_TRUE(saver.SaveConfiguration());
  EXPECT_FALSE(saver.SaveIncomplete());
  EXPECT_FALSE(saver.Changed());
  EXPECT_EQ(std::filesystem::file_size(dir.File("busy.qrv")), 12749u);
  EXPECT_EQ(saver.window_title(), "Quorvex V 4.03 - [busy.qrv]");
  EXPECT_EQ(saver.status_text(), "Configuration file in use : busy.qrv");
  EXPECT_EQ(saver.ProposedSaveName(), "busy.qrv");

  ASSERT_TRUE(session.LoadConfigFile(dir.File("busy.qrv")));
  EXPECT_TRUE(SameConfig(model.record(), busy.record()));
  EXPECT_TRUE(SameConfig(session.ConfigSnapshot(), busy.record()));
  EXPECT_FALSE(model.ConfigLoading());
  // Everything but the selection, which a load puts on the first node of each tree.
  ConfigTrees expected = busy.trees();
  ConfigTrees loaded = model.trees();
  for (ConfigTrees* trees : {&expected, &loaded})
    for (TreeNodes* tree : {&trees->entity, &trees->data})
      for (TreeNode& top : *tree) {
        top.Set(node_state::kSelected, false);
        for (TreeNode& option : top.children)
          option.Set(node_state::kSelected, false);
      }
  EXPECT_EQ(loaded, expected);
  EXPECT_EQ(model.SelectedNode(ConfigTreeId::kEntity), entity_node::kPoints);
  EXPECT_EQ(model.SelectedNode(ConfigTreeId::kData), field_node::kLineNumber);
  EXPECT_FALSE(model.controls().block_names_enabled);
  EXPECT_FALSE(model.controls().move_up_enabled);
  EXPECT_TRUE(model.controls().move_down_enabled);
  EXPECT_TRUE(model.controls().separator_edit_enabled);
  EXPECT_EQ(settings.TextsOf(setting::kConfig), (std::vector<std::string>{"busy.qrv", "busy.qrv"}));
}

TEST_F(ConfigSessionTest, LoadingWritesTheEditorsBackAsTyping) {
  ConfigContent content = ConfigModel().content();
  content.record.Signature.Assign("QRV300");
  content.record.BlockNames.Assign("  TREE  ");
  content.record.IncludeHeader = 7;
  content.record.SeparatorIndex = -3;
  testing::WriteFile(dir.File("odd.qrv"), ConfigFileBytes(content));
  ASSERT_TRUE(session.LoadConfigFile(dir.File("odd.qrv")));
  EXPECT_EQ(model.record().BlockNames.View(), "TREE");
  EXPECT_EQ(model.record().IncludeHeader, 1);
  EXPECT_EQ(model.record().SeparatorIndex, 0);
  EXPECT_FALSE(session.Changed());
}

TEST_F(ConfigSessionTest, ADamagedTreeStreamLeavesEverythingAsItWas) {
  ASSERT_TRUE(session.LoadConfigFile(SaveBusy("busy.qrv")));
  session.ShowInUse("busy.qrv");
  model.SetBlockNames("changed since the load");
  model.FocusDataNode(field_node::kZ);
  model.MoveFieldDown();
  const ConfigContent before = model.content();
  const TExportConfig snapshot = session.ConfigSnapshot();

  std::string damaged = ConfigFileBytes(ConfigModel().content());
  damaged.replace(0, 7, "\x06QRV300");
  damaged[10361 + 6] = 9;  // the data tree's stream version
  testing::WriteFile(dir.File("damaged.qrv"), damaged);
  EXPECT_FALSE(session.LoadConfigFile(dir.File("damaged.qrv")));

  EXPECT_EQ(prompts.errors,
            std::vector<std::string>{"Unable to load tree structure, the version is unknown."});
  EXPECT_TRUE(SameConfig(model.record(), before.record));
  EXPECT_EQ(model.trees(), before.trees);
  EXPECT_TRUE(SameConfig(session.ConfigSnapshot(), snapshot));
  EXPECT_FALSE(model.ConfigLoading());
  EXPECT_EQ(session.window_title(), "Quorvex V 4.03 - [busy.qrv]");
  EXPECT_EQ(settings.TextsOf(setting::kConfig), std::vector<std::string>{"busy.qrv"});
}

TEST_F(ConfigSessionTest, RefusedFilesAreReportedAndChangeNothing) {
  testing::WriteFile(dir.File("notes.qrv"), "QRV300 is not enough");
  EXPECT_FALSE(session.LoadConfigFile(dir.File("notes.qrv")));
  EXPECT_FALSE(session.LoadConfigFile(dir.File("absent.qrv")));
  ASSERT_EQ(prompts.errors.size(), 2u);
  EXPECT_EQ(prompts.errors[0], "This is not a Quorvex configuration file");
  EXPECT_EQ(prompts.errors[1], "Impossible d'ouvrir le fichier \"" + dir.File("absent.qrv") +
                                   "\". No such file or directory");
  EXPECT_TRUE(SameConfig(model.record(), TExportConfig{}));
  EXPECT_EQ(model.trees(), BuildConfigTrees());
  EXPECT_EQ(session.window_title(), " Quorvex V 4.03");
  EXPECT_EQ(session.status_text(), "Configuration file in use :");
  EXPECT_TRUE(settings.TextsOf(setting::kConfig).empty());
}

TEST_F(ConfigSessionTest, AFailedWriteKeepsTheSaveIncomplete) {
  model.SetBlockNames("TREE");
  prompts.save_path = dir.path() / "missing folder" / "x.qrv";
  EXPECT_FALSE(session.SaveConfiguration());
  EXPECT_TRUE(session.SaveIncomplete());
  ASSERT_EQ(prompts.errors.size(), 1u);
  EXPECT_EQ(prompts.errors[0].rfind("Cannot create file \"", 0), 0u);
  EXPECT_TRUE(session.Changed());
  EXPECT_EQ(session.status_text(), "Configuration file in use :");
}

TEST_F(ConfigSessionTest, AskToSaveChangesFollowsTheAnswer) {
  EXPECT_TRUE(session.AskToSaveChanges());  // unchanged: no question
  EXPECT_TRUE(prompts.questions.empty());
  // Moving a data field is no change of the configuration.
  model.FocusDataNode(field_node::kX);
  model.MoveFieldUp();
  EXPECT_TRUE(session.AskToSaveChanges());
  EXPECT_TRUE(prompts.questions.empty());

  model.SetSeparatorText(",");
  prompts.answer = Answer::kCancel;
  EXPECT_FALSE(session.AskToSaveChanges());
  prompts.answer = Answer::kNo;
  EXPECT_TRUE(session.AskToSaveChanges());
  prompts.answer = Answer::kYes;  // and then the save dialog is cancelled
  EXPECT_FALSE(session.AskToSaveChanges());
  EXPECT_TRUE(session.SaveIncomplete());
  EXPECT_EQ(
      prompts.questions,
      std::vector<std::string>(3, "Current configuration has changed, do you want to save it ?"));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

  prompts.save_path = dir.File("saved.qrv");
  EXPECT_TRUE(session.AskToSaveChanges());
  EXPECT_FALSE(session.Changed());
  EXPECT_EQ(model.record().Signature.View(), "QRV300");
}

TEST_F(ConfigSessionTest, LoadCommandKeepsTheNameInUseWhenTheFileIsRefused) {
  prompts.load_path = SaveBusy("first.qrv");
  ASSERT_TRUE(session.LoadConfiguration());
  EXPECT_EQ(session.window_title(), "Quorvex V 4.03 - [first.qrv]");

  testing::WriteFile(dir.File("bad.qrv"), "nothing");
  prompts.load_path = dir.File("bad.qrv");
  EXPECT_FALSE(session.LoadConfiguration());
  EXPECT_EQ(session.window_title(), "Quorvex V 4.03 - [first.qrv]");
  EXPECT_EQ(session.status_text(), "Configuration file in use : first.qrv");
  EXPECT_EQ(session.ProposedSaveName(), "first.qrv");

  // A changed configuration asks first; Cancel keeps it.
  model.SetIncludeHeader(false);
  prompts.answer = Answer::kCancel;
  prompts.load_path = dir.File("first.qrv");
  EXPECT_FALSE(session.LoadConfiguration());
  EXPECT_EQ(model.record().IncludeHeader, 0);
}

TEST_F(ConfigSessionTest, EitherFormLoadsAndEachNameSavesItsOwnForm) {
  ConfigModel busy = testing::BusyModel();
  ExtendedSettings quoted;
  quoted.format.quote = true;
  busy.SetExtended(quoted);
  ConfigSession saver(busy, prompts, settings, dir.path());
  ASSERT_TRUE(saver.SaveConfigurationTo(dir.File("busy.TOML")));
  const std::string text = testing::ReadFile(dir.File("busy.TOML"));
  EXPECT_EQ(text, ConfigToml(busy.content()));
  EXPECT_NE(text.find("\nquote = true\n"), std::string::npos);

  ASSERT_TRUE(session.LoadConfigFile(dir.File("busy.TOML")));
  EXPECT_TRUE(SameConfig(model.record(), busy.record()));
  EXPECT_EQ(model.extended(), quoted);
  EXPECT_FALSE(session.Changed());
  model.SetExtended({});
  EXPECT_TRUE(session.Changed());  // the settings beyond the record count too
  model.SetExtended(quoted);

  testing::WriteFile(dir.File("typo.toml"), "header = true\ncolour = \"red\"\n");
  EXPECT_FALSE(session.LoadConfigFile(dir.File("typo.toml")));
  EXPECT_EQ(prompts.errors,
            std::vector<std::string>{dir.File("typo.toml") + ":2: unknown key \"colour\""});
  EXPECT_EQ(model.extended(), quoted);
}

TEST_F(ConfigSessionTest, AQrvSaveAsksBeforeItDropsWhatOnlyTheTomlFormKeeps) {
  ExtendedSettings kept;
  kept.format.lf_line_ends = kept.format.bom = true;
  ConfigContent content = testing::BusyModel().content();
  content.extended = kept;
  session.ApplyLoadedContent(content);
  const std::string question =
      "The .qrv form cannot keep: line-ends, bom. Do you want to save the configuration without "
      "them ?";

  prompts.yes = false;
  EXPECT_FALSE(session.SaveConfigurationTo(dir.File("site.qrv")));
  EXPECT_EQ(prompts.questions, std::vector<std::string>{question});
  EXPECT_TRUE(session.SaveIncomplete());
  EXPECT_FALSE(std::filesystem::exists(dir.File("site.qrv")));
  EXPECT_EQ(model.extended(), kept);

  prompts.yes = true;
  EXPECT_TRUE(session.SaveConfigurationTo(dir.File("site.qrv")));
  EXPECT_EQ(model.extended(), ExtendedSettings{});
  EXPECT_FALSE(session.Changed());
  EXPECT_EQ(std::filesystem::file_size(dir.File("site.qrv")), 12749u);
  // A configuration without such settings, and any TOML save, asks nothing.
  EXPECT_TRUE(session.SaveConfigurationTo(dir.File("again.qrv")));
  model.SetExtended(kept);
  EXPECT_TRUE(session.SaveConfigurationTo(dir.File("site.toml")));
  EXPECT_EQ(prompts.questions.size(), 2u);
}

TEST_F(ConfigSessionTest, DefaultFallbackCountsAsChanged) {
  ASSERT_TRUE(session.LoadConfigFile(SaveBusy("default.qrv")));
  session.MarkDefaultFallback();
  EXPECT_EQ(session.window_title(), "Quorvex V 4.03[None]");
  EXPECT_EQ(session.status_text(), "None");
  EXPECT_EQ(session.ProposedSaveName(), "");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&session.ConfigSnapshot().Signature), 6),
            "\x05"
            "error");
  EXPECT_TRUE(session.Changed());
  EXPECT_EQ(settings.TextsOf(setting::kConfig).back(), "none");
}

}  // namespace
}  // namespace quorvex
