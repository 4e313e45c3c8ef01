// The built quorvex-cli stopped by the signals a user or a service sends.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "batch/manifest.h"
#include "engine/report_words.h"
#include "support/conversion_harness.h"
#include "support/temp_dir.h"

extern char** environ;

namespace quorvex::cli {
namespace {

namespace fs = std::filesystem;

bool FolderHoldsAFile(const fs::path& folder) {
  std::error_code error;
  return fs::directory_iterator(folder, error) != fs::directory_iterator();
}

TEST(Signals, StopTheRunAsCtrlCDoesAndExitWith128PlusTheirNumber) {
  testing::TempDir dir;
  std::string pairs;
  for (int i = 0; i < 100000; ++i)
    pairs += "  0\nHATCH\n 10\n1.0\n";
  testing::WriteFile(dir.File("drawing.dxf"), testing::DxfWithEntities(pairs));
  const fs::path inputs = dir.path() / "inputs";
  fs::create_directory(inputs);
  // Many drawings, so that the run is still going when the signal comes.
  for (int i = 0; i < 400; ++i) {
    std::string name = std::to_string(1000 + i);
    name.append(".dxf");
    fs::create_symlink(dir.File("drawing.dxf"), inputs / name);
  }

  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(signal);
    const std::string number = std::to_string(signal);
    const fs::path out = dir.path() / "out" / number;
    fs::create_directories(out);
    const std::string log = (dir.path() / "out" / number).string() + ".txt";
    std::vector<std::string> args = {
        QUORVEX_CLI_PATH, "-q", "-j", "1", "-o", out.string(), "--log", log, inputs.string()};
    std::vector<char*> argv;
    for (std::string& arg : args)
      argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::string out_file = log + ".out", err_file = log + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_file.c_str(), O_WRONLY | O_CREAT, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_file.c_str(), O_WRONLY | O_CREAT, 0644);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    // The first data file under way means the program has set up its handlers.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!FolderHoldsAFile(out) && std::chrono::steady_clock::now() < give_up)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    kill(pid, signal);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);

    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
    const std::string report = testing::ReadFile(log);
    const std::string cancel_line = "*** Process canceled by user ***\r\n";
    ASSERT_GE(report.size(), cancel_line.size());
    EXPECT_EQ(report.substr(report.size() - cancel_line.size()), cancel_line);
    // The manifest records the stopped run too.
    EXPECT_TRUE(fs::exists(out / kManifestName));
    std::size_t data_files = 0;
    for (const auto& entry : fs::directory_iterator(out)) {
      if (entry.path().filename() == kManifestName) continue;
      EXPECT_EQ(entry.path().extension(), ".txt") << entry.path();
      EXPECT_NE(entry.path().filename().string().rfind(".quorvex-", 0), 0u) << entry.path();
      ++data_files;
    }
    EXPECT_LT(data_files, 400u);
    // The summary counts the files done before the stop; the file under way has its line.
    const std::string summary = testing::ReadFile(out_file);
    EXPECT_EQ(summary.rfind("stopped after ", 0), 0u) << summary;
    EXPECT_NE(summary.find(" of 400 files; report: " + log + "\n"), std::string::npos) << summary;
    // A signal that comes before the first file or between two files stops no file half-way;
    // one that comes inside a file leaves that file's block without its counts and its rule
    // line, and a line on stderr.
    const std::size_t last_block = report.rfind("\r\nFile ");
    const bool stopped_inside_a_file =
        last_block != std::string::npos &&
        report.find(std::string(kRuleLine), last_block) == std::string::npos;
    const std::string err = testing::ReadFile(err_file);
    EXPECT_EQ(err.find(".dxf: stopped; its data file \"") != std::string::npos,
              stopped_inside_a_file)
        << err;
  }
}

}  // namespace
}  // namespace quorvex::cli
