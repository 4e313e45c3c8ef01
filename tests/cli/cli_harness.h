#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/batch_fakes.h"
#include "cli/cli_run.h"
#include "support/temp_dir.h"

namespace quorvex::cli {

// One run of the converter in this process, as a program in `program_directory` started with the
// variables `user`, and what it printed.
struct CliRun {
  int status = -1;
  std::string out, err;
};

inline CliRun RunConverter(std::vector<std::string> args, const std::string& program_directory,
                           const UserEnvironment& user = {}) {
  std::string error;
  const std::optional<CliOptions> options = ParseCliOptions(args, error);
  EXPECT_TRUE(options) << error;
  CliRun run;
  if (!options) return run;
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  testing::FixedClock clock;
  std::atomic<bool> cancelled{false};
  const ProgramPaths paths = ChooseProgramPaths(program_directory, user);
  CliEnvironment env{out, err, false, paths, clock, cancelled};
  run.status = RunCli(*options, env);
  for (auto [file, text] : {std::pair{out, &run.out}, std::pair{err, &run.err}}) {
    std::rewind(file);
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
      text->append(buffer, n);
    std::fclose(file);
  }
  return run;
}

// What the command `command` printed on its standard output; the test fails when it does not
// exit 0.
inline std::string CommandOutput(const std::string& command) {
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    text.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0) << text;
  return text;
}

// What read_data_file.py (Python's csv module) found in the data file `path`, as its JSON text.
inline std::string ReadBack(const std::string& path, const std::string& delimiter) {
  return CommandOutput("python3 " QUORVEX_SOURCE_DIR "/tests/cli/read_data_file.py '" + path +
                       "' '" + delimiter + "'");
}

class CliRunTest : public ::testing::Test {
 protected:
  CliRunTest() {
    std::filesystem::create_directory(program_);
    std::filesystem::copy_file(QUORVEX_DEFAULT_CONFIG_PATH, program_ / "default.qrv");
    std::filesystem::copy(QUORVEX_SAMPLES_DIR, samples_);
  }
  // A build's folder: the built default configuration beside the program.
  std::string Program() const { return program_.string() + "/"; }
  std::string Log() const { return (dir_.path() / "report.txt").string(); }

  testing::TempDir dir_;
  std::filesystem::path program_ = dir_.path() / "program";
  std::filesystem::path samples_ = dir_.path() / "samples";
};

}  // namespace quorvex::cli
