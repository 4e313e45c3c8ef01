// The manifest's form, the configuration's hash it keeps, and the merge of runs into one folder.
#include "batch/manifest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "batch/configuration_hash.h"
#include "batch/manifest_file.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;

ManifestEntry Entry(std::string drawing, ConversionOutcome outcome) {
  ManifestEntry entry;
  entry.drawing = std::move(drawing);
  entry.drawing_stamp = StampOf(1234, 1767225600123456789);
  entry.drawing_sha256 = std::string(64, 'a');
  entry.configuration = std::string(64, 'b');
  entry.version = "0.1.0";
  entry.outcome = outcome;
  entry.data_lines = 7;
  entry.counts = {{"Points", 3}, {"Blocks", 4}};
  entry.data_file = StampOf(99, 1767225601000000000);
  return entry;
}

TEST(Manifest, ItsJsonReadsBackToTheSameEntries) {
  Manifest manifest;
  manifest["road.txt"] = Entry("/in/road.dxf", ConversionOutcome::kConverted);
  // Names in a single-byte code page, and a "%", are kept byte for byte.
  ManifestEntry failed = Entry("/in/Pl\xE4ne 100%.dxf", ConversionOutcome::kFailed);
  failed.reason = "the value \"1,5\" is not a number (line 24)";
  failed.data_file.reset();
  failed.drawing_stamp.reset();
  failed.drawing_sha256.clear();
  manifest["Pl\xE4ne 100%.txt"] = failed;
  manifest["stopped.txt"] = Entry("/in/stopped.dxf", ConversionOutcome::kCancelled);
  manifest["skipped.txt"] = Entry("/in/skipped.dxf", ConversionOutcome::kSkipped);

  const std::string json = ManifestJson(manifest);
  std::string error;
  EXPECT_EQ(ParseManifest(json, error), manifest) << error;
  EXPECT_NE(json.find("\"Pl%E4ne 100%25.txt\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"modified\": \"2026-01-01T00:00:00.123456789Z\""), std::string::npos);
  EXPECT_NE(json.find("\"outcome\": \"stopped\""), std::string::npos);
  for (const char* not_one : {"", "{}", "[1]", "{\"quorvex-manifest\": 2, \"files\": {}}",
                              "{\"quorvex-manifest\": 1, \"files\": {\"a\": {}}}"}) {
    EXPECT_FALSE(ParseManifest(not_one, error)) << not_one;
    EXPECT_FALSE(error.empty());
  }
}

TEST(ConfigurationHash, ChangesWithWhatChangesADataFileAndWithNothingElse) {
  TExportConfig config;
  config.DataFileExtension.Assign("txt");
  config.SeparatorText.Assign(";");
  RunTables tables;
  tables.FieldOrder[0] = field_node::kX;
  tables.EntityEnabled[entity_kind::kPoints] = 1;
  const ExtendedSettings plain;
  const std::string base = ConfigurationHash(config, tables, plain);
  EXPECT_EQ(base.size(), 64u);

  struct Change {
    const char* name;
    std::function<void(TExportConfig&, RunTables&, ExtendedSettings&)> apply;
  };
  const Change changes[] = {
      {"extension", [](auto& c, auto&, auto&) { c.DataFileExtension.Assign("csv"); }},
      {"header", [](auto& c, auto&, auto&) { c.IncludeHeader = 1; }},
      {"separator", [](auto& c, auto&, auto&) { c.SeparatorText.Assign(","); }},
      {"block names", [](auto& c, auto&, auto&) { c.BlockNames.Assign("TREE*"); }},
      {"point option", [](auto& c, auto&, auto&) { c.EntityChecks[entity_node::kArcEnd] = 1; }},
      {"prefix", [](auto& c, auto&, auto&) { c.FieldValues[field_node::kX + 1].Assign("E="); }},
      {"field order", [](auto&, auto& t, auto&) { t.FieldOrder[1] = field_node::kY; }},
      {"kind", [](auto&, auto& t, auto&) { t.EntityEnabled[entity_kind::kLines] = 1; }},
      {"quote", [](auto&, auto&, auto& e) { e.format.quote = true; }},
      {"mtext plain", [](auto&, auto&, auto& e) { e.format.mtext_plain = true; }},
      {"line ends", [](auto&, auto&, auto& e) { e.format.lf_line_ends = true; }},
      {"bom", [](auto&, auto&, auto& e) { e.format.bom = true; }},
      {"decimal comma", [](auto&, auto&, auto& e) { e.format.decimal_comma = true; }},
  };
  for (const Change& change : changes) {
    TExportConfig changed_config = config;
    RunTables changed_tables = tables;
    ExtendedSettings changed_settings = plain;
    change.apply(changed_config, changed_tables, changed_settings);
    EXPECT_NE(ConfigurationHash(changed_config, changed_tables, changed_settings), base)
        << change.name;
  }
  // What a run never reads: the bytes behind a text's length, the file form's identifier, the
  // separator choice beside the separator it gave, and the fields' check boxes.
  TExportConfig same = config;
  same.SeparatorText.Assign(";;;;");
  same.SeparatorText.Assign(";");
  same.Signature.Assign("QRV300");
  same.SeparatorIndex = 5;
  same.FieldChecks.fill(1);
  EXPECT_FALSE(SameConfig(same, config));
  EXPECT_EQ(ConfigurationHash(same, tables, plain), base);
}

TEST(MergeIntoManifest, RunsIntoOneFolderAtOnceKeepEveryEntry) {
  testing::TempDir dir;
  const std::string destination = dir.path().string() + "/";
  constexpr int kRuns = 8, kRounds = 25;
  for (int round = 0; round < kRounds; ++round) {
    std::vector<std::thread> runs;
    for (int run = 0; run < kRuns; ++run) {
      runs.emplace_back([&, run] {
        const std::string name = std::to_string(round) + "-" + std::to_string(run) + ".txt";
        Manifest entries;
        entries[name] = Entry("/in/" + name, ConversionOutcome::kFailed);
        EXPECT_EQ(MergeIntoManifest(destination, entries), std::nullopt);
      });
    }
    for (std::thread& run : runs)
      run.join();
  }
  const ManifestRead read = ReadManifest(destination);
  EXPECT_FALSE(read.failure);
  EXPECT_EQ(read.manifest.size(), std::size_t{kRuns * kRounds});
  // Nothing is left beside it: neither the lock nor a temporary file.
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path()))
    ++files;
  EXPECT_EQ(files, 1u);
}

TEST(MergeIntoManifest, KeepsWhatDescribesTheFilesOnDiskAndReplacesWhatCannotBeRead) {
  testing::TempDir dir;
  const std::string destination = dir.path().string() + "/";
  testing::WriteFile(dir.File("road.txt"), "data\r\n");
  const std::optional<FileStamp> on_disk = StampOf(dir.File("road.txt"));
  ManifestEntry converted = Entry("/in/road.dxf", ConversionOutcome::kConverted);
  converted.data_file = on_disk;
  ASSERT_EQ(MergeIntoManifest(destination, {{"road.txt", converted}}), std::nullopt);

  // A skip keeps the entry; so does a run whose data file another run has replaced since.
  ManifestEntry skipped = Entry("/in/road.dxf", ConversionOutcome::kSkipped);
  ManifestEntry overtaken = Entry("/in/other/road.dxf", ConversionOutcome::kConverted);
  for (const ManifestEntry& entry : {skipped, overtaken}) {
    ASSERT_EQ(MergeIntoManifest(destination, {{"road.txt", entry}}), std::nullopt);
    EXPECT_EQ(ReadManifest(destination).manifest.at("road.txt"), converted);
  }
  // A failure replaces it, whatever is on disk.
  ManifestEntry failed = Entry("/in/road.dxf", ConversionOutcome::kFailed);
  failed.data_file.reset();
  ASSERT_EQ(MergeIntoManifest(destination, {{"road.txt", failed}}), std::nullopt);
  EXPECT_EQ(ReadManifest(destination).manifest.at("road.txt"), failed);

  testing::WriteFile(destination + std::string(kManifestName), "{\"quorvex-manifest\": 1, \"fi");
  EXPECT_EQ(ReadManifest(destination).failure->kind, Failure::Kind::kManifestDamaged);
  const std::optional<Failure> replaced = MergeIntoManifest(destination, {{"road.txt", failed}});
  ASSERT_TRUE(replaced);
  EXPECT_EQ(replaced->kind, Failure::Kind::kManifestDamaged);
  EXPECT_EQ(ReadManifest(destination).manifest, (Manifest{{"road.txt", failed}}));

  fs::remove(destination + std::string(kManifestName));
  fs::create_directory(destination + std::string(kManifestName));
  EXPECT_EQ(MergeIntoManifest(destination, {{"road.txt", failed}}),
            (Failure{Failure::Kind::kManifestNotWritten,
                     destination + std::string(kManifestName),
                     {},
                     0,
                     "Is a directory"}));
}

}  // namespace
}  // namespace quorvex
