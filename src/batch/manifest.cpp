#include "manifest.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "engine/file_time.h"
#include "engine/utf8.h"

namespace quorvex {
namespace {

using Json = nlohmann::ordered_json;

// Raises the form's version when a reader of this one would misread a new manifest.
constexpr int kFormVersion = 1;

constexpr std::pair<ConversionOutcome, std::string_view> kOutcomeWords[] = {
    {ConversionOutcome::kConverted, "converted"},
    {ConversionOutcome::kFailed, "failed"},
    {ConversionOutcome::kCancelled, "stopped"},
    {ConversionOutcome::kSkipped, "skipped"},
};

std::string EncodedName(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t size = Utf8CharacterSize(name.substr(i));
    if (size != 0 && name[i] != '%') {
      encoded.append(name.substr(i, size));
      i += size;
      continue;
    }
    const auto byte = static_cast<unsigned char>(name[i++]);
    encoded.push_back('%');
    encoded.push_back(kHex[byte >> 4]);
    encoded.push_back(kHex[byte & 15]);
  }
  return encoded;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string DecodedName(std::string_view encoded) {
  std::string name;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    const bool room = i + 2 < encoded.size();
    const int high = room ? HexValue(encoded[i + 1]) : -1;
    const int low = room ? HexValue(encoded[i + 2]) : -1;
    if (encoded[i] == '%' && high >= 0 && low >= 0) {
      name.push_back(static_cast<char>(high * 16 + low));
      i += 2;
    } else {
      name.push_back(encoded[i]);
    }
  }
  return name;
}

Json StampJson(const FileStamp& stamp) {
  return {{"size", stamp.size}, {"modified", stamp.modified}};
}

FileStamp StampFrom(const Json& json) {
  return {json.at("size").get<std::int64_t>(), json.at("modified").get<std::string>()};
}

Json EntryJson(const ManifestEntry& entry) {
  Json drawing = {{"path", EncodedName(entry.drawing)}};
  if (entry.drawing_stamp) drawing.update(StampJson(*entry.drawing_stamp));
  if (!entry.drawing_sha256.empty()) drawing["sha256"] = entry.drawing_sha256;
  Json json = {
      {"drawing", drawing}, {"configuration", entry.configuration}, {"version", entry.version}};
  for (const auto& [outcome, word] : kOutcomeWords)
    if (outcome == entry.outcome) json["outcome"] = word;
  if (!entry.reason.empty()) json["reason"] = entry.reason;
  json["data-lines"] = entry.data_lines;
  Json counts = Json::object();
  for (const auto& [kind, count] : entry.counts)
    counts[kind] = count;
  json["counts"] = counts;
  if (entry.data_file) json["data-file"] = StampJson(*entry.data_file);
  return json;
}

ManifestEntry EntryFrom(const Json& json) {
  ManifestEntry entry;
  const Json& drawing = json.at("drawing");
  entry.drawing = DecodedName(drawing.at("path").get<std::string>());
  if (drawing.contains("size")) entry.drawing_stamp = StampFrom(drawing);
  entry.drawing_sha256 = drawing.value("sha256", "");
  entry.configuration = json.at("configuration").get<std::string>();
  entry.version = json.at("version").get<std::string>();
  const std::string outcome = json.at("outcome").get<std::string>();
  bool known = false;
  for (const auto& [value, word] : kOutcomeWords) {
    if (word == outcome) entry.outcome = value, known = true;
  }
  if (!known) throw std::invalid_argument("unknown outcome \"" + outcome + "\"");
  entry.reason = json.value("reason", "");
  entry.data_lines = json.at("data-lines").get<std::int64_t>();
  for (const auto& [kind, count] : json.at("counts").items())
    entry.counts.emplace_back(kind, count.get<std::int64_t>());
  if (json.contains("data-file")) entry.data_file = StampFrom(json.at("data-file"));
  return entry;
}

}  // namespace

FileStamp StampOf(std::int64_t size, std::int64_t modified_ns) {
  const std::time_t seconds = static_cast<std::time_t>(modified_ns / 1000000000);
  const long nanoseconds = static_cast<long>(modified_ns % 1000000000);
  std::tm utc = {};
  gmtime_r(&seconds, &utc);
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%09ldZ", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, nanoseconds);
  return {size, text};
}

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat info = {};
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  return StampOf(static_cast<std::int64_t>(info.st_size), ModifiedNanoseconds(info));
}

std::string ManifestJson(const Manifest& manifest) {
  Json files = Json::object();
  for (const auto& [name, entry] : manifest)
    files[EncodedName(name)] = EntryJson(entry);
  const Json json = {{"quorvex-manifest", kFormVersion}, {"files", files}};
  return json.dump(2) + "\n";
}

std::optional<Manifest> ParseManifest(std::string_view text, std::string& error) {
  try {
    const Json json = Json::parse(text);
    if (json.at("quorvex-manifest").get<int>() != kFormVersion)
      throw std::invalid_argument("a manifest of another form");
    Manifest manifest;
    for (const auto& [name, entry] : json.at("files").items())
      manifest[DecodedName(name)] = EntryFrom(entry);
    return manifest;
  } catch (const std::exception& exception) {
    error = exception.what();
    return std::nullopt;
  }
}

}  // namespace quorvex
