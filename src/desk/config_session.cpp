#include "desk/config_session.h"

#include <utility>

#include "config/qrv_file.h"

namespace quorvex {
namespace {

constexpr std::string_view kDesignTitle = " Quorvex V 4.03";
constexpr std::string_view kTitleInUse = "Quorvex V 4.03 - [";
constexpr std::string_view kTitleFallback = "Quorvex V 4.03[None]";
constexpr std::string_view kStatusBeforeLoad = "Configuration file in use :";
constexpr std::string_view kStatusInUse = "Configuration file in use : ";
constexpr std::string_view kStatusFallback = "None";
constexpr std::string_view kChangedQuestion =
    "Current configuration has changed, do you want to save it ?";

std::string FileName(const std::filesystem::path& path) {
  return path.filename().string();
}

}  // namespace

ConfigSession::ConfigSession(ConfigModel& model, ConfigHost& host,
                             std::filesystem::path configurations_folder)
    : model_(model),
      host_(host),
      configurations_folder_(std::move(configurations_folder)),
      window_title_(kDesignTitle),
      status_text_(kStatusBeforeLoad) {}

std::string ConfigSession::ProposedSaveName() const {
  return status_text_.size() > kStatusInUse.size() ? status_text_.substr(kStatusInUse.size())
                                                   : std::string();
}

bool ConfigSession::LoadConfigFile(const std::filesystem::path& path) {
  std::string bytes, error;
  if (!ReadWholeFile(path, bytes, error)) {
    host_.ShowError(error);
    return false;
  }
  // The file is taken apart before anything is replaced, so a refusal leaves no trace.
  const ParsedConfigFile parsed = ParseConfigFile(bytes);
  if (!parsed.ok()) {
    host_.ShowError(parsed.ErrorMessage());
    return false;
  }
  ApplyLoadedContent(parsed.content);
  host_.StoreConfigName(FileName(path));
  return true;
}

void ConfigSession::ApplyLoadedContent(const ConfigContent& content) {
  model_.LoadContent(content);
  snapshot_ = model_.record();
}

void ConfigSession::ShowInUse(std::string_view file_name) {
  window_title_ = std::string(kTitleInUse) + std::string(file_name) + "]";
  status_text_ = std::string(kStatusInUse) + std::string(file_name);
}

void ConfigSession::MarkDefaultFallback() {
  host_.StoreConfigName("none");
  status_text_ = kStatusFallback;
  window_title_ = kTitleFallback;
  snapshot_.Signature.Assign("error");
}

bool ConfigSession::SaveConfiguration() {
  save_incomplete_ = true;
  const auto path = host_.ChooseFileToSave(configurations_folder_, ProposedSaveName());
  return path && SaveConfigurationTo(*path);
}

bool ConfigSession::SaveConfigurationTo(const std::filesystem::path& path) {
  save_incomplete_ = true;
  std::string error;
  if (!WriteWholeFile(path, QrvBytesToSave(model_), error)) {
    host_.ShowError(error);
    return false;
  }
  ShowInUse(FileName(path));
  host_.StoreConfigName(FileName(path));
  snapshot_ = model_.record();
  save_incomplete_ = false;
  return true;
}

bool ConfigSession::LoadConfiguration() {
  if (!AskToSaveChanges()) return false;
  const auto path = host_.ChooseFileToLoad(configurations_folder_);
  if (!path || !LoadConfigFile(*path)) return false;
  ShowInUse(FileName(*path));
  return true;
}

bool ConfigSession::AskToSaveChanges() {
  if (!Changed()) return true;
  switch (host_.AskYesNoCancel(kChangedQuestion)) {
    case ConfigHost::Answer::kYes:
      SaveConfiguration();
      return !save_incomplete_;
    case ConfigHost::Answer::kNo:
      return true;
    case ConfigHost::Answer::kCancel:
      break;
  }
  return false;
}

}  // namespace quorvex
