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

// A line of the report in plain words: without its "*** Error, " or "*** Warning, " and " ***".
std::string Undecorated(std::string_view text) {
  for (const std::string_view decoration : {"  *** Error, ", "  *** Warning, ", "  *** "})
    if (text.substr(0, decoration.size()) == decoration) {
      text.remove_prefix(decoration.size());
      break;
    }
  constexpr std::string_view kEnd = " ***";
  if (text.size() >= kEnd.size() && text.substr(text.size() - kEnd.size()) == kEnd)
    text.remove_suffix(kEnd.size());
  return std::string(text);
}

}  // namespace

std::string FileFailureReason(const Failure& failure) {
  if (failure.kind == Failure::Kind::kDxfUnreadable && !failure.reason.empty())
    return failure.reason;
  return Undecorated(FailureText(failure));
}

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
  line.append(outcome.failure ? FileFailureReason(*outcome.failure) : "stopped");
  if (outcome.data_file_written) {
    line.append(data_file_removed ? "; its partial data file \"" : "; its data file \"");
    line.append(EscapedName(data_path));
    if (data_file_removed) {
      line.append("\" was removed");
    } else {
      const std::int64_t n = outcome.data_lines;
      line.append("\" is incomplete: " + std::to_string(n) + (n == 1 ? " line" : " lines") +
                  " written before it stopped");
    }
  }
  return line;
}

std::string DecodingWarningLine(std::string_view dxf_path, const UndecodedCharacters& undecoded) {
  std::string line = EscapedName(dxf_path);
  line.append(": warning: ");
  if (!undecoded.not_decodable.empty()) {
    line.append(Undecorated(NotDecodableText(undecoded)));
    if (undecoded.count > 0) line.append("; ");
  }
  if (undecoded.count > 0) line.append(Undecorated(UndecodedText(undecoded)));
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

std::string ReportPlace(std::string_view log_path, bool to_output, bool written) {
  if (to_output) return "standard output";
  return written ? EscapedName(log_path) : "not written";
}

std::string SummaryLine(std::size_t converted, std::size_t failed, std::size_t skipped,
                        std::string_view report) {
  std::string line = std::to_string(converted) + (converted == 1 ? " file" : " files") +
                     " converted, " + std::to_string(failed) + " with errors";
  if (skipped > 0) line += ", " + std::to_string(skipped) + " skipped";
  line.append("; report: ");
  line.append(report);
  return line;
}

std::string StoppedLine(std::size_t done, std::size_t total, std::string_view report) {
  std::string line =
      "stopped after " + std::to_string(done) + " of " + std::to_string(total) + " files; report: ";
  line.append(report);
  return line;
}

}  // namespace quorvex::cli
