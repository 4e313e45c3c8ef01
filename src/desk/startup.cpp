#include "desk/startup.h"

#include <filesystem>

#include "config/default_config.h"
#include "desk/file_list_header.h"
#include "desk/window_words.h"
#include "engine/text_util.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;

bool IsDirectory(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

bool IsRegularFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// The folder as the tree reports paths: no trailing "/" except for the root itself.
std::string FolderText(const fs::path& folder) {
  std::string text = folder.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/')
    text.pop_back();
  return text;
}

// A stored size that is not a positive number is damaged; the first-start default serves then.
std::optional<std::int32_t> StoredSize(const SettingsStore& settings, std::string_view name) {
  const std::optional<std::int32_t> value = ReadInteger(settings, name);
  return value && *value > 0 ? value : std::nullopt;
}

std::string StoredFolderOr(const SettingsStore& settings, std::string_view name,
                           const std::string& fallback) {
  std::string folder = settings.ReadText(name);
  return IsDirectory(folder) ? folder : fallback;
}

void RestoreWindowSize(StartupContext& context) {
  const auto width = StoredSize(context.settings, setting::kWidth);
  const auto height = StoredSize(context.settings, setting::kHeight);
  context.window.RestoreWindowSize(width && height ? std::optional<WindowSize>({*width, *height})
                                                   : std::nullopt);
}

void RestoreFileListHeader(StartupContext& context) {
  const auto header = DecodeFileListHeader(context.settings.ReadBinary(setting::kFileListHeader));
  if (!header) return;
  context.browser.RestoreHeader(*header);
  context.window.RestoreHeaderLayout(header->widths, header->order);
}

void LoadLastConfiguration(StartupContext& context) {
  const std::string path =
      context.configurations_folder + "/" + context.settings.ReadText(setting::kConfig);
  if (IsRegularFile(path)) {
    if (context.session.LoadConfigFile(path)) context.session.ShowInUse(FileNameOf(path));
    return;
  }
  context.window.ShowInformation(ConfigNotFoundText(path));
  if (context.default_config_path)
    context.session.LoadConfigFile(*context.default_config_path);
  else
    context.session.ApplyLoadedContent(DefaultConfiguration());
  context.session.MarkDefaultFallback();
}

}  // namespace

OpenRequest ResolveOpenPaths(const std::vector<std::string>& paths) {
  OpenRequest request;
  for (const std::string& given : paths) {
    std::error_code error;
    const fs::path path = fs::absolute(given, error);
    if (error || !fs::exists(path, error)) {
      request.not_found.push_back(given);
      continue;
    }
    const bool folder = IsDirectory(path.string());
    if (request.folder.empty()) request.folder = FolderText(folder ? path : path.parent_path());
    if (folder ? FolderText(path) != request.folder
               : FolderText(path.parent_path()) != request.folder) {
      request.elsewhere.push_back(given);
    } else if (IsRegularFile(path)) {
      request.file_names.emplace_back(FileNameOf(path.string()));
    }
  }
  return request;
}

std::optional<std::string> NotOpenedMessage(const OpenRequest& request) {
  if (request.elsewhere.empty() && request.not_found.empty()) return std::nullopt;
  return NotOpenedPathsText(request.folder, request.elsewhere, request.not_found);
}

void InitMainWindow(StartupContext& context) {
  SettingsStore& settings = context.settings;
  RestoreWindowSize(context);
  context.preferences.Restore();

  const OpenRequest open = ResolveOpenPaths(context.open_paths);
  std::string dxf_folder = StoredFolderOr(settings, setting::kDxfPath, context.home_folder);
  if (IsDirectory(open.folder)) dxf_folder = open.folder;
  context.window.SelectFolder(dxf_folder);
  if (const auto message = NotOpenedMessage(open)) context.window.ShowInformation(*message);

  context.output.SetDestination(StoredFolderOr(settings, setting::kDestPath, context.home_folder));
  if (settings.ReadOnOff(setting::kLocked).value_or(true))
    context.output.Lock(context.browser.tree_path());
  else
    context.output.Unlock();

  RestoreFileListHeader(context);
  context.window.RestoreFolderPanelWidth(StoredSize(settings, setting::kPanelWidth));
  context.browser.RestoreAutoSelect();
  if (!open.file_names.empty()) context.browser.SelectFiles(open.file_names);

  LoadLastConfiguration(context);
  context.window.ShowFirstPage();
}

bool ExitMainWindow(StartupContext& context) {
  if (!context.session.AskToSaveChanges()) return false;
  SettingsStore& settings = context.settings;
  settings.WriteText(setting::kDxfPath, context.browser.tree_path());
  settings.WriteText(setting::kDestPath, context.output.destination());
  const WindowSize size = context.window.CurrentWindowSize();
  WriteInteger(settings, setting::kWidth, size.width);
  WriteInteger(settings, setting::kHeight, size.height);
  WriteInteger(settings, setting::kPanelWidth, context.window.CurrentFolderPanelWidth());
  FileListHeaderState header = context.browser.HeaderState();
  context.window.CurrentHeaderLayout(header.widths, header.order);
  settings.WriteBinary(setting::kFileListHeader, EncodeFileListHeader(header));
  return true;
}

}  // namespace quorvex
