#include "field_captions.h"

#include "quoted_field.h"

namespace quorvex {

const std::array<std::string_view, kFieldNodeCount> FieldCaptions = {"Line Number",
                                                                     "Prefix :",
                                                                     "Start at :",
                                                                     "X (East) coordinate",
                                                                     "Prefix :",
                                                                     "Decimals :",
                                                                     "Y (North) coordinate",
                                                                     "Prefix :",
                                                                     "Decimals :",
                                                                     "Z (Elevation) coordinate",
                                                                     "Prefix :",
                                                                     "Decimals :",
                                                                     "Force to :",
                                                                     "Entity Type",
                                                                     "Prefix :",
                                                                     "Entity Layer",
                                                                     "Prefix :",
                                                                     "Entity Handle",
                                                                     "Prefix :",
                                                                     "Block Name",
                                                                     "Prefix :",
                                                                     "Text String",
                                                                     "Prefix :",
                                                                     "Label",
                                                                     "Prefix :",
                                                                     "Label :",
                                                                     "Sequential Number",
                                                                     "Prefix :",
                                                                     "Start at :",
                                                                     "Group Number",
                                                                     "Prefix :",
                                                                     "Start at :"};

std::string_view HeaderCaption(int field_node, const ExtendedSettings& extended) {
  if (IsAttributeNode(field_node)) {
    const AttributeColumn& column = extended.attributes[AttributeColumnOf(field_node)];
    return column.caption.empty() ? column.tag : column.caption;
  }
  const std::size_t place = DataFieldPlace(field_node);
  if (place < extended.captions.size() && !extended.captions[place].empty())
    return extended.captions[place];
  return FieldCaptions[static_cast<std::size_t>(field_node)];
}

std::string BuildHeaderLine(const RunTables& tables, std::string_view separator,
                            const ExtendedSettings& extended) {
  std::string line;
  bool first = true;
  for (const std::int32_t node : tables.FieldOrder) {
    if (!IsRunField(node, extended.attributes.size())) continue;
    if (!first) line.append(separator);
    first = false;
    const std::string_view caption = HeaderCaption(node, extended);
    if (extended.format.quote && NeedsQuotes(caption, separator))
      AppendQuoted(line, caption);
    else
      line.append(caption);
  }
  return line;
}

}  // namespace quorvex
