// Byte-exact end-to-end cases: every folder of tests/golden holds the drawings to convert (in
// input/, or named by input.path relative to the source tree) and, in expected/, every data file
// and the report that the converter must write with the default configuration. Paths of the
// temporary folders read "{DIR}" in the expected report. QUORVEX_UPDATE_GOLDEN=1 rewrites the
// expected files from the current output.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "batch/batch_fakes.h"
#include "batch/manifest.h"
#include "cli/cli_run.h"
#include "engine/text_util.h"
#include "support/temp_dir.h"

namespace quorvex::cli {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::set<std::string> FileNames(const fs::path& folder) {
  std::set<std::string> names;
  if (!fs::is_directory(folder)) return names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

void CheckCase(const fs::path& case_dir) {
  const fs::path source_root = QUORVEX_SOURCE_DIR;
  testing::TempDir dir;
  fs::create_directory(dir.path() / "program");
  fs::copy_file(QUORVEX_DEFAULT_CONFIG_PATH, dir.path() / "program" / "default.qrv");
  const fs::path input = dir.path() / "input";
  const fs::path named_input =
      fs::exists(case_dir / "input.path")
          ? source_root / std::string(Trimmed(ReadFile((case_dir / "input.path").string())))
          : case_dir / "input";
  ASSERT_TRUE(fs::is_directory(named_input)) << named_input;
  fs::copy(named_input, input);
  const fs::path output = dir.path() / "output";
  fs::create_directory(output);

  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  testing::FixedClock clock;
  std::atomic<bool> cancelled{false};
  const ProgramPaths paths = ChooseProgramPaths((dir.path() / "program").string(), {});
  CliEnvironment env{out, err, false, paths, clock, cancelled};
  CliOptions options;
  options.inputs = {input.string()};
  options.output_dir = output.string();
  options.log_path = (output / "report.txt").string();
  options.jobs = 1;
  RunCli(options, env);
  std::fclose(out);
  std::fclose(err);
  WriteFile(options.log_path.value(),
            ReplaceAll(ReadFile(*options.log_path), dir.path().string(), "{DIR}"));

  const fs::path expected = case_dir / "expected";
  if (std::getenv("QUORVEX_UPDATE_GOLDEN")) {
    fs::remove_all(expected);
    fs::copy(output, expected);
  }
  // The manifest holds the times of the files; the data files and the report are compared.
  std::set<std::string> written = FileNames(output);
  written.erase(std::string(kManifestName));
  EXPECT_EQ(written, FileNames(expected)) << "the files written differ from " << expected;
  for (const std::string& name : written) {
    EXPECT_EQ(ReadFile((output / name).string()), ReadFile((expected / name).string())) << name;
  }
}

TEST(GoldenCases, EveryCaseWritesItsExpectedFilesByteForByte) {
  const fs::path golden = fs::path(QUORVEX_SOURCE_DIR) / "tests" / "golden";
  std::size_t cases = 0;
  for (const auto& entry : fs::directory_iterator(golden)) {
    if (!entry.is_directory()) continue;
    SCOPED_TRACE(entry.path().filename().string());
    ASSERT_TRUE(fs::is_directory(entry.path() / "expected"))
        << entry.path() << " has no expected/ folder";
    CheckCase(entry.path());
    ++cases;
  }
  EXPECT_GT(cases, 0u) << "no golden case found in " << golden;
}

}  // namespace
}  // namespace quorvex::cli
