#include "desk/startup.h"

#include <gtest/gtest.h>

#include "config/default_config.h"
#include "config/qrv_file.h"
#include "desk/scripted_prompts.h"
#include "desk/window_fakes.h"
#include "desk/window_words.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using Answer = Prompts::Answer;

class StartupTest : public ::testing::Test {
 protected:
  StartupTest()
      : home(dir.File("home")),
        configurations(dir.File("configurations")),
        preferences(settings),
        browser(settings, {}),
        output(settings),
        session(model, prompts, settings, configurations),
        window(browser),
        context{settings, preferences,    browser,      output, session,
                window,   configurations, std::nullopt, home,   {}} {
    fs::create_directories(home);
    fs::create_directories(configurations);
    drawings = testing::MakeDrawingFolder(dir.path() / "drawings");
    fs::create_directories(dir.File("out"));
    browser.SetFollower(&output);
  }

  // A configuration of its own, saved in the configurations folder as `name`.
  void SaveConfiguration(const std::string& name) {
    ConfigModel saved;
    saved.ReplaceContent(DefaultConfiguration());
    saved.SetDataFileExtension("csv");
    testing::ScriptedPrompts quiet;
    MemorySettings unused;
    ASSERT_TRUE(ConfigSession(saved, quiet, unused, configurations)
                    .SaveConfigurationTo(configurations + "/" + name));
  }

  void StoreEverything() {
    MemorySettings& stored = settings.values;
    stored.WriteText(setting::kWidth, "1024");
    stored.WriteText(setting::kHeight, "700");
    stored.WriteOnOff(setting::kShowTips, false);
    stored.WriteOnOff(setting::kShowLog, false);
    stored.WriteText(setting::kDxfPath, drawings);
    stored.WriteText(setting::kDestPath, dir.File("out"));
    stored.WriteOnOff(setting::kLocked, false);
    FileListHeaderState header;
    header.sort = {SortColumn::kSize, true};
    header.shaded_column = 2;
    header.widths = {100, 90, 80};
    header.order = {0, 2, 1};
    stored.WriteBinary(setting::kFileListHeader, EncodeFileListHeader(header));
    stored.WriteText(setting::kPanelWidth, "250");
    stored.WriteOnOff(setting::kAutoSelect, true);
    stored.WriteText(setting::kConfig, "mine.qrv");
    SaveConfiguration("mine.qrv");
  }

  testing::TempDir dir;
  std::string home, configurations, drawings;
  testing::RecordingSettings settings;
  Preferences preferences;
  DxfBrowser browser;
  OutputDirectory output;
  ConfigModel model;
  testing::ScriptedPrompts prompts;
  ConfigSession session;
  testing::FakeWindow window;
  StartupContext context;
};

TEST_F(StartupTest, FirstStartTakesTheDefaultsAndTheBuiltInConfiguration) {
  InitMainWindow(context);
  EXPECT_EQ(window.calls, (Names{"size", "folder", "panel", "information", "first page"}));
  EXPECT_EQ(window.size, std::nullopt);
  EXPECT_EQ(window.panel_width, std::nullopt);
  EXPECT_TRUE(preferences.show_tips());
  EXPECT_TRUE(preferences.show_report());
  EXPECT_FALSE(browser.auto_select());
  EXPECT_EQ(browser.tree_path(), home);
  EXPECT_EQ(browser.status_line(), "0 DXF file, 0 selected.");
  EXPECT_TRUE(output.locked());
  EXPECT_EQ(output.destination(), home);
  EXPECT_EQ(browser.HeaderState(), FileListHeaderState{});
  EXPECT_EQ(settings.written, (Names{"locked", "config"}));
  EXPECT_EQ(settings.values.ReadOnOff(setting::kLocked), true);

  EXPECT_EQ(window.information, (Names{"Configuration file \"" + configurations +
                                       "/\" not found, default values will be used."}));
  EXPECT_TRUE(SameConfig(model.record(), DefaultConfiguration().record));
  EXPECT_EQ(session.window_title(), "Quorvex V 4.03[None]");
  EXPECT_EQ(session.status_text(), "None");
  EXPECT_EQ(settings.TextsOf(setting::kConfig), (Names{"none"}));
  EXPECT_TRUE(session.Changed());
}

TEST_F(StartupTest, DamagedValuesCountAsMissing) {
  StoreEverything();
  settings.values.WriteText(setting::kWidth, "-5");
  settings.values.WriteText(setting::kPanelWidth, "0");
  std::vector<std::uint8_t> header = settings.values.ReadBinary(setting::kFileListHeader);
  header.pop_back();
  settings.values.WriteBinary(setting::kFileListHeader, header);
  InitMainWindow(context);
  EXPECT_EQ(window.size, std::nullopt);
  EXPECT_EQ(window.panel_width, std::nullopt);
  EXPECT_EQ(window.calls, (Names{"size", "folder", "panel", "first page"}));
  EXPECT_EQ(browser.HeaderState(), FileListHeaderState{});
}

TEST_F(StartupTest, FallbackLoadsTheDefaultFileAndMarksItEvenWhenRefused) {
  settings.values.WriteText(setting::kConfig, "none");
  const std::string broken = dir.File("broken.qrv");
  testing::WriteFile(broken, "QRV300 but not really");
  const struct {
    const char* name;
    std::string default_path;
    Names stored_names;
    std::size_t errors;
  } cases[] = {
      {"the delivered default.qrv", QUORVEX_DEFAULT_CONFIG_PATH, {"default.qrv", "none"}, 0},
      {"a refused default file", broken, {"none"}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ConfigModel fresh;
    testing::ScriptedPrompts fresh_prompts;
    testing::RecordingSettings fresh_settings;
    fresh_settings.values = settings.values;
    ConfigSession fresh_session(fresh, fresh_prompts, fresh_settings, configurations);
    testing::FakeWindow fresh_window(browser);
    StartupContext fallback{fresh_settings, preferences,    browser,        output, fresh_session,
                            fresh_window,   configurations, c.default_path, home,   {}};
    InitMainWindow(fallback);
    EXPECT_EQ(fresh_window.information, (Names{"Configuration file \"" + configurations +
                                               "/none\" not found, default values will be used."}));
    EXPECT_EQ(fresh_settings.TextsOf(setting::kConfig), c.stored_names);
    EXPECT_EQ(fresh_prompts.errors.size(), c.errors);
    EXPECT_EQ(fresh_session.window_title(), "Quorvex V 4.03[None]");
    EXPECT_TRUE(fresh_session.Changed());
  }
}

TEST_F(StartupTest, StoredValuesAreRestored) {
  StoreEverything();
  InitMainWindow(context);
  EXPECT_EQ(window.calls, (Names{"size", "folder", "header", "panel", "first page"}));
  EXPECT_EQ(window.size, (WindowSize{1024, 700}));
  EXPECT_EQ(window.panel_width, 250);
  EXPECT_FALSE(preferences.show_tips());
  EXPECT_FALSE(preferences.show_report());
  EXPECT_EQ(browser.tree_path(), drawings);
  EXPECT_FALSE(output.locked());
  EXPECT_EQ(output.destination(), dir.File("out"));
  EXPECT_EQ(settings.written, (Names{"locked", "autosel", "config"}));

  // The first listing is in the design order; the restored sort applies from the next one.
  EXPECT_TRUE(browser.auto_select());
  EXPECT_EQ(testing::Rows(browser), (Names{"A*", "b*", "c*"}));
  EXPECT_EQ(browser.status_line(), "3 files selected.");
  EXPECT_EQ(window.widths, (std::vector<std::int32_t>{100, 90, 80}));
  EXPECT_EQ(window.order, (std::vector<std::int32_t>{0, 2, 1}));
  EXPECT_EQ(browser.shaded_column(), 2);
  browser.Refresh();
  EXPECT_EQ(testing::Rows(browser), (Names{"b*", "c*", "A*"}));

  EXPECT_TRUE(window.information.empty());
  EXPECT_EQ(model.record().DataFileExtension.View(), "csv");
  EXPECT_EQ(session.window_title(), "Quorvex V 4.03 - [mine.qrv]");
  EXPECT_EQ(session.status_text(), "Configuration file in use : mine.qrv");
  EXPECT_EQ(settings.TextsOf(setting::kConfig), (Names{"mine.qrv"}));
  EXPECT_FALSE(session.Changed());
}

TEST_F(StartupTest, LockAndVanishedFoldersDecideBothFolders) {
  const struct {
    const char* name;
    bool locked;
    bool folders_exist;
    bool tree_is_home;
    bool destination_is_home;
  } cases[] = {
      {"locked: the destination is the DXF folder", true, true, false, false},
      {"unlocked: the stored destination", false, true, false, false},
      {"vanished folders: home", false, false, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StoreEverything();
    settings.values.WriteOnOff(setting::kLocked, c.locked);
    if (!c.folders_exist) {
      settings.values.WriteText(setting::kDxfPath, dir.File("gone"));
      settings.values.WriteText(setting::kDestPath, dir.File("gone too"));
    }
    InitMainWindow(context);
    EXPECT_EQ(browser.tree_path(), c.tree_is_home ? home : drawings);
    const std::string destination = c.locked ? drawings : dir.File("out");
    EXPECT_EQ(output.destination(), c.destination_is_home ? home : destination);
    EXPECT_EQ(settings.values.ReadOnOff(setting::kLocked), c.locked);
  }
}

TEST_F(StartupTest, ARefusedLastConfigurationKeepsTheDesignTexts) {
  settings.values.WriteText(setting::kConfig, "bad.qrv");
  testing::WriteFile(configurations + "/bad.qrv", "not a configuration");
  InitMainWindow(context);
  EXPECT_TRUE(window.information.empty());
  EXPECT_EQ(prompts.errors, (Names{"This is not a Quorvex configuration file"}));
  EXPECT_EQ(session.window_title(), " Quorvex V 4.03");
  EXPECT_EQ(session.status_text(), "Configuration file in use :");
  EXPECT_TRUE(settings.TextsOf(setting::kConfig).empty());
  EXPECT_TRUE(SameConfig(model.record(), TExportConfig{}));
}

TEST_F(StartupTest, OpenedDrawingsChooseTheFolderAndTheSelection) {
  StoreEverything();
  settings.values.WriteText(setting::kDxfPath, home);
  settings.values.WriteOnOff(setting::kAutoSelect, false);
  context.open_paths = {drawings + "/c.dxf", drawings + "/b.dxf", home};
  InitMainWindow(context);
  EXPECT_EQ(browser.tree_path(), drawings);
  EXPECT_EQ(testing::Rows(browser), (Names{"A", "b*", "c*"}));
  // The other folder is named, before anything about the configuration.
  EXPECT_EQ(window.information.front(), NotOpenedPathsText(drawings, {home}, {}));
}

TEST_F(StartupTest, ExitStoresSixValuesUnlessThePromptStops) {
  const struct {
    const char* name;
    bool changed;
    Answer answer;
    bool save_chosen;
    bool exits;
  } cases[] = {
      {"unchanged: no prompt", false, Answer::kCancel, false, true},
      {"Cancel", true, Answer::kCancel, false, false},
      {"No", true, Answer::kNo, false, true},
      {"Yes, saved", true, Answer::kYes, true, true},
      {"Yes, save dialog cancelled", true, Answer::kYes, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StoreEverything();
    InitMainWindow(context);
    if (c.changed) model.SetDataFileExtension("dat");
    browser.ClickHeader(SortColumn::kModified);
    window.current_size = {900, 650};
    window.panel_width = 280;
    window.widths = {60, 70, 80};
    settings.written.clear();
    prompts.questions.clear();
    prompts.answer = c.answer;
    prompts.save_path.reset();
    if (c.save_chosen) prompts.save_path = configurations + "/saved.qrv";

    EXPECT_EQ(ExitMainWindow(context), c.exits);
    EXPECT_EQ(prompts.questions.size(), c.changed ? 1u : 0u);
    if (!c.exits) {
      EXPECT_TRUE(settings.written.empty());
      continue;
    }
    Names written = {"dxfpath", "destpath", "w", "h", "pan3", "VTFiles"};
    if (c.save_chosen) written.insert(written.begin(), "config");  // by the save
    EXPECT_EQ(settings.written, written);
    const MemorySettings& stored = settings.values;
    EXPECT_EQ(stored.ReadText(setting::kDxfPath), drawings);
    EXPECT_EQ(stored.ReadText(setting::kDestPath), dir.File("out"));
    EXPECT_EQ(stored.ReadText(setting::kWidth), "900");
    EXPECT_EQ(stored.ReadText(setting::kHeight), "650");
    EXPECT_EQ(stored.ReadText(setting::kPanelWidth), "280");
    const auto header = DecodeFileListHeader(stored.ReadBinary(setting::kFileListHeader));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->sort.column, SortColumn::kModified);
    EXPECT_FALSE(header->sort.descending);  // restored descending, reversed by the click
    EXPECT_EQ(header->shaded_column, 1);
    EXPECT_EQ(header->widths, (std::vector<std::int32_t>{60, 70, 80}));
    EXPECT_EQ(header->order, (std::vector<std::int32_t>{0, 2, 1}));
  }
}

TEST(ResolveOpenPaths, TakesTheFirstUsablePathsFolderAndItsFiles) {
  testing::TempDir dir;
  const std::string one = testing::MakeDrawingFolder(dir.path() / "one");
  const std::string two = testing::MakeDrawingFolder(dir.path() / "two");
  const std::string relative = fs::relative(one + "/b.dxf", fs::current_path()).string();
  const struct {
    const char* name;
    Names paths;
    std::string folder;
    Names file_names, elsewhere, not_found;
  } cases[] = {
      {"nothing", {}, "", {}, {}, {}},
      {"nothing that exists", {one + "/gone.dxf"}, "", {}, {}, {one + "/gone.dxf"}},
      {"files of the first folder only",
       {one + "/gone.dxf", one + "/A.dxf", two + "/c.dxf", one + "/notes.txt"},
       one,
       {"A.dxf", "notes.txt"},
       {two + "/c.dxf"},
       {one + "/gone.dxf"}},
      {"a folder", {two + "/", two + "/b.dxf", one, two}, two, {"b.dxf"}, {one}, {}},
      {"a relative path", {relative}, one, {"b.dxf"}, {}, {}},
      {"dots",
       {one + "/./c.dxf", one + "/../two/A.dxf"},
       one,
       {"c.dxf"},
       {one + "/../two/A.dxf"},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const OpenRequest request = ResolveOpenPaths(c.paths);
    EXPECT_EQ(request.folder, c.folder);
    EXPECT_EQ(request.file_names, c.file_names);
    EXPECT_EQ(request.elsewhere, c.elsewhere);
    EXPECT_EQ(request.not_found, c.not_found);
    EXPECT_EQ(NotOpenedMessage(request).has_value(), !c.elsewhere.empty() || !c.not_found.empty());
  }
}

}  // namespace
}  // namespace quorvex
