#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "batch/locale_formats.h"
#include "batch/program_paths.h"
#include "cli/cli_run.h"

namespace {

std::atomic<bool> interrupted{false};
std::atomic<int> stop_signal{SIGINT};

void OnStopSignal(int signal) {
  stop_signal.store(signal);
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
  // Ctrl-C, and the signals with which a session or a service ends a program, stop the run
  // between pairs, as the window's stop button does.
  struct sigaction action = {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP})
    sigaction(signal, &action, nullptr);

  SystemClock clock;
  // The same folders as the window's.
  const ProgramPaths paths = ChooseProgramPaths(ExecutableDirectory(), CurrentUserEnvironment());
  cli::CliEnvironment env{stdout, stderr, isatty(STDERR_FILENO) == 1, paths, clock, interrupted};
  const int status = cli::RunCli(*options, env);
  // A stopped run exits as the shell reports a program ended by that signal.
  return status == cli::kExitInterrupted ? 128 + stop_signal.load() : status;
}
