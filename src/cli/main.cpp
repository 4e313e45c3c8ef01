#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "batch/locale_formats.h"
#include "batch/program_paths.h"
#include "cli/cli_run.h"

namespace {

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
  interrupted.store(true);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quorvex;
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<cli::CliOptions> options = cli::ParseCliOptions(args, error);
  if (!options) {
    std::fprintf(stderr, "quorvex-cli: %s\nTry 'quorvex-cli --help'.\n", error.c_str());
    return cli::kExitUsage;
  }
  // The report's date and time as the user's locale writes them; numbers are never affected.
  AdoptUserTimeFormats();
  // Ctrl-C stops the run between pairs, as the window's stop button does.
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);

  SystemClock clock;
  cli::CliEnvironment env{stdout, stderr,     isatty(STDERR_FILENO) == 1, ExecutableDirectory(),
                          clock,  interrupted};
  return cli::RunCli(*options, env);
}
