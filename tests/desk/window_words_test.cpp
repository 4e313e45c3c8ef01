// The exact texts of the window's messages, titles and dialogs, each spelled once here.
#include "desk/window_words.h"

#include <gtest/gtest.h>

#include "engine/report_words.h"

namespace quorvex {
namespace {

using Kind = Failure::Kind;

TEST(WindowWords, EveryTextOfTheWindowsRules) {
  EXPECT_EQ(TitleInUse("site.qrv"), "Quorvex V 4.03 - [site.qrv]");
  EXPECT_EQ(kDesignTitle, " Quorvex V 4.03");
  EXPECT_EQ(kTitleFallback, "Quorvex V 4.03[None]");
  EXPECT_EQ(kStatusBeforeLoad, "Configuration file in use :");
  EXPECT_EQ(kStatusInUse, "Configuration file in use : ");
  EXPECT_EQ(kStatusFallback, "None");
  EXPECT_EQ(kChangedQuestion, "Current configuration has changed, do you want to save it ?");
  EXPECT_EQ(kLoadDialogTitle, "Load a configuration");
  EXPECT_EQ(kSaveDialogTitle, "Save current configuration");
  EXPECT_EQ(ConfigNotFoundText("/c/none"),
            "Configuration file \"/c/none\" not found, default values will be used.");
  EXPECT_EQ(ConfigNotFoundText("/c/a\nb"),
            "Configuration file \"/c/a\\x0Ab\" not found, default values will be used.");
  EXPECT_EQ(NoLogFileText(), "  Error. Log file \"QuorvexLog.txt\" does not exist ");
  EXPECT_EQ(
      QrvCannotKeepQuestion("quote"),
      "The .qrv form cannot keep: quote. Do you want to save the configuration without them ?");
  EXPECT_EQ(kQrvFilter, "Quorvex configurations (*.qrv)");
  EXPECT_EQ(kTomlFilter, "Quorvex configurations, text form (*.toml)");
  EXPECT_EQ(kAllFilesFilter, "All files (*)");
  EXPECT_EQ(kPreviewNoDrawing,
            "Choose a drawing in the list of the \"DXF Files\" tab to preview it.");
  EXPECT_EQ(kPreviewComputing, "Computing the preview...");
  EXPECT_EQ(PreviewSummaryText("road.dxf", 1, 3, 3), "road.dxf: 1 point");
  EXPECT_EQ(PreviewSummaryText("big.dxf", 0, 100000, 250001),
            "big.dxf: 0 points, first 100000 entities of 250001");
  EXPECT_EQ(LegendText("3D Polylines", 12), "3D Polylines: 12");
}

TEST(WindowWords, FailuresOfConfigurationFilesInTheWindowsWords) {
  struct Case {
    const char* name;
    Failure failure;
    std::string text;
  };
  const Case cases[] = {
      {"not opened",
       {Kind::kConfigNotOpened, "/c/a.qrv", {}, 0, "No such file or directory"},
       "Impossible d'ouvrir le fichier \"/c/a.qrv\". No such file or directory"},
      {"not written",
       {Kind::kConfigNotWritten, "/c/a\tb.qrv", {}, 0, "Permission denied"},
       "Impossible de créer le fichier \"/c/a\\x09b.qrv\". Permission denied"},
      {"not a configuration",
       {Kind::kNotAConfig, "/c/a.qrv"},
       "This is not a Quorvex configuration file"},
      {"damaged",
       {Kind::kConfigDamaged, "/c/a.qrv", "Unable to load tree structure, the format is wrong."},
       "Unable to load tree structure, the format is wrong."},
      {"shared with the command line",
       {Kind::kDestinationNotWritable, "/out/"},
       FailureText({Kind::kDestinationNotWritable, "/out/"})},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WindowFailureText(c.failure), c.text) << c.name;
}

}  // namespace
}  // namespace quorvex
