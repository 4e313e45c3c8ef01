// --info: what the drawings hold, as text and as JSON read back by Python's json module.
#include <gtest/gtest.h>

#include "cli/cli_harness.h"
#include "support/conversion_harness.h"
#include "support/dxf_entity.h"

namespace quorvex::cli {
namespace {

using testing::Entity;

class InfoTest : public CliRunTest {
 protected:
  InfoTest() {
    testing::WriteFile(
        dir_.File("points.dxf"),
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\n"
        "ANSI_1252\n  0\nENDSEC\n" +
            testing::DxfWithEntities(Entity("INSERT", {{8, "PTS"}, {66, "1"}, {2, "PT"}}) +
                                     Entity("ATTRIB", {{2, "PNR"}, {1, "17"}}) +
                                     Entity("ATTRIB", {{2, "H"}}) + Entity("SEQEND", {}) +
                                     Entity("POINT", {{8, "H\xF6he"}}) +
                                     Entity("HATCH", {{8, "PTS"}})));
    testing::WriteFile(dir_.File("broken.dxf"), "  0\nSECTION\n");
  }
};

TEST_F(InfoTest, JsonIsOneArrayOfAnObjectPerDrawing) {
  const CliRun run = RunConverter(
      {"--info", "--json", dir_.File("points.dxf"), dir_.File("broken.dxf")}, Program());
  EXPECT_EQ(run.status, kExitFileErrors);
  EXPECT_EQ(run.err,
            "quorvex-cli: " + dir_.File("broken.dxf") + ": the drawing has no ENTITIES section\n");
  testing::WriteFile(dir_.File("info.json"), run.out);
  const std::string canonical = CommandOutput(
      "python3 -c 'import json, sys; print(json.dumps(json.load(open(sys.argv[1])), "
      "ensure_ascii=False))' " +
      dir_.File("info.json"));
  EXPECT_EQ(canonical,
            R"([{"file": ")" + dir_.File("points.dxf") +
                R"(", "version": "AC1015", "code_page": {"named": "ANSI_1252", "used": )"
                R"("ANSI_1252"}, "layers": [{"name": "PTS", "entities": 2}, {"name": "Höhe", )"
                R"("entities": 1}], "blocks": [{"name": "PT", "inserts": 1, "attribute_tags": )"
                R"(["PNR", "H"]}], "kinds": {"points": 1, "circles": 0, "arcs": 0, )"
                R"("ellipses": 0, "lines": 0, "mtext": 0, "text": 0, "polylines-2d": 0, )"
                R"("polylines-3d": 0, "splines": 0, "faces": 0, "blocks": 1}, )"
                R"("other_entities": {"HATCH": 1}}, {"file": ")" +
                dir_.File("broken.dxf") +
                R"(", "error": "the drawing has no ENTITIES section"}])"
                "\n");
}

TEST_F(InfoTest, TextConvertsNothingAndTakesTheCodePageChosen) {
  const CliRun run = RunConverter({"--info", "--code-page", "ansi_1250", "-o", dir_.File("out"),
                                   dir_.File("points.dxf"), dir_.File("points.dxf")},
                                  Program());
  EXPECT_EQ(run.status, kExitConverted) << run.err;
  const std::string block =
      dir_.File("points.dxf") +
      "\n  Version : AC1015\n  Code page named : ANSI_1252\n  Code page used : ANSI_1250\n"
      "  Layers, with their entities :\n    PTS : 2\n    Höhe : 1\n"
      "  Blocks inserted, with their inserts and attribute tags :\n    PT : 1 (PNR, H)\n"
      "  Entities of the kinds exported :\n    Points : 1\n    Blocks : 1\n"
      "  Entities of no kind exported :\n    HATCH : 1\n";
  // ö is F6 in ANSI_1250 as in ANSI_1252.
  EXPECT_EQ(run.out, block + "\n" + block);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("out")));
  std::string error;
  EXPECT_FALSE(ParseCliOptions({"--json", dir_.File("points.dxf")}, error));
  EXPECT_EQ(error, "option --json is given only with --info");
}

}  // namespace
}  // namespace quorvex::cli
