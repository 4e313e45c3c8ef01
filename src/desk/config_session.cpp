#include "desk/config_session.h"

#include <utility>

#include "config/config_file.h"
#include "config/config_forms.h"
#include "config/toml_config.h"
#include "desk/window_words.h"
#include "engine/text_util.h"

namespace quorvex {

ConfigSession::ConfigSession(ConfigModel& model, Prompts& prompts, SettingsStore& settings,
                             std::filesystem::path configurations_folder)
    : model_(model),
      prompts_(prompts),
      settings_(settings),
      configurations_folder_(std::move(configurations_folder)),
      window_title_(kDesignTitle),
      status_text_(kStatusBeforeLoad) {}

std::string ConfigSession::ProposedSaveName() const {
  return status_text_.size() > kStatusInUse.size() ? status_text_.substr(kStatusInUse.size())
                                                   : std::string();
}

bool ConfigSession::LoadConfigFile(const std::filesystem::path& path) {
  // The file is read whole before anything is replaced, so a refusal leaves no trace.
  const ConfigRead read = ReadConfiguration(path);
  if (read.failure) {
    prompts_.Error(WindowFailureText(*read.failure));
    return false;
  }
  ApplyLoadedContent(read.content);
  settings_.WriteText(setting::kConfig, FileNameOf(path.string()));
  return true;
}

void ConfigSession::ApplyLoadedContent(const ConfigContent& content) {
  model_.LoadContent(content);
  TakeSnapshot();
}

void ConfigSession::TakeSnapshot() {
  snapshot_ = model_.record();
  extended_snapshot_ = model_.extended();
}

void ConfigSession::ShowInUse(std::string_view file_name) {
  window_title_ = TitleInUse(file_name);
  status_text_ = std::string(kStatusInUse) + std::string(file_name);
}

void ConfigSession::MarkDefaultFallback() {
  settings_.WriteText(setting::kConfig, "none");
  status_text_ = kStatusFallback;
  window_title_ = kTitleFallback;
  snapshot_.Signature.Assign("error");
}

bool ConfigSession::SaveConfiguration() {
  save_incomplete_ = true;
  const auto path = prompts_.ChooseFileToSave(configurations_folder_, ProposedSaveName());
  return path && SaveConfigurationTo(*path);
}

bool ConfigSession::SaveConfigurationTo(const std::filesystem::path& path) {
  save_incomplete_ = true;
  const ConfigForm form = FormOfName(path);
  if (form == ConfigForm::kQrv) {
    const std::string dropped = ExtendedKeys(model_.extended());
    if (!dropped.empty() && !prompts_.AskYesNo(QrvCannotKeepQuestion(dropped))) return false;
  }
  if (const std::optional<Failure> failure = WriteConfigFile(path, BytesToSave(model_, form))) {
    prompts_.Error(WindowFailureText(*failure));
    return false;
  }
  // The configuration in use is what the file holds.
  if (form == ConfigForm::kQrv) model_.SetExtended({});
  const std::string file_name(FileNameOf(path.string()));
  ShowInUse(file_name);
  settings_.WriteText(setting::kConfig, file_name);
  TakeSnapshot();
  save_incomplete_ = false;
  return true;
}

bool ConfigSession::LoadConfiguration() {
  if (!AskToSaveChanges()) return false;
  const auto path = prompts_.ChooseFileToLoad(configurations_folder_);
  if (!path || !LoadConfigFile(*path)) return false;
  ShowInUse(FileNameOf(path->string()));
  return true;
}

bool ConfigSession::AskToSaveChanges() {
  if (!Changed()) return true;
  switch (prompts_.AskYesNoCancel(kChangedQuestion)) {
    case Prompts::Answer::kYes:
      SaveConfiguration();
      return !save_incomplete_;
    case Prompts::Answer::kNo:
      return true;
    case Prompts::Answer::kCancel:
      break;
  }
  return false;
}

}  // namespace quorvex
