#pragma once

#include <array>
#include <string>
#include <vector>

#include "attribute_columns.h"
#include "blocks/expansion_settings.h"
#include "data_format.h"
#include "export_config.h"

namespace quorvex {

/// The export settings beyond the configuration record: those a .qrv file has no room for, so
/// that the TOML form of a configuration is the only one that keeps them. Each is off, or empty,
/// by default, and then a run writes exactly what the record alone asks for.
///
/// A setting added here gets its key in the TOML form (read and written with the others in
/// config/toml_config_*), is named by that key when a .qrv save would drop it, is handed to
/// the conversion through the run's request, and is written into AppendSettingsKey (which does
/// not compile until it is).
struct ExtendedSettings {
  /// How data files are written for other programs: the keys quote, mtext-plain, line-ends,
  /// bom and decimal-comma.
  DataFormat format;
  /// Layer-name patterns, comma-separated, as the block-name filter reads them: only entities
  /// of a matching layer are exported and counted. The key layers; empty lets every layer in.
  std::string layers;
  /// The code page that every drawing's texts are decoded from, named as a drawing's header
  /// names it ("ANSI_1251"), whatever the header says. The key code-page; empty: the header's.
  std::string code_page;
  /// Captions that replace the header's captions of the record's data fields, by the fields'
  /// places in kDataFieldNodes; an empty one leaves the field's own: the key caption of their
  /// [[fields]] tables.
  std::array<std::string, kDataFieldCount> captions{};
  /// The attribute columns, column i at the field node index AttributeFieldNode(i): the
  /// [[fields]] tables named attrib:TAG.
  std::vector<AttributeColumn> attributes;
  /// Block contents in world coordinates: the keys expand-blocks and expand-limit.
  ExpansionSettings expansion;

  friend bool operator==(const ExtendedSettings&, const ExtendedSettings&) = default;
};

/// Appends every setting of `settings` to `key`, so that the keys of two settings are equal
/// exactly when the settings are: what a record of the run compares to tell whether the
/// settings that wrote a data file have changed.
void AppendSettingsKey(const ExtendedSettings& settings, std::string& key);

}  // namespace quorvex
