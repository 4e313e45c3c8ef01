#include "extended_settings.h"

namespace quorvex {
namespace {

void Append(std::string& key, bool value) {
  key.push_back(value ? '1' : '0');
}

void Append(std::string& key, const DataFormat& format) {
  // One name per member: a member added to DataFormat stops this from compiling until it is
  // named here, and so can never be left out of the key.
  const auto& [quote, mtext_plain, lf_line_ends, bom, decimal_comma] = format;
  for (const bool value : {quote, mtext_plain, lf_line_ends, bom, decimal_comma})
    Append(key, value);
}

}  // namespace

void AppendSettingsKey(const ExtendedSettings& settings, std::string& key) {
  // As above: every member of ExtendedSettings is named, or this does not compile.
  const auto& [format] = settings;
  Append(key, format);
}

}  // namespace quorvex
