#include "file_listing.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "data_file_name.h"
#include "engine/text_util.h"

namespace quorvex {
namespace {

std::string TwoDigits(int value) {
  return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

bool IsDxfExtension(std::string_view file_name) {
  const std::size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view extension = file_name.substr(dot + 1);
  return extension.size() == 3 && AsciiUpper(extension[0]) == 'D' &&
         AsciiUpper(extension[1]) == 'X' && AsciiUpper(extension[2]) == 'F';
}

std::int64_t EvenSeconds(std::int64_t seconds) {
  return seconds - (seconds % 2 + 2) % 2;
}

}  // namespace

std::string SizeText(std::int64_t size_bytes) {
  return std::to_string(size_bytes / 1024 + 1) + " KB";
}

std::string DateText(const std::tm& local, const DateTimeSeparators& separators) {
  return TwoDigits(local.tm_mon + 1) + separators.date + TwoDigits(local.tm_mday) +
         separators.date + std::to_string(local.tm_year + 1900) + " " + TwoDigits(local.tm_hour) +
         separators.time + TwoDigits(local.tm_min);
}

std::vector<TFileEntry> ListDxfFiles(std::string_view folder, const DateTimeSeparators& separators,
                                     std::optional<Failure>* failure) {
  std::vector<TFileEntry> entries;
  const std::string directory = WithTrailingSlash(folder);
  std::error_code error;
  std::filesystem::directory_iterator it(directory, error), end;
  for (; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (!IsDxfExtension(name)) continue;
    struct stat info;
    if (stat((directory + name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    TFileEntry entry;
    entry.BaseName = BaseNameOf(name);
    entry.FileName = std::move(name);
    entry.SizeBytes = info.st_size;
    entry.SizeText = SizeText(info.st_size);
    entry.ModifiedTime = EvenSeconds(info.st_mtime);
    const std::time_t modified = static_cast<std::time_t>(entry.ModifiedTime);
    std::tm local{};
    localtime_r(&modified, &local);
    entry.DateText = DateText(local, separators);
    entries.push_back(std::move(entry));
  }
  if (error && failure) {
    *failure = Failure{Failure::Kind::kFolderNotListed, directory, {}, 0, error.message()};
  }
  return entries;
}

bool NameLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiUpper(x)) < static_cast<unsigned char>(AsciiUpper(y));
  });
}

std::optional<Failure> FileList::List(std::string_view folder, bool auto_select,
                                      const DateTimeSeparators& separators) {
  std::optional<Failure> failure;
  for (TFileEntry& entry : ListDxfFiles(folder, separators, &failure))
    rows_.push_back({std::move(entry), false});
  if (rows_.empty()) return failure;
  Sort();
  rows_.front().selected = true;
  if (auto_select) SelectAll();
  return failure;
}

void FileList::ClickHeader(SortColumn column) {
  sort_.descending = !sort_.descending;
  sort_.column = column;
  Sort();
}

void FileList::Sort() {
  const auto less = [column = sort_.column](const FileRow& x, const FileRow& y) {
    const TFileEntry& a = x.entry;
    const TFileEntry& b = y.entry;
    switch (column) {
      case SortColumn::kName:
        return NameLess(a.BaseName, b.BaseName);
      case SortColumn::kModified:
        return a.ModifiedTime < b.ModifiedTime;
      case SortColumn::kSize:
        return a.SizeBytes < b.SizeBytes;
    }
    return false;
  };
  if (sort_.descending) {
    std::stable_sort(rows_.begin(), rows_.end(),
                     [&less](const FileRow& x, const FileRow& y) { return less(y, x); });
  } else {
    std::stable_sort(rows_.begin(), rows_.end(), less);
  }
}

void FileList::SelectAll() {
  for (FileRow& row : rows_)
    row.selected = true;
}

std::size_t FileList::SelectedCount() const {
  return static_cast<std::size_t>(
      std::count_if(rows_.begin(), rows_.end(), [](const FileRow& row) { return row.selected; }));
}

std::string CountLine(std::size_t rows, std::size_t selected) {
  return std::to_string(rows) + (rows > 1 ? " DXF files, " : " DXF file, ") +
         std::to_string(selected) + " selected.";
}

std::string AutoSelectLine(std::size_t selected) {
  return std::to_string(selected) + (selected > 1 ? " files selected." : " file selected.");
}

std::vector<std::string> FileList::SelectedDxfPaths(std::string_view source_folder) const {
  std::vector<std::string> paths;
  const std::string folder = WithTrailingSlash(source_folder);
  for (const FileRow& row : rows_) {
    if (row.selected) paths.push_back(folder + row.entry.FileName);
  }
  return paths;
}

}  // namespace quorvex
