#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export_config.h"
#include "failure.h"

namespace quorvex {

/// A name of a drawing and how many times it was met.
struct NameCount {
  std::string name;
  std::int64_t count = 0;
};

/// An inserted block: its name, its inserts and the tags of the attributes they carry.
struct InsertedBlock {
  std::string name;
  std::int64_t inserts = 0;
  std::vector<std::string> tags;  // in order of first appearance
};

/// What a user needs to know of a drawing to choose what to export: the entities of its
/// ENTITIES section counted by layer, by block and by kind. Names are decoded to UTF-8 as the
/// data files write them, and a name that differs from an earlier one only in the case of a-z
/// counts with it, under the spelling that came first.
struct DrawingInfo {
  std::string version;          // $ACADVER as the header spells it; empty when it has none
  std::string code_page_named;  // $DWGCODEPAGE likewise
  std::string code_page_used;   // what the texts are decoded from, as the report names it
  /// The layers of the layer table, then those that only entities name, with their entities;
  /// an entity without a layer is counted under the name the data files give it, "!NoLayer!".
  std::vector<NameCount> layers;
  /// The blocks that the drawing inserts, in order of their first insert.
  std::vector<InsertedBlock> blocks;
  /// The entities that each kind of the export takes (a POLYLINE by its flags, as the
  /// conversion tells 2D from 3D polylines and meshes).
  std::array<std::int64_t, kEntityKindCount> kinds{};
  /// Entities that no kind takes, by name, in order of first appearance.
  std::vector<NameCount> other_entities;
};

/// The information of a drawing, or why it could not be had.
struct DrawingInfoRead {
  std::optional<DrawingInfo> info;
  std::optional<Failure> failure;  // kDxfUnreadable, kNotDxf
};

/// Reads the drawing at `dxf_path`, as a conversion would (`code_page`, a name of
/// ChoosableCodePages or empty, as the run's), and counts its entities, writing nothing. An
/// entity is one of the ENTITIES section: the vertices of a polyline and the attributes of an
/// insert (up to their SEQEND) belong to it and are not counted themselves.
DrawingInfoRead ReadDrawingInfo(const std::string& dxf_path, std::string_view code_page = {});

/// The same over a drawing held in memory.
DrawingInfoRead DrawingInfoOfText(std::string_view dxf_text, std::string_view code_page = {});

}  // namespace quorvex
