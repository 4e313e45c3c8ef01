// Re-runs into one destination: what the manifest records of a run, and how --no-clobber and
// --incremental read it.
#include <gtest/gtest.h>

#include <filesystem>

#include "batch/batch_fakes.h"
#include "batch/configuration_hash.h"
#include "batch/manifest_file.h"
#include "batch/run_batch.h"
#include "batch/sha256.h"
#include "support/conversion_harness.h"
#include "support/dxf_entity.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using testing::Entity;
using testing::ReadFile;
using testing::WriteFile;
using namespace std::string_literals;

std::string Points(const std::vector<std::string_view>& xs) {
  std::string entities;
  for (const std::string_view x : xs)
    entities += Entity("POINT", {{10, x}, {20, "2"}});
  return testing::DxfWithEntities(entities);
}

class RerunTest : public ::testing::Test {
 protected:
  RerunTest() {
    setup_.Entities({entity_node::kPoints}).Fields({field_node::kX}).Header(true);
    setup_.config.DataFileExtension.Assign("txt");
    fs::create_directory(source_);
    fs::create_directory(out_);
  }

  std::string Source(const std::string& name, std::string_view text) const {
    WriteFile(source_ + name, text);
    return source_ + name;
  }
  std::string Data(const std::string& name) const { return out_ + name; }

  // Runs over `names` of the source folder with `request`'s choices; the outcome of each file.
  std::vector<ConversionOutcome> Run(const std::vector<std::string>& names,
                                     BatchRequest request = {}) {
    request.destination = out_;
    request.dxf_paths.clear();
    for (const std::string& name : names)
      request.dxf_paths.push_back(source_ + name);
    std::atomic<bool> cancelled{false};
    testing::RecordingObserver observer(cancelled);
    testing::FixedClock clock;
    BatchEnvironment env{observer, clock, cancelled};
    last_ = RunBatch(setup_.config, setup_.tables, request, env);
    return last_.Outcomes();
  }

  Manifest Recorded() const { return ReadManifest(out_).manifest; }

  testing::TempDir root_;
  const std::string source_ = root_.File("drawings/");
  const std::string out_ = root_.File("out/");
  testing::TestSetup setup_;
  BatchResult last_;
};

using Outcome = ConversionOutcome;

TEST_F(RerunTest, TheManifestRecordsHowEachFileEnded) {
  const std::string good = Source("good.dxf", Points({"1", "3"}));
  Source("bad.dxf", Points({"1", "1,5"}));
  Source("dwg.dxf", "AC1032\0\0\0\0\0\x01\x1f"s);

  EXPECT_EQ(
      Run({"good.dxf", "bad.dxf", "absent.dxf", "dwg.dxf"}),
      (std::vector{Outcome::kConverted, Outcome::kFailed, Outcome::kFailed, Outcome::kFailed}));

  EXPECT_FALSE(last_.manifest_failure);
  const Manifest manifest = Recorded();
  ASSERT_EQ(manifest.size(), 4u);
  const ManifestEntry& converted = manifest.at("good.txt");
  EXPECT_EQ(converted.drawing, good);
  EXPECT_EQ(converted.drawing_stamp, StampOf(good));
  EXPECT_EQ(converted.drawing_sha256, FileSha256Hex(good));
  EXPECT_EQ(converted.configuration,
            ConfigurationHash(setup_.config, setup_.tables, ExtendedSettings{}));
  EXPECT_EQ(converted.version, QUORVEX_VERSION);
  EXPECT_EQ(converted.outcome, Outcome::kConverted);
  EXPECT_EQ(converted.reason, "");
  EXPECT_EQ(converted.data_lines, 2);
  EXPECT_EQ(converted.counts, (std::vector<std::pair<std::string, std::int64_t>>{{"Points", 2}}));
  EXPECT_EQ(converted.data_file, StampOf(Data("good.txt")));

  const ManifestEntry& failed = manifest.at("bad.txt");
  EXPECT_EQ(failed.reason, "the value \"1,5\" is not a number (line 14)");
  EXPECT_EQ(failed.data_lines, 1);  // the header line is not counted
  EXPECT_EQ(failed.data_file, StampOf(Data("bad.txt")));
  const ManifestEntry& absent = manifest.at("absent.txt");
  EXPECT_EQ(absent.reason, "No such file or directory");
  EXPECT_FALSE(absent.drawing_stamp || absent.data_file);
  EXPECT_EQ(absent.drawing_sha256, "");
  EXPECT_EQ(manifest.at("dwg.txt").reason, "this is a DWG drawing, not DXF: save it as ASCII DXF");

  // Without a manifest, none is written.
  fs::remove(out_ + std::string(kManifestName));
  BatchRequest request;
  request.manifest = false;
  Run({"good.dxf"}, request);
  EXPECT_FALSE(fs::exists(out_ + std::string(kManifestName)));
}

TEST_F(RerunTest, NoClobberConvertsAgainWhatFailedOrStoppedAndLeavesTheRest) {
  Source("good.dxf", Points({"1"}));
  Source("bad.dxf", Points({"1", "1,5"}));
  Source("edited.dxf", Points({"1,5"}));
  Run({"good.dxf", "bad.dxf", "edited.dxf"});
  // A data file that the user has edited since its conversion failed is the user's now; one
  // without an entry was never the run's.
  WriteFile(Data("edited.txt"), "mended by hand\r\n");
  Source("foreign.dxf", Points({"1"}));
  WriteFile(Data("foreign.txt"), "not ours\r\n");
  const std::string good = ReadFile(Data("good.txt"));
  Source("bad.dxf", Points({"1", "1.5"}));  // mended
  BatchRequest request;
  request.no_clobber = true;

  EXPECT_EQ(
      Run({"good.dxf", "bad.dxf", "edited.dxf", "foreign.dxf"}, request),
      (std::vector{Outcome::kSkipped, Outcome::kConverted, Outcome::kSkipped, Outcome::kSkipped}));

  EXPECT_EQ(ReadFile(Data("good.txt")), good);
  EXPECT_EQ(testing::DataLines(ReadFile(Data("bad.txt"))).size(), 3u);
  EXPECT_EQ(ReadFile(Data("edited.txt")), "mended by hand\r\n");
  EXPECT_EQ(ReadFile(Data("foreign.txt")), "not ours\r\n");
  const Manifest manifest = Recorded();
  EXPECT_EQ(manifest.at("good.txt").outcome, Outcome::kConverted);
  EXPECT_EQ(manifest.at("bad.txt").outcome, Outcome::kConverted);
  EXPECT_EQ(manifest.at("edited.txt").outcome, Outcome::kFailed);
  EXPECT_EQ(manifest.at("foreign.txt").outcome, Outcome::kSkipped);
  EXPECT_EQ(manifest.at("foreign.txt").reason, "Skipped, the data file exists and is left alone");
}

TEST_F(RerunTest, IncrementalConvertsOnlyWhatChanged) {
  for (const char* name : {"same.dxf", "bytes.dxf", "altered.dxf", "missing.dxf", "failed.dxf"})
    Source(name, Points({"1"}));
  Source("failed.dxf", Points({"1,5"}));
  const std::vector<std::string> all = {"same.dxf",    "bytes.dxf",  "altered.dxf",
                                        "missing.dxf", "failed.dxf", "new.dxf"};
  Run({"same.dxf", "bytes.dxf", "altered.dxf", "missing.dxf", "failed.dxf"});
  Source("bytes.dxf", Points({"7"}));  // same size, other bytes
  WriteFile(Data("altered.txt"), ReadFile(Data("altered.txt")) + "1.000\r\n");
  fs::remove(Data("missing.txt"));
  Source("new.dxf", Points({"1"}));
  BatchRequest request;
  request.incremental = true;

  EXPECT_EQ(Run(all, request),
            (std::vector{Outcome::kSkipped, Outcome::kConverted, Outcome::kConverted,
                         Outcome::kConverted, Outcome::kFailed, Outcome::kConverted}));
  EXPECT_EQ(last_.files[0].failure, (Failure{Failure::Kind::kDrawingUnchanged, Data("same.txt")}));
  EXPECT_EQ(ReadFile(Data("bytes.txt")), "X (East) coordinate\r\n7.000\r\n");
  // Once all is converted, nothing is converted again; the skip keeps the entry as it was.
  Source("failed.dxf", Points({"1.5"}));
  Run(all);
  const Manifest before = Recorded();
  EXPECT_EQ(Run(all, request), std::vector<Outcome>(6, Outcome::kSkipped));
  EXPECT_EQ(Recorded(), before);
  // Another configuration, or another program, converts everything again.
  setup_.config.FieldValues[field_node::kXDecimals].Assign("2");
  EXPECT_EQ(Run(all, request), std::vector<Outcome>(6, Outcome::kConverted));
  // The first entry is altered.txt's.
  std::string json = ReadFile(out_ + std::string(kManifestName));
  const std::string version = "\"version\": \"" QUORVEX_VERSION "\"";
  json.replace(json.find(version), version.size(), "\"version\": \"0.0.1\"");
  WriteFile(out_ + std::string(kManifestName), json);
  EXPECT_EQ(Run(all, request),
            (std::vector{Outcome::kSkipped, Outcome::kSkipped, Outcome::kConverted,
                         Outcome::kSkipped, Outcome::kSkipped, Outcome::kSkipped}));
}

}  // namespace
}  // namespace quorvex
