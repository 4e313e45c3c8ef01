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
  EXPECT_EQ(kAttributeColumnTitle, "Add attribute column");
  EXPECT_EQ(kAttributeColumnLabel, "Tag of the block attribute :");
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
  EXPECT_EQ(kBothFormsFilter, "Quorvex configurations, both forms (*.qrv *.toml)");
  EXPECT_EQ(kDrawingInfoTitle, "Drawing information");
  EXPECT_EQ(
      DrawingInfoFailureText("/d/a.dxf", {Kind::kDxfUnreadable, {}, {}, 0, "Permission denied"}),
      "The drawing \"/d/a.dxf\" cannot be read. Permission denied");
  EXPECT_EQ(DrawingInfoFailureText("/d/a\n.dxf", {Kind::kNotDxf}),
            "The drawing \"/d/a\\x0A.dxf\" is not a valid DXF file: it has no ENTITIES section.");
  EXPECT_EQ(DrawingInfoFailureText("/d/a.dxf", {Kind::kFileChanged}),
            "The drawing \"/d/a.dxf\" was changed by another program while it was read.");
  EXPECT_EQ(kPreviewNoDrawing,
            "Choose a drawing in the list of the \"DXF Files\" tab to preview it.");
  EXPECT_EQ(kPreviewComputing, "Computing the preview...");
  EXPECT_EQ(PreviewSummaryText("road.dxf", 1, 3, 3), "road.dxf: 1 point");
  EXPECT_EQ(PreviewSummaryText("big.dxf", 0, 100000, 250001),
            "big.dxf: 0 points, first 100000 entities of 250001");
  EXPECT_EQ(LegendText("3D Polylines", 12), "3D Polylines: 12");
  EXPECT_EQ(NotOpenedText("/help/index.html"),
            "Cannot open \"/help/index.html\": no application to open it was found.");
  EXPECT_EQ(NotOpenedText("/logs/\x1B.txt"),
            "Cannot open \"/logs/\\x1B.txt\": no application to open it was found.");
}

TEST(WindowWords, DrawingsNotOpened) {
  EXPECT_EQ(NotOpenedPathsText("/one", {"/two/a.dxf", "/three"}, {"/one/gone\x1B.dxf"}),
            "The list shows the drawings of one folder, \"/one\".\n"
            "Not opened, from other folders:\n  \"/two/a.dxf\"\n  \"/three\"\n"
            "Not found:\n  \"/one/gone\\x1B.dxf\"");
  EXPECT_EQ(NotOpenedPathsText("", {}, {"gone.dxf"}), "Not found:\n  \"gone.dxf\"");
  std::vector<std::string> twelve;
  for (char name = 'a'; name < 'a' + 12; ++name)
    twelve.push_back(std::string("/two/") + name + ".dxf");
  const std::string text = NotOpenedPathsText("/one", twelve, {});
  EXPECT_NE(text.find("\"/two/j.dxf\"\n  and 2 more"), std::string::npos) << text;
  EXPECT_EQ(text.find("k.dxf"), std::string::npos) << text;
}

TEST(WindowWords, TheUsageNamesTheProgramAndFitsATerminal) {
  EXPECT_EQ(kWindowUsage.substr(0, 15), "Usage: quorvex ");
  EXPECT_EQ(kWindowUsage.back(), '\n');
  std::size_t start = 0;
  for (std::size_t end = kWindowUsage.find('\n'); end != std::string_view::npos;
       start = end + 1, end = kWindowUsage.find('\n', start))
    EXPECT_LE(end - start, 100u) << kWindowUsage.substr(start, end - start);
}

TEST(WindowWords, TheStatusBarAfterARun) {
  using Outcome = ConversionOutcome;
  struct Case {
    const char* name;
    std::vector<Outcome> outcomes;
    BatchEnd end;
    std::optional<Failure> refusal, log_failure;
    std::string text;
  };
  const Failure refused{Kind::kDestinationNotWritable, "/out/"};
  const Failure unwritten{Kind::kLogNotWritten, "/logs/r.txt", {}, 0, "Disk full"};
  const std::vector<Outcome> seven{Outcome::kConverted, Outcome::kFailed,    Outcome::kConverted,
                                   Outcome::kFailed,    Outcome::kConverted, Outcome::kFailed,
                                   Outcome::kConverted};
  const Case cases[] = {
      {"finished",
       seven,
       BatchEnd::kFinished,
       {},
       {},
       "4 files converted, 3 with errors; report: /logs/r.txt"},
      {"one file, skipped ones",
       {Outcome::kConverted, Outcome::kSkipped},
       BatchEnd::kFinished,
       {},
       {},
       "1 file converted, 0 with errors, 1 skipped; report: /logs/r.txt"},
      {"log not written",
       {Outcome::kConverted},
       BatchEnd::kFinished,
       {},
       unwritten,
       "1 file converted, 0 with errors; report: not written"},
      {"stopped",
       {Outcome::kConverted, Outcome::kFailed, Outcome::kCancelled},
       BatchEnd::kCancelled,
       {},
       {},
       "stopped after 2 of 7 files; report: /logs/r.txt"},
      {"refused", {}, BatchEnd::kDestinationNotWritable, refused, {}, WindowFailureText(refused)},
  };
  for (const Case& c : cases) {
    BatchResult result;
    for (const Outcome outcome : c.outcomes)
      result.files.push_back({outcome, std::nullopt, false, 0});
    result.end = c.end;
    result.refusal = c.refusal;
    result.log_failure = c.log_failure;
    EXPECT_EQ(RunSummaryText(result, "/logs/r.txt", 7), c.text) << c.name;
  }
  BatchResult converted;
  converted.files.push_back({Outcome::kConverted, std::nullopt, false, 0});
  EXPECT_EQ(RunSummaryText(converted, "/logs/\x07.txt", 1),
            "1 file converted, 0 with errors; report: /logs/\\x07.txt");
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
       "Cannot create file \"/c/a\\x09b.qrv\". Permission denied"},
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
