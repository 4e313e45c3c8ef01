#include "config/qrv_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/regular_file.h"
#include "engine/report_words.h"

namespace quorvex {
namespace {

constexpr std::string_view kIdentifier = "\x06QRV300";
constexpr std::string_view kNotAConfigFile = "This is not a Quorvex configuration file";

template <std::size_t N>
void AppendSlot(std::string& out, const ShortString<N>& text) {
  out.push_back(static_cast<char>(text.length));
  out.append(text.chars.data(), N);
}

template <std::size_t N>
void AppendFlags(std::string& out, const std::array<std::uint8_t, N>& flags) {
  for (const std::uint8_t flag : flags)
    out.push_back(static_cast<char>(flag));
}

// Reads the record part; the caller has checked that all of it is present.
class RecordReader {
 public:
  explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

  template <std::size_t N>
  void Slot(ShortString<N>& text) {
    const auto length = static_cast<std::size_t>(Byte());
    text.length = static_cast<std::uint8_t>(length < N ? length : N);
    for (char& c : text.chars)
      c = bytes_[pos_++];
  }

  template <std::size_t N>
  void Flags(std::array<std::uint8_t, N>& flags) {
    for (std::uint8_t& flag : flags)
      flag = Byte();
  }

  std::int32_t Int32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
      value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return static_cast<std::int32_t>(value);
  }

  std::uint8_t Byte() { return static_cast<std::uint8_t>(bytes_[pos_++]); }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::string FileMessage(std::string_view text, const std::filesystem::path& path, int error) {
  // The texts name the file and the system's reason, as the program has always shown them.
  std::string message(text);
  message += " \"" + EscapedName(path.string()) + "\". " + std::strerror(error);
  return message;
}

// A failed call that left errno unset still needs a reason to show.
int Errno() {
  return errno != 0 ? errno : EIO;
}

}  // namespace

std::string ConfigFileBytes(const ConfigContent& content) {
  const TExportConfig& record = content.record;
  std::string out;
  out.reserve(kConfigFileSize);
  AppendSlot(out, record.Signature);
  AppendSlot(out, record.DataFileExtension);
  AppendSlot(out, record.BlockNames);
  const auto index = static_cast<std::uint32_t>(record.SeparatorIndex);
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<char>((index >> (8 * i)) & 0xFF));
  AppendSlot(out, record.SeparatorText);
  out.push_back(static_cast<char>(record.IncludeHeader));
  AppendFlags(out, record.EntityChecks);
  AppendFlags(out, record.FieldChecks);
  for (const auto& value : record.FieldValues)
    AppendSlot(out, value);
  AppendTreeStream(out, content.trees.entity, ConfigTreeId::kEntity);
  AppendTreeStream(out, content.trees.data, ConfigTreeId::kData);
  return out;
}

std::string QrvBytesToSave(ConfigModel& model) {
  model.SetSignature("QRV300");
  model.InitializeAllNodes();
  return ConfigFileBytes(model.content());
}

bool HasConfigIdentifier(std::string_view bytes) {
  return bytes.substr(0, kIdentifier.size()) == kIdentifier;
}

std::string_view ParsedConfigFile::ErrorMessage() const {
  return identified ? TreeStreamMessage(tree_error) : kNotAConfigFile;
}

ParsedConfigFile ParseConfigFile(std::string_view bytes) {
  ParsedConfigFile parsed;
  parsed.identified = HasConfigIdentifier(bytes);
  if (!parsed.identified) return parsed;
  if (bytes.size() < kConfigRecordSize) {
    parsed.tree_error = TreeStreamError::kNotEnoughData;
    return parsed;
  }
  TExportConfig& record = parsed.content.record;
  RecordReader reader(bytes);
  reader.Slot(record.Signature);
  reader.Slot(record.DataFileExtension);
  reader.Slot(record.BlockNames);
  record.SeparatorIndex = reader.Int32();
  reader.Slot(record.SeparatorText);
  record.IncludeHeader = reader.Byte();
  reader.Flags(record.EntityChecks);
  reader.Flags(record.FieldChecks);
  for (auto& value : record.FieldValues)
    reader.Slot(value);
  std::size_t pos = kConfigRecordSize;
  parsed.tree_error =
      ReadTreeStream(bytes, pos, ConfigTreeId::kEntity, parsed.content.trees.entity);
  if (parsed.tree_error == TreeStreamError::kNone)
    parsed.tree_error = ReadTreeStream(bytes, pos, ConfigTreeId::kData, parsed.content.trees.data);
  return parsed;
}

ConfigFileRead ReadConfigFile(const std::filesystem::path& path) {
  ConfigFileRead read;
  const OpenedFile file = OpenRegularFile(path.string());
  if (file.fd < 0) {
    read.not_config = file.not_regular;
    read.error = file.not_regular ? 0 : file.error;
    return read;
  }
  char buffer[16384];
  ssize_t n;
  // One byte beyond the largest configuration tells a larger file.
  while (read.bytes.size() <= kMaxConfigFileSize &&
         (n = ::read(file.fd, buffer, sizeof buffer)) != 0) {
    if (n < 0) {
      if (errno == EINTR) continue;
      read.error = Errno();
      break;
    }
    read.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  close(file.fd);
  if (read.error == 0 && read.bytes.size() > kMaxConfigFileSize) read.not_config = true;
  return read;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& error) {
  ConfigFileRead read = ReadConfigFile(path);
  if (read.not_config) {
    error = kNotAConfigFile;
  } else if (read.error != 0) {
    error = FileMessage("Impossible d'ouvrir le fichier", path, read.error);
  } else {
    bytes = std::move(read.bytes);
    return true;
  }
  return false;
}

int WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path temporary = path;
  temporary += ".partial";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  int failure = file ? 0 : Errno();
  if (file) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) failure = Errno();
    if (std::fclose(file) != 0 && failure == 0) failure = Errno();
    std::error_code renamed;
    if (failure == 0) std::filesystem::rename(temporary, path, renamed);
    if (renamed) failure = renamed.value();
    std::error_code ignored;
    if (failure != 0) std::filesystem::remove(temporary, ignored);
  }
  return failure;
}

bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string& error) {
  const int failure = WriteFileBytes(path, bytes);
  if (failure == 0) return true;
  error = FileMessage("Impossible de créer le fichier", path, failure);
  return false;
}

}  // namespace quorvex
