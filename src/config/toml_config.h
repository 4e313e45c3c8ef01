#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/config_file.h"
#include "config/config_tree.h"

namespace quorvex {

/// The text form of a configuration, in TOML: the settings a person reads and changes (extension,
/// separator, header line, block names, the checked kinds and options, the settings beyond the
/// record that are not at their defaults, the data fields in their order with their export
/// state and options), then [window], how the window shows the trees,
/// then, only when there is any, [stored]: what the file holds that neither says (bytes left
/// behind shorter texts, node states no rule makes, texts that are not UTF-8). Reading the text
/// back gives the same configuration, byte for byte. A comment under the heading names
/// `ansi_texts`, the keys of the texts that the file read held in another code page and that
/// were read as ANSI_1252 (ConfigRead).
std::string ConfigToml(const ConfigContent& content,
                       const std::vector<std::string>& ansi_texts = {});

/// The keys of the settings beyond the record that are not at their defaults, joined by ", " in
/// the order the text form writes them: what a .qrv file of the configuration cannot keep. Empty
/// when there is none.
std::string ExtendedKeys(const ExtendedSettings& extended);

/// Reads the text form. A setting left out takes the value of the default configuration; data
/// fields left out follow the ones listed, in the default order; a [window] table or key left
/// out expands and selects nothing and disables the options of unchecked kinds and fields, as
/// the window's rules do. Text that is not TOML fails with kConfigNotToml; unknown keys, wrong
/// types, unknown words, texts longer than their slot and a text that holds no setting at all
/// with kConfigTomlRefused. Either names `path` and the line, and says why in `text`.
ConfigRead ParseConfigToml(std::string_view text, const std::string& path);

}  // namespace quorvex
