// The exact words of the report, its error lines and the run's refusals, each spelled once here.
#include "engine/report_words.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvex {
namespace {

using Kind = Failure::Kind;

TEST(ReportWords, EveryFailureHasItsText) {
  struct Case {
    const char* name;
    Failure failure;
    const char* text;
  };
  const Case cases[] = {
      {"unreadable drawing",
       {Kind::kDxfUnreadable, "/in/a.dxf", {}, 0, "Permission denied"},
       "  *** Error, file is used by another application ***"},
      {"changed drawing",
       {Kind::kFileChanged},
       "  *** Error, file is used by another application ***"},
      {"not a drawing", {Kind::kNotDxf}, "  *** Error, this is not a valid DXF file ***"},
      {"empty", {Kind::kEmptyFile}, "  *** Error, this is not a valid DXF file ***"},
      {"DWG", {Kind::kDwgDrawing}, "  *** Error, this is not a valid DXF file ***"},
      {"binary DXF", {Kind::kBinaryDxf}, "  *** Error, this is not a valid DXF file ***"},
      {"group code",
       {Kind::kGroupCodeNotInteger, {}, "1O", 12},
       "  *** Error, the group code \"1O\" is not an integer (line 12) ***"},
      {"value",
       {Kind::kValueNotNumber, {}, "", 3},
       "  *** Error, the value \"\" is not a number (line 3) ***"},
      {"ends inside an entity",
       {Kind::kEndsInsideEntity, {}, {}, 41},
       "  *** Error, the file ends inside an entity (line 41) ***"},
      {"computed coordinate",
       {Kind::kCoordinateOutOfRange, {}, {}, 5},
       "  *** Error, a computed coordinate is out of range (line 5) ***"},
      {"data file",
       {Kind::kDataFileNotWritten, "/out/a.txt", {}, 0, "No space left on device"},
       "  *** Error, the data file could not be written: No space left on device ***"},
      {"data file over a drawing",
       {Kind::kDataFileWouldReplaceDxf, "/in/a.dxf"},
       "  *** Error, the data file would replace a DXF file ***"},
      {"destination",
       {Kind::kDestinationNotWritable, "/out/"},
       "Destination directory \"/out/\" is write-protected, files can't be created here. Please "
       "select another directory."},
      {"destination with the system's reason",
       {Kind::kDestinationNotWritable, "/out/", {}, 0, "Read-only file system"},
       "Destination directory \"/out/\" is write-protected, files can't be created here "
       "(Read-only file system). Please select another directory."},
      {"log",
       {Kind::kLogNotWritten, "/var/log.txt", {}, 0, "Read-only file system"},
       "Log file \"/var/log.txt\" could not be written: Read-only file system"},
      {"log over a file of the run",
       {Kind::kLogIsRunFile, "/in/a.dxf"},
       "Log file \"/in/a.dxf\" is a file that the run reads or writes; nothing was converted"},
      {"folder",
       {Kind::kFolderNotListed, "/in/", {}, 0, "Permission denied"},
       "Folder \"/in/\" could not be listed: Permission denied"},
      {"decimals",
       {Kind::kConfigValueRefused, {}, "20", 0, {}, field_node::kYDecimals},
       "  Y (North) coordinate, Decimals : \"20\" - The value must be an integer value comprised "
       "between 1 and 14.  "},
      {"start",
       {Kind::kConfigValueRefused, {}, "1st", 0, {}, field_node::kGroupStart},
       "  Group Number, Start at : \"1st\" - The value must be an integer value.  "},
      {"force to",
       {Kind::kConfigValueRefused, {}, "1,5", 0, {}, field_node::kZForceTo},
       "  Z (Elevation) coordinate, Force to : \"1,5\" - The value must be a decimal value.  "},
      {"extension",
       {Kind::kExtensionRefused, {}, "a/b"},
       "  The data file extension \"a/b\" is refused: it must be 1 to 10 characters, without / or "
       "NUL.  "},
      {"skipped",
       {Kind::kDataFileExists, "/out/a.txt"},
       "  *** Skipped, the data file exists and is left alone ***"},
      {"unchanged",
       {Kind::kDrawingUnchanged, "/out/a.txt"},
       "  *** Skipped, the drawing and the configuration are as when its data file was written "
       "***"},
      {"manifest not written",
       {Kind::kManifestNotWritten, "/out/.quorvex-manifest.json", {}, 0, "Disk quota exceeded"},
       "Manifest \"/out/.quorvex-manifest.json\" could not be written: Disk quota exceeded; the "
       "next run cannot tell what this one did"},
      {"manifest damaged",
       {Kind::kManifestDamaged, "/out/.quorvex-manifest.json", "unexpected end of input"},
       "Manifest \"/out/.quorvex-manifest.json\" could not be read (unexpected end of input); it "
       "was replaced by the outcomes of this run"},
      {"decimal comma",
       {Kind::kDecimalCommaWithComma, {}, ";,"},
       "  Coordinates with a decimal comma cannot be written with a separator that holds a "
       "comma.  "},
      {"no log folder",
       {Kind::kNoLogFolder},
       "No folder for the log file: neither XDG_STATE_HOME nor HOME is set to an absolute path"},
      {"no configurations folder",
       {Kind::kNoConfigurationsFolder},
       "No configurations folder: neither XDG_DATA_HOME nor HOME is set to an absolute path"},
      {"folder not created",
       {Kind::kFolderNotCreated, "/home/\x01/state", {}, 0, "Not a directory"},
       "Folder \"/home/\\x01/state\" could not be created: Not a directory"},
      {"too large for a configuration",
       {Kind::kConfigTooLarge, "big\n.toml"},
       "File \"big\\x0A.toml\" is larger than 64 KiB, too large for a configuration"},
      {"not TOML",
       {Kind::kConfigNotToml, "site.toml", "expected a value", 2},
       "site.toml:2: neither a .qrv file nor TOML: expected a value"},
      {"refused TOML",
       {Kind::kConfigTomlRefused, "site.toml", "unknown key \"colour\"", 3},
       "site.toml:3: unknown key \"colour\""},
      // Each front end has its own words for these.
      {"configuration not opened", {Kind::kConfigNotOpened, "a.qrv"}, ""},
      {"destination is a file", {Kind::kDestinationIsFile, "out"}, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FailureText(c.failure), c.text) << c.name;
}

TEST(ReportWords, TheReasonOfAFileInPlainWords) {
  struct Case {
    Failure failure;
    const char* reason;
  };
  const Case cases[] = {
      {{Kind::kDxfUnreadable, {}, {}, 0, "Permission denied"}, "Permission denied"},
      {{Kind::kFileChanged}, "file is used by another application"},
      {{Kind::kNotDxf}, "the drawing has no ENTITIES section"},
      {{Kind::kEmptyFile}, "the file is empty"},
      {{Kind::kDwgDrawing}, "this is a DWG drawing, not DXF: save it as ASCII DXF"},
      {{Kind::kBinaryDxf}, "binary DXF is not supported: save it as ASCII DXF"},
      {{Kind::kValueNotNumber, {}, "1,5", 24}, "the value \"1,5\" is not a number (line 24)"},
      {{Kind::kDataFileNotWritten, {}, {}, 0, "No space left on device"},
       "the data file could not be written: No space left on device"},
      {{Kind::kDataFileExists, "/out/a.txt"}, "Skipped, the data file exists and is left alone"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FailureReason(c.failure), c.reason) << c.reason;
}

TEST(ReportWords, ErrorLinesQuoteAtMost80BytesOfTheText) {
  const std::string long_value(1000000, '7');
  EXPECT_EQ(
      FailureText({Kind::kValueNotNumber, {}, long_value, 9}),
      "  *** Error, the value \"" + std::string(80, '7') + "...\" is not a number (line 9) ***");
  EXPECT_EQ(FailureText({Kind::kGroupCodeNotInteger, {}, std::string(80, 'x'), 2}),
            "  *** Error, the group code \"" + std::string(80, 'x') +
                "\" is not an integer (line 2) ***");
  // The cut never splits a character: the two bytes of "\xC3\xA9" standing at 80 and 81 go.
  const std::string accented = std::string(79, 'e') + "\xC3\xA9" + "tage";
  EXPECT_EQ(
      FailureText({Kind::kValueNotNumber, {}, accented, 1}),
      "  *** Error, the value \"" + std::string(79, 'e') + "...\" is not a number (line 1) ***");
}

TEST(ReportWords, ControlCharactersInNamesAreWrittenAsHexEscapes) {
  const std::string name = "/in/a\nFile 9 :\x1B[2J\t\x7F\x01\xC3\xA9.dxf";
  const std::string escaped = "/in/a\\x0AFile 9 :\\x1B[2J\\x09\\x7F\\x01\xC3\xA9.dxf";
  EXPECT_EQ(EscapedName(name), escaped);
  EXPECT_EQ(EscapedName(escaped), escaped);
  std::vector<std::string> report;
  AppendFileHeading(report, 1, name);
  AppendDataFileLines(report, name);
  EXPECT_EQ(report, (std::vector<std::string>{"File 1 :", "", "  DXF File  : " + escaped,
                                              "  Data File : " + escaped, ""}));
  EXPECT_EQ(FailureText({Kind::kLogNotWritten, name, {}, 0, "Is a directory"}),
            "Log file \"" + escaped + "\" could not be written: Is a directory");
  EXPECT_EQ(FailureText({Kind::kDestinationNotWritable, "/out\r/"}).substr(0, 33),
            "Destination directory \"/out\\x0D/\"");
}

TEST(ReportWords, BytesThatAreNoUtf8AndC1ControlsAreWrittenAsHexEscapes) {
  struct Case {
    const char* name;
    std::string text;
    std::string escaped;
  };
  const Case cases[] = {
      {"a byte of a single-byte code page", "Pl\xE4ne.dxf", "Pl\\xE4ne.dxf"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
      {"cut short", "a\xE2\x82", "a\\xE2\\x82"},
      {"a surrogate", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
      {"C1 controls, U+009B and U+0085",
       "\xC2\x9B"
       "2J\xC2\x85",
       "\\xC2\\x9B"
       "2J\\xC2\\x85"},
      {"characters around them stay", "\xC2\xA0\xE2\x82\xAC\xF0\x9F\x98\x80",
       "\xC2\xA0\xE2\x82\xAC\xF0\x9F\x98\x80"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EscapedName(c.text), c.escaped);
  }
}

TEST(ReportWords, TextsOfDrawingsAndConfigurationsAreQuotedEscaped) {
  EXPECT_EQ(FailureText({Kind::kGroupCodeNotInteger, {}, "1\x1B[2J", 12}),
            "  *** Error, the group code \"1\\x1B[2J\" is not an integer (line 12) ***");
  EXPECT_EQ(FailureText({Kind::kValueNotNumber, {}, "\a1.5", 3}),
            "  *** Error, the value \"\\x071.5\" is not a number (line 3) ***");
  EXPECT_EQ(FailureText({Kind::kConfigValueRefused, {}, "2\x1B", 0, {}, field_node::kXDecimals}),
            "  X (East) coordinate, Decimals : \"2\\x1B\" - The value must be an integer value "
            "comprised between 1 and 14.  ");
  // The 80 bytes are taken before the escapes: an escaped text is never cut inside an escape.
  EXPECT_EQ(FailureText({Kind::kValueNotNumber, {}, std::string(79, '1') + "\x1B\x1B", 3}),
            "  *** Error, the value \"" + std::string(79, '1') +
                "\\x1B...\" is not a number (line 3) ***");
  RunTables tables;
  tables.EntityEnabled[entity_kind::kBlocks] = 1;
  EntityTally tally;
  tally.total = tally.per_kind[entity_kind::kBlocks] = 1;
  tally.block_names = {"TREE\x07"};
  tally.block_counts = {1};
  std::vector<std::string> report;
  AppendCountLines(report, tables, "TREE\x1B*", tally);
  EXPECT_EQ(report[2], "    Blocks : 1 (TREE\\x1B*)");
  EXPECT_EQ(report[3], "      TREE\\x07 : 1");
}

TEST(ReportWords, HeaderHeadingAndCounts) {
  const std::string rule(100, '-');
  EXPECT_EQ(ReportHeader("03/05/20 14:07:09", 3),
            (std::vector<std::string>{"Quorvex report created 03/05/20 14:07:09", "",
                                      "Number of processed files : 3", rule, ""}));
  std::vector<std::string> report;
  AppendFileHeading(report, 2, "/in/a.dxf");
  AppendDataFileLines(report, "/out/a.txt");
  RunTables tables;
  tables.EntityEnabled[entity_kind::kPoints] = 1;
  tables.EntityEnabled[entity_kind::kBlocks] = 1;
  EntityTally tally;
  tally.total = 4;
  tally.per_kind[entity_kind::kPoints] = 1;
  tally.per_kind[entity_kind::kBlocks] = 3;
  tally.block_names = {"TREE1", "tree2"};
  tally.block_counts = {2, 1};
  AppendCountLines(report, tables, "TREE*", tally);
  AppendFailureLines(report, {Kind::kNotDxf});
  EXPECT_EQ(report, (std::vector<std::string>{
                        "File 2 :", "", "  DXF File  : /in/a.dxf", "  Data File : /out/a.txt", "",
                        "  Processed entities count : 4", "", "    Points : 1 ",
                        "    Blocks : 3 (TREE*)", "      TREE1 : 2", "      tree2 : 1", rule,
                        "  *** Error, this is not a valid DXF file ***", rule}));
  EXPECT_EQ(kCancelLine, "*** Process canceled by user ***");
}

TEST(ReportWords, UndecodedCharactersWarnBeforeTheRule) {
  const std::string rule(100, '-');
  EXPECT_EQ(UndecodedText({1, "ANSI_1252"}),
            "  *** Warning, 1 character could not be decoded from ANSI_1252 and was written as "
            "U+FFFD ***");
  EXPECT_EQ(UndecodedText({12, "UTF-8"}),
            "  *** Warning, 12 characters could not be decoded from UTF-8 and were written as "
            "U+FFFD ***");
  RunTables tables;
  EntityTally tally;
  tally.undecoded = {2, "ANSI_932"};
  std::vector<std::string> report;
  AppendCountLines(report, tables, "", tally);
  AppendFailureLines(report, {Kind::kNotDxf}, {3, "ANSI_932"});
  AppendFailureLines(report, {Kind::kNotDxf}, {0, "ANSI_932"});
  EXPECT_EQ(report,
            (std::vector<std::string>{
                "  Processed entities count : 0", "", UndecodedText({2, "ANSI_932"}), rule,
                "  *** Error, this is not a valid DXF file ***", UndecodedText({3, "ANSI_932"}),
                rule, "  *** Error, this is not a valid DXF file ***", rule}));
}

TEST(ReportWords, TheProgressAndTheSummaryOfARun) {
  EXPECT_EQ(ProgressLabel("road.dxf"), "Processing road.dxf");
  EXPECT_EQ(ProgressLabel("a\x1B\xFF.dxf"), "Processing a\\x1B\\xFF.dxf");
  EXPECT_EQ(ReportPlace("/logs/r\n.txt", false, true), "/logs/r\\x0A.txt");
  EXPECT_EQ(ReportPlace("/logs/r.txt", false, false), "not written");
  EXPECT_EQ(ReportPlace("/logs/r.txt", true, true), "standard output");
  EXPECT_EQ(SummaryLine(1, 2, 0, "r.txt"), "1 file converted, 2 with errors; report: r.txt");
  EXPECT_EQ(SummaryLine(3, 0, 1, "r.txt"),
            "3 files converted, 0 with errors, 1 skipped; report: r.txt");
  EXPECT_EQ(StoppedLine(2, 5, "r.txt"), "stopped after 2 of 5 files; report: r.txt");
}

TEST(ReportWords, RefusedValuesNameTheRulesMessage) {
  EXPECT_EQ(OptionRuleMessage(OptionRule::kAnyText), "");
  EXPECT_EQ(OptionRuleMessage(OptionRuleOf(field_node::kLineNumberStart)),
            "  The value must be an integer value.  ");
}

}  // namespace
}  // namespace quorvex
