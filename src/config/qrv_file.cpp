#include "config/qrv_file.h"

#include "config/data_nodes.h"

namespace quorvex {
namespace {

constexpr std::string_view kIdentifier = "\x06QRV300";

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
  AppendTreeStream(out, RecordNodes(content.trees.data), ConfigTreeId::kData);
  return out;
}

std::string QrvBytesToSave(ConfigModel& model) {
  model.PrepareToSave();
  return ConfigFileBytes(model.content());
}

bool HasConfigIdentifier(std::string_view bytes) {
  return bytes.substr(0, kIdentifier.size()) == kIdentifier;
}

std::optional<Failure> ParsedConfigFile::FailureAt(const std::string& path) const {
  if (!identified) return Failure{Failure::Kind::kNotAConfig, path};
  if (tree_error == TreeStreamError::kNone) return std::nullopt;
  return Failure{Failure::Kind::kConfigDamaged, path, std::string(TreeStreamMessage(tree_error))};
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
  if (parsed.ok()) CompleteDataTree(parsed.content.trees.data, {});
  return parsed;
}

}  // namespace quorvex
