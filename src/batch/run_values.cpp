#include "run_values.h"

#include "engine/option_values.h"
#include "engine/text_util.h"

namespace quorvex {

std::optional<Failure> CheckExtension(std::string_view extension) {
  constexpr std::size_t kCapacity = decltype(TExportConfig::DataFileExtension)::kCapacity;
  if (Trimmed(extension).empty() || extension.find('/') != std::string_view::npos ||
      extension.find('\0') != std::string_view::npos || extension.size() > kCapacity) {
    return Failure{Failure::Kind::kExtensionRefused, {}, std::string(extension)};
  }
  return std::nullopt;
}

std::optional<Failure> CheckRunValues(const TExportConfig& config) {
  for (int node = 0; node < kFieldNodeCount; ++node) {
    const OptionRule rule = OptionRuleOf(node);
    const std::string_view value =
        Trimmed(config.FieldValues[static_cast<std::size_t>(node)].View());
    // The conversion starts an empty counter at 1.
    if (rule == OptionRule::kInteger && value.empty()) continue;
    if (!SatisfiesOptionRule(rule, value)) {
      return Failure{Failure::Kind::kConfigValueRefused, {}, std::string(value), 0, {}, node};
    }
  }
  return CheckExtension(config.DataFileExtension.View());
}

std::optional<Failure> CheckOutputFormat(std::string_view separator, const DataFormat& format) {
  if (format.decimal_comma && separator.find(',') != std::string_view::npos)
    return Failure{Failure::Kind::kDecimalCommaWithComma, {}, std::string(separator)};
  return std::nullopt;
}

}  // namespace quorvex
