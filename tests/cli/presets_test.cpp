// The shipped presets: found by name, listed, and their data files read back by Python's csv
// module as the programs they are made for would read them.
#include <gtest/gtest.h>

#include "cli/cli_harness.h"
#include "support/conversion_harness.h"
#include "support/dxf_entity.h"

namespace quorvex::cli {
namespace {

namespace fs = std::filesystem;
using testing::Entity;

class PresetsTest : public CliRunTest {
 protected:
  PresetsTest() {
    // The presets where the build and an installation put them, beside the program's folder.
    fs::create_directories(presets_);
    for (const char* name : {"csv-gis.toml", "pnezd.toml"})
      fs::copy_file(fs::path(QUORVEX_SOURCE_DIR) / "resources/presets" / name, presets_ / name);
    testing::WriteFile(
        dir_.File("site.dxf"),
        testing::DxfWithEntities(
            Entity(
                "POINT",
                {{5, "1A"}, {8, "TOPO"}, {10, "2600100.25"}, {20, "1200200.5"}, {30, "412.125"}}) +
            Entity("INSERT", {{5, "1B"},
                              {8, "Trees, old"},
                              {2, "TREE"},
                              {10, "2600110"},
                              {20, "1200210"},
                              {30, "413"}}) +
            Entity("LINE", {{5, "1C"},
                            {8, "ROAD"},
                            {10, "1"},
                            {20, "2"},
                            {30, "3"},
                            {11, "4"},
                            {21, "5"},
                            {31, "6"}}) +
            Entity(
                "LWPOLYLINE",
                {{5, "1E"}, {8, "ROAD"}, {38, "7"}, {10, "8"}, {20, "9"}, {10, "10"}, {20, "11"}}) +
            Entity("3DFACE", {{5, "1F"},
                              {8, "DTM"},
                              {10, "0"},
                              {20, "0"},
                              {30, "1"},
                              {11, "1"},
                              {21, "0"},
                              {31, "2"},
                              {12, "1"},
                              {22, "1"},
                              {32, "3"},
                              {13, "0"},
                              {23, "1"},
                              {33, "4"}}) +
            Entity("POINT", {{5, "1D"}, {8, "TOPO"}, {10, "2600120"}, {20, "1200220"}})));
  }

  // The rows that the csv module reads from the data file that preset `name` writes.
  std::string Rows(const std::string& name, const std::string& data_file) {
    const CliRun run = RunConverter(
        {"-c", name, "-o", dir_.File("out"), "--log", Log(), dir_.File("site.dxf")}, Program());
    EXPECT_EQ(run.status, kExitConverted) << run.err;
    return ReadBack(dir_.File("out/" + data_file), ",");
  }

  fs::path presets_ = dir_.path() / "share/quorvex/configurations";
};

TEST_F(PresetsTest, CsvGisIsAQuotedCommaFileWithAHeaderAndLfLineEnds) {
  EXPECT_EQ(Rows("csv-gis", "site.csv"),
            R"({"bom": false, "crlf": false, "rows": [)"
            R"(["x", "y", "z", "layer", "type", "handle"], )"
            R"(["2600100.250000", "1200200.500000", "412.125000", "TOPO", "POINT", "1A"], )"
            R"(["2600110.000000", "1200210.000000", "413.000000", "Trees, old", "INSERT", "1B"], )"
            R"(["1.000000", "2.000000", "3.000000", "ROAD", "LINE", "1C"], )"
            R"(["4.000000", "5.000000", "6.000000", "ROAD", "LINE", "1C"], )"
            R"(["8.000000", "9.000000", "7.000000", "ROAD", "LWPOLYLINE", "1E"], )"
            R"(["10.000000", "11.000000", "7.000000", "ROAD", "LWPOLYLINE", "1E"], )"
            R"(["0.000000", "0.000000", "1.000000", "DTM", "3DFACE", "1F"], )"
            R"(["1.000000", "0.000000", "2.000000", "DTM", "3DFACE", "1F"], )"
            R"(["1.000000", "1.000000", "3.000000", "DTM", "3DFACE", "1F"], )"
            R"(["0.000000", "1.000000", "4.000000", "DTM", "3DFACE", "1F"], )"
            R"(["2600120.000000", "1200220.000000", "0.000000", "TOPO", "POINT", "1D"]]})"
            "\n");
}

TEST_F(PresetsTest, PnezdNumbersEveryPointOnItsOwn) {
  EXPECT_EQ(Rows("pnezd", "site.csv"),
            R"({"bom": false, "crlf": true, "rows": [)"
            R"(["1", "1200200.500", "2600100.250", "412.125", "TOPO"], )"
            R"(["2", "1200210.000", "2600110.000", "413.000", "Trees, old"], )"
            R"(["3", "1200220.000", "2600120.000", "0.000", "TOPO"]]})"
            "\n");
}

TEST_F(PresetsTest, PresetsAreListedAndFoundAfterTheUsersOwnConfigurations) {
  CliRun run = RunConverter({"--list-presets"}, Program());
  EXPECT_EQ(run.status, kExitConverted);
  EXPECT_EQ(run.out, "csv-gis\npnezd\n");
  // The user's own configuration of the same name comes first, found with its extension too.
  fs::create_directory(program_ / "configurations");
  testing::WriteFile((program_ / "configurations" / "pnezd.toml").string(),
                     "extension = \"pts\"\n");
  run = RunConverter({"-c", "pnezd", "--print-config"}, Program());
  EXPECT_NE(run.out.find("extension = \"pts\"\n"), std::string::npos) << run.out;
  run = RunConverter({"-c", "csv-gis.toml", "--print-config"}, Program());
  EXPECT_NE(run.out.find("line-ends = \"lf\"\n"), std::string::npos) << run.out;
  // A .qrv file is found by its name too.
  ASSERT_EQ(RunConverter({"--save-config", (program_ / "configurations" / "window.qrv").string()},
                         Program())
                .status,
            kExitConverted);
  EXPECT_EQ(RunConverter({"-c", "window", "--print-config"}, Program()).status, kExitConverted);
  run = RunConverter({"-c", "no-such-preset", "--print-config"}, Program());
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_NE(run.err.find("\"no-such-preset\""), std::string::npos) << run.err;
}

}  // namespace
}  // namespace quorvex::cli
