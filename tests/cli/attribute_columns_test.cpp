// Block attributes as columns from the command line: the data file read back with Python's csv
// module, the same run from the TOML form, and a drawing whose attributes lack their SEQEND.
#include <gtest/gtest.h>

#include "cli/cli_harness.h"
#include "support/attributed_points.h"
#include "support/conversion_harness.h"

namespace quorvex::cli {
namespace {

class AttributeColumnsTest : public CliRunTest {
 protected:
  AttributeColumnsTest() {
    testing::WriteFile(dir_.File("points.dxf"), testing::AttributedPointsDxf());
  }
  // Converts the drawing with `args` into out/points.csv.
  CliRun Convert(std::vector<std::string> args) {
    args.insert(args.end(),
                {"-e", "csv", "-o", dir_.File("out"), "--log", Log(), dir_.File("points.dxf")});
    return RunConverter(args, Program());
  }
  std::string Data() const { return testing::ReadFile(dir_.File("out/points.csv")); }

  const std::vector<std::string> options_ = {
      "--kinds",    "points,blocks",
      "--fields",   "block-name,x,y,attrib:PNR,attrib:h,attrib:CODE",
      "--captions", "Block,E,N,Point,Height",
      "--quote",    "--mtext-plain"};
};

TEST_F(AttributeColumnsTest, ValuesStandInTheirColumnsForASpreadsheet) {
  const CliRun run = Convert(options_);
  ASSERT_EQ(run.status, kExitConverted) << run.err;
  EXPECT_EQ(ReadBack(dir_.File("out/points.csv"), ","),
            R"({"bom": false, "crlf": true, "rows": [)"
            R"(["Block", "E", "N", "Point", "Height", "CODE"], )"
            R"(["PT", "2600001.500", "1200001.250", "101", "412.30", "TREE, oak"], )"
            R"(["PT", "2600002.000", "1200002.000", "102", "412.5", ""], )"
            R"(["PT", "2600003.000", "1200003.000", "103", "413", "Fence Corner"], )"
            R"(["MH", "2600004.000", "1200004.000", "", "", ""], )"
            R"(["", "2600005.000", "1200005.000", "", "", ""]]})"
            "\n");
}

TEST_F(AttributeColumnsTest, TheTomlFormOfTheOptionsWritesTheSameDataFile) {
  ASSERT_EQ(Convert(options_).status, kExitConverted);
  const std::string by_options = Data();
  std::vector<std::string> print = options_;
  print.push_back("--print-config");
  const CliRun printed = RunConverter(print, Program());
  ASSERT_EQ(printed.status, kExitConverted) << printed.err;
  EXPECT_NE(printed.out.find("[[fields]]\nname = \"attrib:h\"\nexport = true\nprefix = \"\"\n"
                             "caption = \"Height\"\n"),
            std::string::npos)
      << printed.out;
  testing::WriteFile(dir_.File("points.toml"), printed.out);
  ASSERT_EQ(Convert({"-c", dir_.File("points.toml")}).status, kExitConverted);
  EXPECT_EQ(Data(), by_options);
  // A .qrv file cannot keep the columns, and says so.
  const CliRun saved = RunConverter(
      {"-c", dir_.File("points.toml"), "--save-config", dir_.File("points.qrv")}, Program());
  EXPECT_EQ(saved.status, kExitConverted);
  EXPECT_NE(saved.err.find("attrib:PNR, attrib:h, attrib:CODE, caption"), std::string::npos)
      << saved.err;
}

TEST_F(AttributeColumnsTest, AttributesWithoutTheirSeqendFailTheFile) {
  testing::WriteFile(dir_.File("points.dxf"),
                     testing::DxfWithEntities("0\nINSERT\n66\n1\n2\nPT\n10\n1\n20\n2\n"
                                              "0\nATTRIB\n2\nPNR\n1\n7\n0\nLINE\n10\n0\n"));
  const CliRun run = Convert({"--kinds", "blocks", "--fields", "x,attrib:PNR"});
  EXPECT_EQ(run.status, kExitFileErrors);
  EXPECT_NE(run.err.find(dir_.File("points.dxf") +
                         ": SEQEND missing after the attributes of a block insert: \"LINE\" "
                         "follows them (line 22); its data file"),
            std::string::npos)
      << run.err;
}

}  // namespace
}  // namespace quorvex::cli
