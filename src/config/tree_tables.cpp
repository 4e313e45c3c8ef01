#include "config/tree_tables.h"

#include "config/data_nodes.h"
#include "engine/field_captions.h"

namespace quorvex {

const std::array<std::string_view, kEntityNodeCount> EntityCaptions = {
    "Points",         "Circles",
    "Arcs",           "Start Point",
    "End Point",      "Center",
    "Ellipses",       "Lines",
    "Start Point",    "End Point",
    "MultiLine Text", "SingleLine Text",
    "2D Polylines",   "Include Spline/Curve points",
    "3D Polylines",   "Include Spline points",
    "Splines",        "Control points",
    "Fit points",     "3D Faces",
    "First Point",    "Second Point",
    "Third Point",    "Fourth Point",
    "Blocks"};

const std::array<std::string_view, kEntityNodeCount> EntityHints = {
    "Export Points coordinates",
    "Export Circles Center coordinates",
    "Export Arcs coordinates",
    "Export Arcs Start Point coordinates",
    "Export Arcs End Point coordinates",
    "Export Arcs Center coordinates",
    "Export Ellipses Center coordinates",
    "Export Lines coordinates",
    "Export Lines Start Point coordinates",
    "Export Lines End Point coordinates",
    "Export MTexts Insertion Point coordinates and/or text string",
    "Export Texts Insertion Point Insertion Point coordinates and/or text string",
    "Export 2D Polylines Vertices coordinates",
    "Export also Spline-fit or Curve-fit Vertices coordinates",
    "Export 3D Polylines Vertices coordinates",
    "Export also Spline-fit Vertices coordinates",
    "Export Splines Vertices coordinates",
    "Export Splines Control Points coordinates",
    "Export Splines Fit Points coordinates",
    "Export 3DFaces Corner Points coordinates",
    "Export 3DFaces First Point coordinates",
    "Export 3DFaces Second Point coordinates",
    "Export 3DFaces Third Point coordinates",
    "Export 3DFaces Fourth Point coordinates",
    "Export block Insertion Point coordinates and/or block name"};

const std::array<int, kEntityNodeCount> EntityChildCounts = {1, 1, 4, 0, 0, 0, 1, 3, 0, 0, 1, 1, 2,
                                                             0, 2, 0, 3, 0, 0, 5, 0, 0, 0, 0, 1};

const std::array<int, kFieldNodeCount> FieldChildCounts = {
    3, 0, 0, 3, 0, 0, 3, 0, 0, 4, 0, 0, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 3, 0, 0, 3, 0, 0, 3, 0, 0};

const std::array<std::string_view, kFieldNodeCount> FieldHints = {
    "Export a unique number for each line of the Data file",
    "Prefix to use for this number",
    "Start numbering at :",
    "Export the X (East) coordinate",
    "Prefix to use for the X coordinate",
    "Number of decimals to use for the X coordinate",
    "Export the Y (North) coordinate",
    "Prefix to use for the Y coordinate",
    "Number of decimals to use for the Y coordinate",
    "Export the Z (Elevation) coordinate",
    "Prefix to use for the Z coordinate",
    "Number of decimals to use for the Z coordinate",
    "Force the Z coordinate to this value (decimal value)",
    "Export the Entity Type (its AutoCAD name) of the entity ",
    "Prefix to use",
    "Export the Layer Name of the entity",
    "Prefix to use",
    "Export the Entity Handle (a unique string assigned to the entity by AutoCAD) of the entity",
    "Prefix to use",
    "Export the Block Name if the entity is an AutoCAD BLOCK entity",
    "Prefix to use",
    "Export the Text String if the entity is an AutoCAD TEXT or MTEXT entity ",
    "Prefix to use",
    "Export a constant text string of your choice ",
    "Prefix to use",
    "Enter the text string",
    "Export a unique number assigned to each processed coordinate. For entities that have more "
    "\r\n than 1 coordinate point  (polylines, lines ...), the number is different for each "
    "point.",
    "Prefix to use",
    "Start numbering at :",
    "Export a number assigned to each processed entity. For entities that have more \r\nthan 1 "
    "coordinate point (polylines, lines ...), the number is the same for each point",
    "Prefix to use",
    "Start numbering at :"};

namespace {

constexpr std::string_view kDxfDataSuffix = " - (DXF Data : this data is taken from the DXF file)";

// The attribute column of `node`, or null.
const AttributeColumn* ColumnOf(int node, const ExtendedSettings& extended) {
  if (!IsAttributeNode(node) || AttributeColumnOf(node) >= extended.attributes.size())
    return nullptr;
  return &extended.attributes[AttributeColumnOf(node)];
}

}  // namespace

bool IsCustomDataField(int field_node) {
  return field_node == field_node::kLineNumber || field_node == field_node::kLabel ||
         field_node == field_node::kSequentialNumber || field_node == field_node::kGroupNumber;
}

std::string_view FieldHintSuffix(int field_node) {
  if (field_node < 0 || field_node >= kFieldNodeCount || FieldChildCounts[field_node] == 0)
    return {};
  return IsCustomDataField(field_node)
             ? " - (Custom Data : you can use your own values for this data)"
             : kDxfDataSuffix;
}

std::string DataNodeCaption(int node, const ExtendedSettings& extended) {
  if (IsRecordNode(node)) return std::string(FieldCaptions[static_cast<std::size_t>(node)]);
  if (IsCaptionNode(node)) return "Caption :";
  const AttributeColumn* column = ColumnOf(node, extended);
  if (!column) return {};
  return IsAttributeField(node) ? "Attribute " + column->tag : "Prefix :";
}

std::string DataNodeHint(int node, const ExtendedSettings& extended) {
  if (IsRecordNode(node))
    return std::string(FieldHints[static_cast<std::size_t>(node)]) +
           std::string(FieldHintSuffix(node));
  if (IsCaptionNode(node))
    return "Name of the column in the first line of the file; empty: its own";
  const AttributeColumn* column = ColumnOf(node, extended);
  if (!column) return {};
  if (!IsAttributeField(node)) return "Prefix to use";
  return "Export the value of the attribute " + column->tag +
         " of each block insert, empty where it has none" + std::string(kDxfDataSuffix);
}

std::string_view DataNodeValue(int node, const TExportConfig& record,
                               const ExtendedSettings& extended) {
  if (IsRecordNode(node)) return record.FieldValues[static_cast<std::size_t>(node)].View();
  if (!IsAttributeNode(node)) {
    const std::size_t place = DataFieldPlace(FieldOfCaptionNode(node));
    return place < extended.captions.size() ? std::string_view(extended.captions[place])
                                            : std::string_view();
  }
  const AttributeColumn* column = ColumnOf(node, extended);
  if (!column || IsAttributeField(node)) return {};
  return IsCaptionNode(node) ? column->caption : column->prefix;
}

}  // namespace quorvex
