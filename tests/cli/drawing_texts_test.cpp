// The layer filter, plain texts and the code page from the command line and the TOML form, the
// data files read back by Python's csv module.
#include <gtest/gtest.h>

#include "cli/cli_harness.h"
#include "support/conversion_harness.h"
#include "support/dxf_entity.h"

namespace quorvex::cli {
namespace {

using testing::Entity;

// A drawing whose header says ANSI_1252 while its texts were written in ANSI_1251, as happens
// to drawings saved on a Russian system and labelled by another program.
std::string MislabelledDrawing() {
  return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\n"
         "ANSI_1252\n  0\nENDSEC\n" +
         testing::DxfWithEntities(
             Entity("POINT", {{8, "TOPO"}, {10, "1"}, {20, "2"}}) +
             Entity("TEXT", {{8, "TOPO-\xD0\xE5\xEB\xFC\xE5\xF4"},
                             {10, "3"},
                             {20, "4"},
                             {1, "%%c100, %%p0.5 %%uKM%%u 90%%d %%%"}}) +
             Entity("TEXT", {{8, "VP"}, {10, "5"}, {20, "6"}, {1, "\xD2\xEE\xF7\xEA\xE0 %%177"}}) +
             Entity("POINT", {{8, "OTHER"}, {10, "7"}, {20, "8"}}));
}

class DrawingTextsTest : public CliRunTest {
 protected:
  DrawingTextsTest() { testing::WriteFile(dir_.File("site.dxf"), MislabelledDrawing()); }

  CliRun Convert(std::vector<std::string> args) {
    args.insert(args.end(),
                {"--kinds", "points,text", "--fields", "layer,text,x,y", "--decimals", "1",
                 "--quote", "-o", dir_.File("out"), "--log", Log(), dir_.File("site.dxf")});
    return RunConverter(args, Program());
  }
};

TEST_F(DrawingTextsTest, LayersTextCodesAndTheCodePageFromTheOptionsAndFromToml) {
  const std::string expected =
      R"({"bom": false, "crlf": true, "rows": [)"
      R"(["Entity Layer", "Text String", "X (East) coordinate", "Y (North) coordinate"], )"
      R"(["TOPO", "", "1.0", "2.0"], )"
      R"(["TOPO-Рельеф", "⌀100, ±0.5 KM 90° %", "3.0", "4.0"], )"
      R"(["VP", "Точка ±", "5.0", "6.0"]]})"
      "\n";
  CliRun run = Convert({"--layers", "topo*, vp", "--text-plain", "--code-page", "ansi_1251"});
  ASSERT_EQ(run.status, kExitConverted) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadBack(dir_.File("out/site.txt"), ","), expected);
  EXPECT_NE(testing::ReadFile(Log()).find("  Layer names : topo*, vp\r\n"), std::string::npos);

  testing::WriteFile(dir_.File("survey.toml"),
                     "layers = \"topo*, vp\"\ntext-plain = true\ncode-page = \"ANSI_1251\"\n");
  run = Convert({"-c", dir_.File("survey.toml")});
  ASSERT_EQ(run.status, kExitConverted) << run.err;
  EXPECT_EQ(ReadBack(dir_.File("out/site.txt"), ","), expected);

  // Without the options the drawing is read as its header says, codes and all.
  run = Convert({});
  ASSERT_EQ(run.status, kExitConverted) << run.err;
  EXPECT_NE(ReadBack(dir_.File("out/site.txt"), ",")
                .find(R"(["TOPO-Ðåëüåô", "%%c100, %%p0.5 %%uKM%%u 90%%d %%%", "3.0", "4.0"])"),
            std::string::npos);
}

TEST_F(DrawingTextsTest, TheSettingsAreKeptByTheTomlFormAndRefusedWithTheirChoices) {
  CliRun run =
      Convert({"--layers", "TOPO*", "--text-plain", "--code-page", "dos850", "--print-config"});
  ASSERT_EQ(run.status, kExitConverted) << run.err;
  EXPECT_NE(run.out.find("\nlayers = \"TOPO*\"\ncode-page = \"DOS850\"\ntext-plain = true\nquote = "
                         "true\n"),
            std::string::npos)
      << run.out;
  run = Convert({"--code-page", "KOI8-R"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(run.err.rfind("quorvex-cli: unknown code page \"KOI8-R\" in --code-page; the code "
                          "pages are: ANSI_874, ANSI_932, ",
                          0),
            0u)
      << run.err;
  testing::WriteFile(dir_.File("bad.toml"), "\n\ncode-page = \"latin\"\n");
  run = Convert({"-c", dir_.File("bad.toml")});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_NE(run.err.find("bad.toml:3: unknown code page \"latin\" in \"code-page\"; the code pages "
                         "are: ANSI_874, "),
            std::string::npos)
      << run.err;
}

TEST_F(DrawingTextsTest, ACodePageThatCannotBeDecodedIsSaidInTheReportAndOnTheErrorStream) {
  std::string drawing = MislabelledDrawing();
  drawing.replace(drawing.find("ANSI_1252"), 9, "ANSI_4711");
  testing::WriteFile(dir_.File("site.dxf"), drawing);
  const CliRun run = Convert({});
  ASSERT_EQ(run.status, kExitConverted) << run.err;
  const std::string warning =
      "the drawing names the code page \"ANSI_4711\", which cannot be decoded here; its texts "
      "were read as UTF-8 where valid, else as ANSI_1252";
  EXPECT_EQ(run.err, "quorvex-cli: " + dir_.File("site.dxf") + ": warning: " + warning + "\n");
  EXPECT_NE(testing::ReadFile(Log()).find("  *** Warning, " + warning + " ***\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace quorvex::cli
