// The output options, each read back by a real parser: Python's csv module.
#include <gtest/gtest.h>

#include "cli/cli_harness.h"
#include "support/conversion_harness.h"
#include "support/dxf_entity.h"

namespace quorvex::cli {
namespace {

using testing::Entity;

class OutputFormatTest : public CliRunTest {
 protected:
  OutputFormatTest() {
    testing::WriteFile(
        dir_.File("texts.dxf"),
        testing::DxfWithEntities(
            Entity("TEXT",
                   {{8, "Walls, north"}, {10, "1"}, {20, "2"}, {1, "He said \"hi\", then left"}}) +
            Entity("MTEXT", {{8, "0"},
                             {10, "3.5"},
                             {20, "4.25"},
                             {1, "{\\fArial|b0|i0;Big} top\\PLine 2\\~end \\\\ \\{x\\}"}})));
  }
  // Converts the drawing with `args` and returns what the parser read of its data file.
  std::string Convert(std::vector<std::string> args, const std::string& delimiter) {
    args.insert(args.end(), {"--kinds", "text,mtext", "--decimals", "2", "-o", dir_.File("out"),
                             "--log", Log(), dir_.File("texts.dxf")});
    const CliRun run = RunConverter(args, Program());
    EXPECT_EQ(run.status, kExitConverted) << run.err;
    return ReadBack(dir_.File("out/texts.txt"), delimiter);
  }
};

TEST_F(OutputFormatTest, QuotedPlainTextWithLfAndBomReadsAsWritten) {
  EXPECT_EQ(Convert({"--fields", "x,y,layer,text", "--quote", "--mtext-plain", "--line-ends", "lf",
                     "--bom"},
                    ","),
            R"({"bom": true, "crlf": false, "rows": [)"
            R"(["X (East) coordinate", "Y (North) coordinate", "Entity Layer", "Text String"], )"
            R"(["1.00", "2.00", "Walls, north", "He said \"hi\", then left"], )"
            R"(["3.50", "4.25", "0", "Big top Line 2 end \\ {x}"]]})"
            "\n");
}

TEST_F(OutputFormatTest, WithoutTheOptionsTheTextIsWrittenAsTheDrawingHoldsIt) {
  // The commas in the layer and the text split them for a reader, which is why --quote exists.
  EXPECT_NE(Convert({"--fields", "layer,text"}, ",")
                .find(R"(["Walls", " north", "He said \"hi\"", " then left"])"),
            std::string::npos);
  const std::string data = testing::ReadFile(dir_.File("out/texts.txt"));
  EXPECT_NE(data.find("0,{\\fArial|b0|i0;Big} top\\PLine 2\\~end \\\\ \\{x\\}\r\n"),
            std::string::npos);
}

TEST_F(OutputFormatTest, DecimalCommaWritesCoordinatesWithACommaBesideASemicolon) {
  EXPECT_EQ(
      Convert({"--fields", "x,y", "--decimal-comma", "--separator", "semicolon"}, ";"),
      R"({"bom": false, "crlf": true, "rows": [)"
      R"(["X (East) coordinate", "Y (North) coordinate"], ["1,00", "2,00"], ["3,50", "4,25"]]})"
      "\n");
}

TEST_F(OutputFormatTest, AConfigurationsOutputSettingsApplyAndTheOptionsGoOverThem) {
  testing::WriteFile(dir_.File("plain.toml"),
                     "quote = true\nmtext-plain = true\nline-ends = \"lf\"\nbom = true\n");
  const std::string quoted =
      R"({"bom": true, "crlf": false, "rows": [)"
      R"(["X (East) coordinate", "Y (North) coordinate", "Entity Layer", "Text String"], )"
      R"(["1.00", "2.00", "Walls, north", "He said \"hi\", then left"], )"
      R"(["3.50", "4.25", "0", "Big top Line 2 end \\ {x}"]]})"
      "\n";
  EXPECT_EQ(Convert({"-c", dir_.File("plain.toml"), "--fields", "x,y,layer,text"}, ","), quoted);
  EXPECT_NE(Convert({"-c", dir_.File("plain.toml"), "--fields", "x,y", "--line-ends", "crlf"}, ",")
                .find(R"("crlf": true)"),
            std::string::npos);

  testing::WriteFile(dir_.File("comma.toml"), "decimal-comma = true\nseparator = \"comma\"\n");
  const CliRun refused = RunConverter(
      {"-c", dir_.File("comma.toml"), "-o", dir_.File("out"), dir_.File("texts.dxf")}, Program());
  EXPECT_EQ(refused.status, kExitUsage);
  EXPECT_EQ(refused.err,
            "quorvex-cli: option --decimal-comma cannot be used with a separator that holds a "
            "comma\n");
}

}  // namespace
}  // namespace quorvex::cli
