#include "desk/window_words.h"

#include <algorithm>

#include "batch/log_file.h"
#include "engine/report_words.h"

namespace quorvex {
namespace {

constexpr std::string_view kNotAConfigFile = "This is not a Quorvex configuration file";

// The file messages name the file and the system's reason, as the program has always shown them.
std::string FileMessage(std::string_view text, const Failure& failure) {
  std::string message(text);
  message += " \"" + EscapedName(failure.path) + "\". " + failure.reason;
  return message;
}

// How many paths a message names before it counts the rest.
constexpr std::size_t kNamedPaths = 10;

// `heading`, then one line per path, quoted, the paths after the tenth counted.
void AppendPaths(std::string& text, std::string_view heading,
                 const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  if (!text.empty()) text.push_back('\n');
  text.append(heading);
  for (std::size_t i = 0; i < paths.size() && i < kNamedPaths; ++i)
    text += "\n  \"" + EscapedName(paths[i]) + '"';
  if (paths.size() > kNamedPaths)
    text += "\n  and " + std::to_string(paths.size() - kNamedPaths) + " more";
}

}  // namespace

std::string TitleInUse(std::string_view file_name) {
  std::string title = "Quorvex V 4.03 - [";
  title.append(file_name);
  title.push_back(']');
  return title;
}

std::string QrvCannotKeepQuestion(std::string_view keys) {
  std::string question = "The .qrv form cannot keep: ";
  question.append(keys);
  question.append(". Do you want to save the configuration without them ?");
  return question;
}

std::string NotOpenedPathsText(std::string_view folder, const std::vector<std::string>& elsewhere,
                               const std::vector<std::string>& not_found) {
  std::string text;
  if (!elsewhere.empty())
    text = "The list shows the drawings of one folder, \"" + EscapedName(folder) + "\".";
  AppendPaths(text, "Not opened, from other folders:", elsewhere);
  AppendPaths(text, "Not found:", not_found);
  return text;
}

std::string ConfigNotFoundText(std::string_view path) {
  return "Configuration file \"" + EscapedName(path) + "\" not found, default values will be used.";
}

std::string NoLogFileText() {
  std::string text = "  Error. Log file \"";
  text.append(kLogFileName);
  text.append("\" does not exist ");
  return text;
}

std::string NotOpenedText(std::string_view target) {
  return "Cannot open \"" + EscapedName(target) + "\": no application to open it was found.";
}

std::string RunSummaryText(const BatchResult& result, std::string_view log_path,
                           std::size_t file_count) {
  if (result.refusal) return WindowFailureText(*result.refusal);
  const std::vector<ConversionOutcome> outcomes = result.Outcomes();
  const auto count = [&outcomes](ConversionOutcome outcome) {
    return static_cast<std::size_t>(std::count(outcomes.begin(), outcomes.end(), outcome));
  };
  const std::size_t converted = count(ConversionOutcome::kConverted);
  const std::size_t failed = count(ConversionOutcome::kFailed);
  const std::size_t skipped = count(ConversionOutcome::kSkipped);
  const std::string report = ReportPlace(log_path, false, !result.log_failure);
  if (result.end == BatchEnd::kCancelled)
    return StoppedLine(converted + failed + skipped, file_count, report);
  return SummaryLine(converted, failed, skipped, report);
}

std::string DrawingInfoFailureText(std::string_view dxf_path, const Failure& failure) {
  std::string text = "The drawing \"" + EscapedName(dxf_path) + "\" ";
  switch (failure.kind) {
    case Failure::Kind::kNotDxf:
      text.append("is not a valid DXF file: it has no ENTITIES section.");
      break;
    case Failure::Kind::kFileChanged:
      text.append("was changed by another program while it was read.");
      break;
    default:
      text.append("cannot be read. " + failure.reason);
      break;
  }
  return text;
}

std::string PreviewSummaryText(std::string_view file_name, std::int64_t points,
                               std::int64_t entities_converted, std::int64_t entity_total) {
  std::string text(EscapedName(file_name));
  text += ": " + std::to_string(points) + (points == 1 ? " point" : " points");
  if (entities_converted < entity_total) {
    text += ", first " + std::to_string(entities_converted) + " entities of " +
            std::to_string(entity_total);
  }
  return text;
}

std::string LegendText(std::string_view kind_name, std::int64_t points) {
  return std::string(kind_name) + ": " + std::to_string(points);
}

std::string WindowFailureText(const Failure& failure) {
  using Kind = Failure::Kind;
  switch (failure.kind) {
    case Kind::kConfigNotOpened:
      return FileMessage("Impossible d'ouvrir le fichier", failure);
    case Kind::kConfigNotWritten:
      return FileMessage("Cannot create file", failure);
    case Kind::kNotAConfig:
    case Kind::kConfigNotToml:
      return std::string(kNotAConfigFile);
    case Kind::kConfigDamaged:
      return failure.text;
    default:
      return FailureText(failure);
  }
}

}  // namespace quorvex
