#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "desk/dxf_browser.h"
#include "desk/output_directory.h"
#include "desk/settings_store.h"
#include "desk/startup.h"
#include "support/temp_dir.h"

namespace quorvex::testing {

/// Settings in memory that also record the name of every write, in order, and every text written.
class RecordingSettings final : public SettingsStore {
 public:
  std::string ReadText(std::string_view name) const override { return values.ReadText(name); }
  std::optional<bool> ReadOnOff(std::string_view name) const override {
    return values.ReadOnOff(name);
  }
  std::vector<std::uint8_t> ReadBinary(std::string_view name) const override {
    return values.ReadBinary(name);
  }
  void WriteText(std::string_view name, std::string_view value) override {
    written.emplace_back(name);
    texts.emplace_back(std::string(name) + "=" + std::string(value));
    values.WriteText(name, value);
  }
  void WriteOnOff(std::string_view name, bool value) override {
    written.emplace_back(name);
    values.WriteOnOff(name, value);
  }
  void WriteBinary(std::string_view name, const std::vector<std::uint8_t>& value) override {
    written.emplace_back(name);
    values.WriteBinary(name, value);
  }

  /// The values written to the text setting `name`, in order.
  std::vector<std::string> TextsOf(std::string_view name) const {
    std::vector<std::string> of;
    const std::string prefix = std::string(name) + "=";
    for (const std::string& text : texts)
      if (text.rfind(prefix, 0) == 0) of.push_back(text.substr(prefix.size()));
    return of;
  }

  MemorySettings values;  // written to directly, a test sets up stored values unrecorded
  std::vector<std::string> written;
  std::vector<std::string> texts;  // "name=value"
};

/// Records what the browser tells the window, one word per call.
class RecordingBrowserObserver final : public DxfBrowserObserver {
 public:
  void RowsAboutToChange() override { calls.emplace_back("about"); }
  void RowsChanged() override { calls.emplace_back("rows"); }
  void SelectionChanged() override { calls.emplace_back("selection"); }
  void StatusChanged() override { calls.emplace_back("status"); }
  void FocusList() override { calls.emplace_back("focus"); }
  std::vector<std::string> calls;
};

/// The window around the core objects: what start-up set, what exit reads. Selecting a folder
/// reaches the browser as the folder tree's selection change does.
class FakeWindow final : public MainWindowParts {
 public:
  explicit FakeWindow(DxfBrowser& browser) : browser_(browser) {}

  void RestoreWindowSize(const std::optional<WindowSize>& restored) override {
    calls.emplace_back("size");
    size = restored;
  }
  WindowSize CurrentWindowSize() const override { return current_size; }
  void SelectFolder(const std::string& folder) override {
    calls.emplace_back("folder");
    browser_.FolderChanged(folder);
  }
  void RestoreHeaderLayout(const std::vector<std::int32_t>& restored_widths,
                           const std::vector<std::int32_t>& restored_order) override {
    calls.emplace_back("header");
    widths = restored_widths;
    order = restored_order;
  }
  void CurrentHeaderLayout(std::vector<std::int32_t>& current_widths,
                           std::vector<std::int32_t>& current_order) const override {
    current_widths = widths;
    current_order = order;
  }
  void RestoreFolderPanelWidth(const std::optional<int>& width) override {
    calls.emplace_back("panel");
    panel_width = width;
  }
  int CurrentFolderPanelWidth() const override { return panel_width.value_or(330); }
  void ShowInformation(std::string_view text) override {
    calls.emplace_back("information");
    information.emplace_back(text);
  }
  void ShowFirstPage() override { calls.emplace_back("first page"); }

  std::vector<std::string> calls, information;
  std::optional<WindowSize> size;
  WindowSize current_size{800, 600};
  std::vector<std::int32_t> widths, order;
  std::optional<int> panel_width;

 private:
  DxfBrowser& browser_;
};

/// A file of `size` bytes (sparse) last written at `modified` seconds since 1970.
inline void MakeFile(const std::string& path, std::int64_t size, std::int64_t modified) {
  WriteFile(path, "");
  std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size));
  const timespec times[2] = {{modified, 0}, {modified, 0}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

/// A folder of three drawings and one other file: by name A, b, c; by size A, c, b; by
/// modification time b, c, A.
inline std::string MakeDrawingFolder(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  constexpr std::int64_t kTime = 1583417220;
  MakeFile((folder / "b.dxf").string(), 3000, kTime);
  MakeFile((folder / "A.dxf").string(), 10, kTime + 200);
  MakeFile((folder / "c.dxf").string(), 2048, kTime + 100);
  MakeFile((folder / "notes.txt").string(), 1, kTime);
  return folder.string();
}

/// The base names of the rows in display order, a "*" after each selected one.
inline std::vector<std::string> Rows(const DxfBrowser& browser) {
  std::vector<std::string> names;
  for (const FileRow& row : browser.list().rows())
    names.push_back(row.entry.BaseName + (row.selected ? "*" : ""));
  return names;
}

}  // namespace quorvex::testing
