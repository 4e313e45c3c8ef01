#include "config/toml_config.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/config_fixtures.h"
#include "config/default_config.h"
#include "config/qrv_file.h"
#include "engine/report_words.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;

ConfigContent Parsed(const std::string& bytes) {
  const ParsedConfigFile parsed = ParseConfigFile(bytes);
  EXPECT_TRUE(parsed.ok()) << TreeStreamMessage(parsed.tree_error);
  return parsed.content;
}

ConfigContent FromToml(const std::string& text) {
  const ConfigRead read = ParseConfigToml(text, "test.toml");
  EXPECT_FALSE(read.failure) << FailureText(read.failure.value_or(Failure{})) << "\n" << text;
  return read.content;
}

// Bytes that only a file from elsewhere holds: a text that is not UTF-8, a header byte and a
// separator index no editor writes, record checks that disagree with the tree, a pressed check
// box, a node of another height.
std::string ForeignFile() {
  std::string bytes = ConfigFileBytes(testing::BusyModel().content());
  bytes[8] = '\xE9';                                 // the first character of the extension
  bytes[7 + 11 + 256] = '\x09';                      // SeparatorIndex
  bytes[7 + 11 + 256 + 4 + 256] = '\x07';            // IncludeHeader
  bytes[7 + 11 + 256 + 4 + 256 + 1] = '\x05';        // EntityChecks of Points
  bytes[kConfigRecordSize + 16 + 16 + 11] = '\x01';  // check state of the Points node
  bytes[kConfigRecordSize + 16 + 16 + 4] = '\x14';   // its height
  return bytes;
}

TEST(TomlConfig, EveryConfigurationOfTheTestsRoundTripsByteForByte) {
  struct Case {
    std::string name;
    ConfigContent content;
  };
  std::vector<Case> cases = {
      {"default", DefaultConfiguration()},
      {"busy", testing::BusyModel().content()},
      {"fresh model, no signature", ConfigModel().content()},
      {"foreign bytes", Parsed(ForeignFile())},
  };
  for (const auto& entry : fs::directory_iterator(QUORVEX_SOURCE_DIR "/fuzz/corpus/config")) {
    const ParsedConfigFile parsed = ParseConfigFile(testing::ReadFile(entry.path().string()));
    if (parsed.ok()) cases.push_back({entry.path().filename().string(), parsed.content});
  }
  ASSERT_GT(cases.size(), 6u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string qrv = ConfigFileBytes(c.content);
    const std::string toml = ConfigToml(c.content);
    const std::string qrv_again = ConfigFileBytes(FromToml(toml));
    EXPECT_EQ(qrv_again, qrv);  // .qrv -> TOML -> .qrv
    const ParsedConfigFile reread = ParseConfigFile(qrv_again);
    EXPECT_EQ(ConfigToml(reread.ok() ? reread.content : FromToml(toml)),
              toml);  // TOML -> .qrv -> TOML
  }
}

TEST(TomlConfig, ConfigurationsOfTheWindowNeedNoStoredBytes) {
  const std::string toml = ConfigToml(DefaultConfiguration());
  EXPECT_EQ(toml.find("[stored"), std::string::npos) << toml;
  EXPECT_NE(toml.find("kinds = [\"points\", \"circles\", \"arcs\", \"arcs.center\","),
            std::string::npos)
      << toml;
  EXPECT_NE(toml.find("[[fields]]\nname = \"x\"\nexport = true\nprefix = \"\"\ndecimals = 3\n"),
            std::string::npos)
      << toml;
}

TEST(TomlConfig, SettingsBeyondTheRecordAreKeysOnlyWhenSet) {
  ConfigContent content = DefaultConfiguration();
  EXPECT_EQ(ExtendedKeys(content.extended), "");
  const std::string plain = ConfigToml(content);
  DataFormat& format = content.extended.format;
  format.quote = format.lf_line_ends = format.decimal_comma = true;
  const std::string toml = ConfigToml(content);
  const std::size_t kinds = toml.find("\nkinds = ");
  ASSERT_NE(kinds, std::string::npos);
  const std::size_t after = toml.find("]\n", kinds) + 2;
  EXPECT_EQ(toml.substr(after, toml.find("\n[[fields]]", after) - after),
            "quote = true\nline-ends = \"lf\"\ndecimal-comma = true\n");
  EXPECT_EQ(toml.substr(0, after) + toml.substr(toml.find("\n[[fields]]", after)), plain);
  EXPECT_EQ(ExtendedKeys(content.extended), "quote, line-ends, decimal-comma");
  const ConfigContent back = FromToml(toml);
  EXPECT_EQ(back.extended, content.extended);
  EXPECT_EQ(ConfigToml(back), toml);
  EXPECT_EQ(FromToml("line-ends = \"crlf\"\nbom = true\nmtext-plain = false\n").extended.format,
            (DataFormat{.bom = true}));
}

TEST(TomlConfig, AHandWrittenConfigurationChangesTheDefaultOne) {
  const ConfigContent content = FromToml(
      "extension = \"csv\"\n"
      "separator = \"other\"\n"
      "separator-other = \" | \"\n"
      "kinds = [\"Points\", \"ARCS.start\"]\n"  // words in any case
      "[[fields]]\n"
      "name = \"label\"\n"
      "export = true\n"
      "text = \"MH\"\n"
      "[[fields]]\n"
      "name = \"z\"\n"
      "force-to = 12.5\n");
  const TExportConfig& record = content.record;
  EXPECT_EQ(record.DataFileExtension.View(), "csv");
  EXPECT_EQ(record.SeparatorIndex, 5);
  EXPECT_EQ(record.SeparatorText.View(), " | ");
  EXPECT_EQ(record.IncludeHeader, 1);  // the default's
  EXPECT_EQ(record.Signature.View(), "QRV300");
  EXPECT_EQ(record.EntityChecks[entity_node::kPoints], 1);
  EXPECT_EQ(record.EntityChecks[entity_node::kArcs], 0);
  EXPECT_EQ(record.EntityChecks[entity_node::kArcStart], 1);
  EXPECT_EQ(record.EntityChecks[entity_node::kArcCenter], 0);
  EXPECT_EQ(record.FieldValues[field_node::kLabelText].View(), "MH");
  EXPECT_EQ(record.FieldValues[field_node::kZForceTo].View(), "12.5");
  EXPECT_EQ(record.FieldValues[field_node::kXDecimals].View(), "3");
  // The listed fields first, the others after them in the default order.
  std::vector<int> order;
  for (const TreeNode& node : content.trees.data)
    order.push_back(node.data);
  EXPECT_EQ(order, (std::vector<int>{23, 9, 0, 3, 6, 13, 15, 17, 19, 21, 26, 29}));
  // Options of unchecked kinds are disabled, as the window's rules leave them.
  const TreeNode* arc_start = FindNode(content.trees.entity, entity_node::kArcStart).node;
  EXPECT_TRUE(arc_start->Checked());
  EXPECT_TRUE(arc_start->Has(node_state::kDisabled));
}

TEST(TomlConfig, RefusalsNameTheSourceTheLineAndTheCause) {
  struct Case {
    const char* name;
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"empty", "", "test.toml:1: holds no setting of a configuration"},
      {"syntax", "header = true\nextension = \n", "test.toml:2: neither a .qrv file nor TOML: "},
      {"unknown key", "header = true\ncolour = \"red\"\n", "test.toml:2: unknown key \"colour\""},
      {"wrong type", "header = \"yes\"\n", "test.toml:1: \"header\" must be true or false"},
      {"long extension", "extension = \"abcdefghijk\"\n",
       "test.toml:1: \"extension\" is longer than 10 bytes"},
      {"unknown kind", "kinds = [\"points\",\n \"curves\"]\n",
       "test.toml:2: unknown kind \"curves\" in \"kinds\"; the kinds are: points, circles, arcs, "
       "arcs.start,"},
      {"mistyped kind", "kinds = [\"Points\", \"arc\"]\n",
       "test.toml:1: unknown kind \"arc\" in \"kinds\"; did you mean \"arcs\"?"},
      {"kind twice", "kinds = [\"points\", \"points\"]\n",
       "test.toml:1: \"points\" is named twice in \"kinds\""},
      {"unknown separator", "separator = \"pipe\"\n",
       "test.toml:1: unknown separator \"pipe\" in \"separator\"; the separators are: comma, "
       "semicolon, space, tab, linefeed, other"},
      {"field twice", "[[fields]]\nname = \"x\"\n[[fields]]\nname = \"x\"\n",
       "test.toml:4: the field \"x\" is listed twice"},
      {"field without name", "[[fields]]\nexport = true\n",
       "test.toml:1: a [[fields]] table needs a \"name\""},
      {"option of another field", "[[fields]]\nname = \"x\"\nstart = 1\n",
       "test.toml:3: the field \"x\" has no option \"start\"; its keys are: name, export, prefix, "
       "decimals"},
      {"a key in another case", "[[fields]]\nname = \"x\"\nPrefix = \"\"\n",
       "test.toml:3: the field \"x\" has no option \"Prefix\""},
      {"decimals as a fraction", "[[fields]]\nname = \"x\"\ndecimals = 2.5\n",
       "test.toml:3: \"decimals\" must be a whole number or a text"},
      {"bad hex", "[stored.tails]\nblocks = \"xyz\"\n",
       "test.toml:2: \"blocks\" must be bytes in hexadecimal digits"},
      {"line ends", "line-ends = \"cr\"\n",
       "test.toml:1: unknown line end \"cr\" in \"line-ends\"; the line ends are: lf, crlf"},
      {"quote as a number", "quote = 1\n", "test.toml:1: \"quote\" must be true or false"},
      {"unknown window key", "[window]\nzoom = 2\n",
       "test.toml:2: unknown key \"zoom\" in [window]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ConfigRead read = ParseConfigToml(c.text, "test.toml");
    ASSERT_TRUE(read.failure);
    const std::string error = FailureText(*read.failure);
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
}

}  // namespace
}  // namespace quorvex
