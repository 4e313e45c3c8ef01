#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dxf_writer.h"

namespace quorvex::bench {

enum class DxfVersion { kR12, kR2000, kR2010 };

/// The sections and entity heads of a drawing in the layout of one DXF version: R12 has no
/// owners and no subclass markers; R2000 and later give every object a handle, an owner and its
/// subclass markers, and hold the model-space block records.
class DrawingWriter : public DxfWriter {
 public:
  struct Extents {
    std::int64_t min_x, min_y, min_z, max_x, max_y, max_z;
    int decimals;
  };

  DrawingWriter(const std::string& path, DxfVersion version);

  /// The HEADER section and the TABLES section with one layer per name.
  void Prologue(const Extents& extents, const std::vector<std::string_view>& layers);
  /// Opens the BLOCKS section (with the model- and paper-space blocks where the version has
  /// them); each block is written as BeginBlock, its entities, EndBlock.
  void BeginBlocks();
  void BeginBlock(std::string_view name, std::string_view layer);
  void EndBlock(std::string_view layer);
  /// Closes BLOCKS and opens ENTITIES.
  void BeginEntities();
  /// Closes ENTITIES, writes the OBJECTS section where the version has one, EOF, and the file.
  void Epilogue();

  /// The head of an entity: "0" and its name, handle, owner and AcDbEntity marker where the
  /// version has them, then the layer.
  void Entity(std::string_view name, std::string_view layer);
  /// A subclass marker; nothing in R12.
  void Subclass(std::string_view name);
  bool HasSubclasses() const { return version_ != DxfVersion::kR12; }

 private:
  void Section(std::string_view name);
  void EndSection();
  void HeaderVariable(std::string_view name);

  DxfVersion version_;
};

}  // namespace quorvex::bench
