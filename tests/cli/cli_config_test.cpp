// The configuration on the command line: -c in either form, the options over it, and what
// --print-config and --save-config write.
#include <gtest/gtest.h>

#include <functional>

#include "cli/cli_harness.h"
#include "config/config_file.h"
#include "config/qrv_file.h"
#include "config/toml_config.h"
#include "desk/config_session.h"
#include "desk/scripted_prompts.h"
#include "engine/report_words.h"

namespace quorvex::cli {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

class CliConfigTest : public CliRunTest {
 protected:
  // The configuration in effect after `args`, read back from --print-config.
  ConfigContent InEffect(std::vector<std::string> args) {
    args.push_back("--print-config");
    const CliRun run = RunConverter(args, Program());
    EXPECT_EQ(run.status, kExitConverted) << run.err;
    const ConfigRead read = ParseConfigToml(run.out, "printed");
    EXPECT_FALSE(read.failure) << FailureText(read.failure.value_or(Failure{}));
    return read.content;
  }
  std::string Default() const { return (program_ / "default.qrv").string(); }
};

std::vector<int> FieldOrder(const ConfigContent& content) {
  std::vector<int> order;
  for (const TreeNode& node : content.trees.data)
    order.push_back(node.Checked() ? node.data : -1 - node.data);
  return order;
}

TEST_F(CliConfigTest, TheTomlFormAndTheSavedFileRoundTripAsTheWindowSavesThem) {
  // What the window saves after loading the default configuration.
  ConfigModel model;
  testing::ScriptedPrompts prompts;
  MemorySettings settings;
  ConfigSession window(model, prompts, settings, dir_.path());
  ASSERT_TRUE(window.LoadConfigFile(Default()));
  ASSERT_TRUE(window.SaveConfigurationTo(dir_.File("window.qrv")));
  EXPECT_TRUE(prompts.errors.empty());

  const CliRun printed = RunConverter({"-c", Default(), "--print-config"}, Program());
  ASSERT_EQ(printed.status, kExitConverted) << printed.err;
  testing::WriteFile(dir_.File("site.toml"), printed.out);
  const CliRun saved = RunConverter(
      {"-c", dir_.File("site.toml"), "--save-config", dir_.File("cli.qrv")}, Program());
  ASSERT_EQ(saved.status, kExitConverted) << saved.err;
  EXPECT_EQ(saved.out, "");
  EXPECT_EQ(ReadFile(dir_.File("cli.qrv")), ReadFile(dir_.File("window.qrv")));
  const CliRun again = RunConverter({"-c", dir_.File("cli.qrv"), "--print-config"}, Program());
  EXPECT_EQ(again.out, printed.out);
}

TEST_F(CliConfigTest, OptionsChangeTheConfigurationAsTheWindowsEditorsWould) {
  using namespace entity_node;
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::function<void(const ConfigContent&)> check;
  };
  // The "Other" separator with `text`.
  auto other = [](std::string text) {
    return [text](const ConfigContent& c) {
      EXPECT_EQ(c.record.SeparatorIndex, 5);
      EXPECT_EQ(c.record.SeparatorText.View(), text);
    };
  };
  testing::WriteFile(dir_.File("pipe.toml"), "separator = \"comma\"\nseparator-other = \" / \"\n");
  auto kinds = [](const ConfigContent& c) {
    std::vector<int> checked;
    for (int node = 0; node < kEntityNodeCount; ++node)
      if (c.record.EntityChecks[static_cast<std::size_t>(node)] == 1) checked.push_back(node);
    return checked;
  };
  const Case cases[] = {
      {"a kind alone takes the default's options",
       {"--kinds", "arcs"},
       [&](const ConfigContent& c) {
         // Lines, splines and faces keep their options, unchecked and disabled.
         EXPECT_EQ(kinds(c),
                   (std::vector<int>{kArcs, kArcCenter, kLineStart, kLineEnd, kSplineControlPoints,
                                     kFaceFirst, kFaceSecond, kFaceThird, kFaceFourth}));
         EXPECT_TRUE(FindNode(c.trees.entity, kLineStart).node->Has(node_state::kDisabled));
       }},
      {"options pick the points",
       {"--kinds", "arcs.start, lines,faces.2"},
       [&](const ConfigContent& c) {
         EXPECT_EQ(kinds(c), (std::vector<int>{kArcs, kArcStart, kLines, kLineStart, kLineEnd,
                                               kSplineControlPoints, kFaces, kFaceSecond}));
       }},
      {"fields in the order given",
       {"--fields", "layer,x,line-number"},
       [](const ConfigContent& c) {
         EXPECT_EQ(FieldOrder(c),
                   (std::vector<int>{15, 3, 0, -7, -10, -14, -18, -20, -22, -24, -27, -30}));
       }},
      {"words in any case",
       {"--kinds", "ARCS.Start,Lines", "--fields", "Layer,X", "--separator", "TaB"},
       [&](const ConfigContent& c) {
         EXPECT_EQ(kinds(c), (std::vector<int>{kArcs, kArcStart, kLines, kLineStart, kLineEnd,
                                               kSplineControlPoints, kFaceFirst, kFaceSecond,
                                               kFaceThird, kFaceFourth}));
         EXPECT_EQ(FieldOrder(c),
                   (std::vector<int>{15, 3, -1, -7, -10, -14, -18, -20, -22, -24, -27, -30}));
         EXPECT_EQ(c.record.SeparatorIndex, 3);
       }},
      {"a tab written \\t",
       {"--separator", "\\t"},
       [](const ConfigContent& c) { EXPECT_EQ(c.record.SeparatorIndex, 3); }},
      {"separator text of a choice",
       {"--separator", ";"},
       [](const ConfigContent& c) { EXPECT_EQ(c.record.SeparatorIndex, 1); }},
      {"another separator", {"--separator", " | "}, other(" | ")},
      {"letters as text", {"--separator", "text:tab"}, other("tab")},
      {"the text of a choice as text", {"--separator", "TEXT:;"}, other(";")},
      {"other keeps the configuration's text",
       {"-c", dir_.File("pipe.toml"), "--separator", "Other"},
       other(" / ")},
      {"decimals",
       {"--decimals", "7"},
       [](const ConfigContent& c) {
         for (const int node :
              {field_node::kXDecimals, field_node::kYDecimals, field_node::kZDecimals})
           EXPECT_EQ(c.record.FieldValues[static_cast<std::size_t>(node)].View(), "7");
       }},
      {"no header",
       {"--no-header"},
       [](const ConfigContent& c) { EXPECT_EQ(c.record.IncludeHeader, 0); }},
      {"blocks trimmed",
       {"--blocks", " TREE*, MH? "},
       [](const ConfigContent& c) { EXPECT_EQ(c.record.BlockNames.View(), "TREE*, MH?"); }},
      {"extension",
       {"-e", "csv"},
       [](const ConfigContent& c) { EXPECT_EQ(c.record.DataFileExtension.View(), "csv"); }},
      {"extension without its leading dot",
       {"-e", "..csv"},
       [](const ConfigContent& c) { EXPECT_EQ(c.record.DataFileExtension.View(), ".csv"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.check(InEffect(c.args));
  }
}

TEST_F(CliConfigTest, WrongWordsAndUnreadableConfigurationsAreUsageErrors) {
  testing::WriteFile(dir_.File("bad.toml"), "extension = \"csv\"\nkinds = [\"points\", \"arc\"]\n");
  testing::WriteFile(dir_.File("bell.toml"), "kinds = [\"\\u0007\"]\n");
  std::string damaged = ReadFile(Default());
  damaged[3] = 'X';  // "QXV300"
  testing::WriteFile(dir_.File("damaged.qrv"), damaged);
  testing::WriteFile(dir_.File("large.toml"),
                     "header = true\n" + std::string(kMaxConfigFileSize, '#') + "\n");
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {"unknown kind",
       {"--kinds", "points,curves"},
       "unknown kind \"curves\" in --kinds; the kinds are: points, circles, arcs, arcs.start,"},
      {"mistyped kind",
       {"--kinds", "pionts"},
       "unknown kind \"pionts\" in --kinds; did you mean \"points\"?\n"},
      {"mistyped field",
       {"--fields", "x,LYER"},
       "unknown field \"LYER\" in --fields; did you mean \"layer\"?\n"},
      {"letters that are no separator",
       {"--separator", "pipe"},
       "unknown separator \"pipe\" in --separator; the separators are: comma, semicolon, space, "
       "tab, linefeed, other; for the text itself, give text:pipe\n"},
      {"mistyped separator",
       {"--separator", "Semicolom"},
       "unknown separator \"Semicolom\" in --separator; did you mean \"semicolon\"? The "
       "separators are: comma, semicolon, space, tab, linefeed, other; for the text itself, give "
       "text:Semicolom\n"},
      {"an option is no field",
       {"--fields", "x,x.prefix"},
       "unknown field \"x.prefix\" in --fields; the fields are: line-number, x, y, z, "
       "entity-type, layer, handle, block-name, text, label, sequence, group\n"},
      {"field twice", {"--fields", "x,y,x"}, "\"x\" is named twice in --fields"},
      {"empty word", {"--kinds", "points,"}, "unknown kind \"\" in --kinds"},
      {"a word with control characters",
       {"--fields", "x,A\x1B[2J\xC2\x9B"},
       "unknown field \"A\\x1B[2J\\xC2\\x9B\" in --fields"},
      {"a word of the TOML form with a control character",
       {"-c", dir_.File("bell.toml")},
       dir_.File("bell.toml") + ":1: unknown kind \"\\x07\" in \"kinds\""},
      {"line of the TOML form",
       {"-c", dir_.File("bad.toml")},
       dir_.File("bad.toml") + ":2: unknown kind \"arc\" in \"kinds\""},
      {"missing file",
       {"-c", dir_.File("absent.qrv")},
       "Cannot open file \"" + dir_.File("absent.qrv") + "\". No such file or directory\n"},
      {"folder",
       {"-c", dir_.path().string()},
       "File \"" + dir_.path().string() + "\" is not a Quorvex configuration file\n"},
      {".qrv file with a damaged identifier",
       {"-c", dir_.File("damaged.qrv")},
       "File \"" + dir_.File("damaged.qrv") + "\" is not a Quorvex configuration file\n"},
      {"TOML beyond the size of any configuration",
       {"-c", dir_.File("large.toml")},
       "File \"" + dir_.File("large.toml") +
           "\" is larger than 64 KiB, too large for a configuration\n"},
      {"unwritable saved file",
       {"--save-config", "/proc/quorvex.qrv"},
       "Cannot create file \"/proc/quorvex.qrv\". "},
      {"decimal comma with the comma separator",
       {"--decimal-comma"},
       "option --decimal-comma cannot be used with a separator that holds a comma"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"-o", dir_.File("out"), "--log", Log(), samples_.string()});
    const CliRun run = RunConverter(args, Program());
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_NE(run.err.find("quorvex-cli: " + c.error), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Log()));
  }
}

TEST_F(CliConfigTest, SaveConfigNeverReplacesAFileOfTheRunNorAnythingButARegularFile) {
  const std::string road = (samples_ / "road.dxf").string();
  const std::string drawing = ReadFile(road);
  fs::copy_file(Default(), dir_.File("site.qrv"));
  fs::create_directory(dir_.File("out"));
  testing::WriteFile(dir_.File("out/road.txt"), "earlier data\r\n");
  testing::WriteFile(Log(), "earlier report\r\n");
  fs::create_symlink(road, dir_.File("to-road.qrv"));
  fs::create_symlink("/dev/null", dir_.File("to-device.qrv"));
  const testing::ReleasedFifo pipe(dir_.File("pipe.qrv"));
  struct Case {
    const char* name;
    std::string save;
    std::string error;
  };
  const std::string of_the_run = " is a file that the run reads or writes; nothing was written";
  const Case cases[] = {
      {"an input drawing", road, "Configuration file \"" + road + "\"" + of_the_run},
      {"an input through a link", dir_.File("to-road.qrv"),
       "Configuration file \"" + dir_.File("to-road.qrv") + "\"" + of_the_run},
      {"the -c file", dir_.File("site.qrv"),
       "Configuration file \"" + dir_.File("site.qrv") + "\"" + of_the_run},
      // The log is checked first, and refused for the same reason.
      {"the log", Log(),
       "Log file \"" + Log() + "\" is a file that the run reads or writes; nothing was converted"},
      {"a data file", dir_.File("out/road.txt"),
       "Configuration file \"" + dir_.File("out/road.txt") + "\"" + of_the_run},
      {"a pipe", pipe.path(), "Cannot create file \"" + pipe.path() + "\". Not a regular file"},
      {"a link to a device", dir_.File("to-device.qrv"),
       "Cannot create file \"" + dir_.File("to-device.qrv") + "\". Not a regular file"},
  };
  const std::string site = ReadFile(dir_.File("site.qrv"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun run = RunConverter({"-c", dir_.File("site.qrv"), "--save-config", c.save, "-o",
                                     dir_.File("out"), "--log", Log(), road},
                                    Program());
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.err, "quorvex-cli: " + c.error + "\n");
    EXPECT_EQ(ReadFile(road), drawing);
    EXPECT_EQ(ReadFile(dir_.File("site.qrv")), site);
    EXPECT_EQ(ReadFile(Log()), "earlier report\r\n");
    EXPECT_EQ(ReadFile(dir_.File("out/road.txt")), "earlier data\r\n");
  }
  EXPECT_TRUE(fs::is_fifo(pipe.path()));
  EXPECT_TRUE(fs::is_symlink(dir_.File("to-device.qrv")));
  // Without inputs, the -c file is still not replaced; and the log never replaces the saved file.
  const CliRun alone = RunConverter(
      {"-c", dir_.File("site.qrv"), "--save-config", dir_.File("site.qrv")}, Program());
  EXPECT_EQ(alone.status, kExitUsage);
  const CliRun log_over_saved =
      RunConverter({"--save-config", dir_.File("new.qrv"), "-o", dir_.File("out"), "--log",
                    dir_.File("new.qrv"), road},
                   Program());
  EXPECT_EQ(log_over_saved.status, kExitUsage);
  EXPECT_EQ(log_over_saved.err, "quorvex-cli: Log file \"" + dir_.File("new.qrv") +
                                    "\" is a file that the run reads or writes; nothing was "
                                    "converted\n");
  EXPECT_FALSE(fs::exists(dir_.File("new.qrv")));
}

TEST_F(CliConfigTest, OutputOptionsAreSettingsThatOnlyTheTomlFormKeeps) {
  EXPECT_EQ(InEffect({"--quote", "--line-ends", "lf"}).extended.format,
            (DataFormat{.quote = true, .lf_line_ends = true}));
  const CliRun saved =
      RunConverter({"--quote", "--bom", "--save-config", dir_.File("quoted.qrv")}, Program());
  EXPECT_EQ(saved.status, kExitConverted);
  EXPECT_EQ(saved.err,
            "quorvex-cli: warning: the .qrv form cannot keep: quote, bom; the configuration was "
            "saved without them (--print-config keeps them)\n");
  const CliRun plain = RunConverter({"--save-config", dir_.File("plain.qrv")}, Program());
  EXPECT_EQ(plain.err, "");
  EXPECT_TRUE(ReadFile(dir_.File("quoted.qrv")) == ReadFile(dir_.File("plain.qrv")));
}

TEST_F(CliConfigTest, ANameWithoutFolderIsAlsoLookedForInTheConfigurationsFolder) {
  // The program folder is writable here, so the configurations folder is beside the program.
  fs::create_directory(program_ / "configurations");
  testing::WriteFile((program_ / "configurations" / "site-quorvex-test.toml").string(),
                     "extension = \"pts\"\n");
  const ConfigContent content = InEffect({"-c", "site-quorvex-test.toml"});
  EXPECT_EQ(content.record.DataFileExtension.View(), "pts");
}

TEST_F(CliConfigTest, SaveConfigCreatesTheConfigurationsFolderAndNoOther) {
  // A fresh account: the configurations folder, beside this build's program, is not there yet.
  const fs::path folder = program_ / "configurations";
  const CliRun saved = RunConverter(
      {"--kinds", "lines", "--save-config", (folder / "lines.qrv").string()}, Program());
  EXPECT_EQ(saved.status, kExitConverted) << saved.err;
  EXPECT_EQ(InEffect({"-c", "lines.qrv"}).record.EntityChecks[entity_node::kPoints], 0);
  const CliRun elsewhere =
      RunConverter({"--save-config", dir_.File("absent/lines.qrv")}, Program());
  EXPECT_EQ(elsewhere.status, kExitUsage);
  EXPECT_NE(elsewhere.err.find("Cannot create file"), std::string::npos) << elsewhere.err;
  EXPECT_FALSE(fs::exists(dir_.File("absent")));
}

TEST_F(CliConfigTest, TextsOfAnotherCodePageAreReadAsAnsi1252) {
  const std::string site = dir_.File("site.qrv");
  ASSERT_EQ(RunConverter({"--fields", "label,x", "--separator", "text:@", "--save-config", site},
                         Program())
                .status,
            kExitConverted);
  // Saved where the system's code page is Windows-1252: the separator "§" and the label
  // "Café\U+0041" (no escape in a configuration), one byte a character.
  std::string bytes = ReadFile(site);
  bytes.replace(278, 2, "\x01\xA7");
  bytes.replace(592 + 256 * field_node::kLabelText, 12,
                "\x0B"
                "Caf\xE9\\U+0041");
  testing::WriteFile(site, bytes);

  const CliRun run = RunConverter(
      {"-c", site, "-o", dir_.File("out"), "--log", Log(), (samples_ / "road.dxf").string()},
      Program());
  ASSERT_EQ(run.status, kExitConverted) << run.err;
  const std::string data = ReadFile(dir_.File("out/road.txt"));
  EXPECT_NE(data.find("\r\nCaf\xC3\xA9\\U+0041\xC2\xA7"), std::string::npos) << data;

  const CliRun printed = RunConverter({"-c", site, "--print-config"}, Program());
  EXPECT_NE(printed.out.find("\n# Not UTF-8 in the file read, so read as ANSI_1252: "
                             "separator-other, label.text\n"),
            std::string::npos)
      << printed.out;
  EXPECT_NE(printed.out.find("\nseparator-other = \"\xC2\xA7\"\n"), std::string::npos);
}

}  // namespace
}  // namespace quorvex::cli
