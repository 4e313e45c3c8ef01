#include "cli/cli_words.h"

#include "engine/report_words.h"

namespace quorvex::cli {
namespace {

// "NAME \"PATH\"" with the path escaped.
std::string Named(std::string_view name, std::string_view path) {
  std::string text(name);
  text.append(" \"" + EscapedName(path) + "\"");
  return text;
}

}  // namespace

std::string CliFailureText(const Failure& failure) {
  using Kind = Failure::Kind;
  switch (failure.kind) {
    case Kind::kDestinationIsFile:
      return Named("Destination", failure.path) +
             " is a file, not a folder; name a folder for the data files";
    case Kind::kExtensionHoldsSlash:
      return "The data file extension \"" + EscapedName(QuotedExcerpt(failure.text)) +
             "\" holds the path separator \"/\"; the data files go to the -o folder";
    case Kind::kConfigNotOpened:
      return Named("Cannot open file", failure.path) + ". " + failure.reason;
    case Kind::kConfigNotWritten:
      return Named("Cannot create file", failure.path) + ". " + failure.reason;
    case Kind::kSavedConfigIsRunFile:
      return Named("Configuration file", failure.path) +
             " is a file that the run reads or writes; nothing was written";
    case Kind::kNotAConfig:
      return Named("File", failure.path) + " is not a Quorvex configuration file";
    case Kind::kConfigDamaged:
      return Named("Configuration file", failure.path) + ": " + failure.text;
    case Kind::kDecimalCommaWithComma:
      return "option --decimal-comma cannot be used with a separator that holds a comma";
    default:
      return FailureText(failure);
  }
}

std::string FileFailureLine(std::string_view dxf_path, const FileOutcome& outcome,
                            std::string_view data_path, bool data_file_removed) {
  std::string line = EscapedName(dxf_path);
  line.append(": ");
  line.append(outcome.failure ? FailureReason(*outcome.failure) : "stopped");
  if (outcome.data_file_written) {
    line.append(data_file_removed ? "; its partial data file \"" : "; its data file \"");
    line.append(EscapedName(data_path));
    if (data_file_removed) {
      line.append("\" was removed");
    } else {
      const std::int64_t n = outcome.data_lines;
      line.append("\" is incomplete: " + std::to_string(n) +
                  (n == 1 ? " data line" : " data lines") + " written before it stopped");
    }
  }
  return line;
}

std::string EmptyFolderWarning(std::string_view folder) {
  return "warning: " + Named("folder", folder) + " holds no DXF file";
}

std::string NoLogFolderText(const Failure& failure) {
  return CliFailureText(failure) + "; name the log file with --log FILE";
}

std::string DataFileClashLine(std::string_view data_path, const std::vector<std::string>& writers) {
  std::string line = EscapedName(data_path) + " would be written by";
  for (std::size_t i = 0; i < writers.size(); ++i)
    line += (i == 0 ? " " : " and ") + EscapedName(writers[i]);
  return line;
}

std::string QrvCannotKeepWarning(std::string_view keys) {
  std::string text = "warning: the .qrv form cannot keep: ";
  text.append(keys);
  text.append("; the configuration was saved without them (--print-config keeps them)");
  return text;
}

}  // namespace quorvex::cli
