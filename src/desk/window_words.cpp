#include "desk/window_words.h"

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

std::string ConfigNotFoundText(std::string_view path) {
  return "Configuration file \"" + EscapedName(path) + "\" not found, default values will be used.";
}

std::string NoLogFileText() {
  std::string text = "  Error. Log file \"";
  text.append(kLogFileName);
  text.append("\" does not exist ");
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
      return FileMessage("Impossible de créer le fichier", failure);
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
