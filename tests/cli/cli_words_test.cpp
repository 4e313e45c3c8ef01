// The exact words the command line says on its own, each spelled once here.
#include "cli/cli_words.h"

#include <gtest/gtest.h>

#include "engine/report_words.h"

namespace quorvex::cli {
namespace {

using Kind = Failure::Kind;

TEST(CliWords, EveryRefusalOfTheCommandLine) {
  struct Case {
    const char* name;
    Failure failure;
    std::string text;
  };
  const Case cases[] = {
      {"destination is a file",
       {Kind::kDestinationIsFile, "out"},
       "Destination \"out\" is a file, not a folder; name a folder for the data files"},
      {"extension with a slash",
       {Kind::kExtensionHoldsSlash, {}, "a/b"},
       "The data file extension \"a/b\" holds the path separator \"/\"; the data files go to the "
       "-o folder"},
      {"configuration not opened",
       {Kind::kConfigNotOpened, "a.qrv", {}, 0, "Permission denied"},
       "Cannot open file \"a.qrv\". Permission denied"},
      {"configuration not written",
       {Kind::kConfigNotWritten, "a.qrv", {}, 0, "Read-only file system"},
       "Cannot create file \"a.qrv\". Read-only file system"},
      {"not a configuration",
       {Kind::kNotAConfig, "a\x1B.qrv"},
       "File \"a\\x1B.qrv\" is not a Quorvex configuration file"},
      {"damaged configuration",
       {Kind::kConfigDamaged, "a.qrv", "Stream data corrupt. A node's anchor chunk is missing."},
       "Configuration file \"a.qrv\": Stream data corrupt. A node's anchor chunk is missing."},
      {"decimal comma",
       {Kind::kDecimalCommaWithComma, {}, ", "},
       "option --decimal-comma cannot be used with a separator that holds a comma"},
      {"saved configuration over a file of the run",
       {Kind::kSavedConfigIsRunFile, "/in/a.dxf"},
       "Configuration file \"/in/a.dxf\" is a file that the run reads or writes; nothing was "
       "written"},
      {"shared with the window",
       {Kind::kLogIsRunFile, "/in/a.dxf"},
       FailureText({Kind::kLogIsRunFile, "/in/a.dxf"})},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CliFailureText(c.failure), c.text) << c.name;
  EXPECT_EQ(NoLogFolderText({Kind::kNoLogFolder}),
            "No folder for the log file: neither XDG_STATE_HOME nor HOME is set to an absolute "
            "path; name the log file with --log FILE");
  EXPECT_EQ(EmptyFolderWarning("/in/empty/"), "warning: folder \"/in/empty/\" holds no DXF file");
  EXPECT_EQ(DataFileClashLine("/out/a.txt", {"/in/a.dxf", "/in/a.DXF", "/x/a.dxf"}),
            "/out/a.txt would be written by /in/a.dxf and /in/a.DXF and /x/a.dxf");
}

TEST(CliWords, TheLineOfAFileThatDidNotConvert) {
  struct Case {
    const char* name;
    FileOutcome outcome;
    bool removed;
    const char* line;
  };
  const Failure not_number{Kind::kValueNotNumber, {}, "1,5", 24};
  const Case cases[] = {
      {"unreadable",
       {ConversionOutcome::kFailed, Failure{Kind::kDxfUnreadable, {}, {}, 0, "Permission denied"}},
       false,
       "/in/a.dxf: Permission denied"},
      {"incomplete",
       {ConversionOutcome::kFailed, not_number, true, 3},
       false,
       "/in/a.dxf: the value \"1,5\" is not a number (line 24); its data file \"/out/a.txt\" is "
       "incomplete: 3 data lines written before it stopped"},
      {"one line",
       {ConversionOutcome::kFailed, not_number, true, 1},
       false,
       "/in/a.dxf: the value \"1,5\" is not a number (line 24); its data file \"/out/a.txt\" is "
       "incomplete: 1 data line written before it stopped"},
      {"removed",
       {ConversionOutcome::kFailed, not_number, true, 3},
       true,
       "/in/a.dxf: the value \"1,5\" is not a number (line 24); its partial data file "
       "\"/out/a.txt\" was removed"},
      {"stopped",
       {ConversionOutcome::kCancelled, std::nullopt, false, 0},
       false,
       "/in/a.dxf: stopped"},
      {"skipped",
       {ConversionOutcome::kSkipped, Failure{Kind::kDataFileExists, "/out/a.txt"}},
       false,
       "/in/a.dxf: Skipped, the data file exists and is left alone"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FileFailureLine("/in/a.dxf", c.outcome, "/out/a.txt", c.removed), c.line) << c.name;
}

TEST(CliWords, WarningsAndRefusalsOfARun) {
  EXPECT_EQ(QrvCannotKeepWarning("quote, bom"),
            "warning: the .qrv form cannot keep: quote, bom; the configuration was saved without "
            "them (--print-config keeps them)");
  EXPECT_EQ(kNoDxfFile, "no DXF file to convert in the folders given");
  EXPECT_EQ(kDataFileClashes, "two inputs would write the same data file; nothing was converted:");
}

}  // namespace
}  // namespace quorvex::cli
