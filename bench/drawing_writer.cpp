#include "drawing_writer.h"

namespace quorvex::bench {
namespace {

// Fixed handles of the objects that the tables and blocks refer to.
constexpr std::uint64_t kRootDictionary = 0xC;
constexpr std::uint64_t kLayerTable = 0x2;
constexpr std::uint64_t kBlockRecordTable = 0x1;
constexpr std::uint64_t kModelSpace = 0x1F;
constexpr std::uint64_t kPaperSpace = 0x1B;

std::string_view VersionName(DxfVersion version) {
  switch (version) {
    case DxfVersion::kR12:
      return "AC1009";
    case DxfVersion::kR2000:
      return "AC1015";
    case DxfVersion::kR2010:
      return "AC1024";
  }
  return "AC1009";
}

}  // namespace

DrawingWriter::DrawingWriter(const std::string& path, DxfVersion version)
    : DxfWriter(path), version_(version) {}

void DrawingWriter::Section(std::string_view name) {
  Text(0, "SECTION");
  Text(2, name);
}

void DrawingWriter::EndSection() {
  Text(0, "ENDSEC");
}

void DrawingWriter::HeaderVariable(std::string_view name) {
  Text(9, name);
}

void DrawingWriter::Prologue(const Extents& extents, const std::vector<std::string_view>& layers) {
  Section("HEADER");
  HeaderVariable("$ACADVER");
  Text(1, VersionName(version_));
  if (HasSubclasses()) {
    HeaderVariable("$ACADMAINTVER");
    Int(70, 6);
    HeaderVariable("$DWGCODEPAGE");
    Text(3, "ANSI_1252");
  }
  HeaderVariable("$INSBASE");
  Point(10, 0, 0, 0, 0);
  HeaderVariable("$EXTMIN");
  Point(10, extents.min_x, extents.min_y, extents.min_z, extents.decimals);
  HeaderVariable("$EXTMAX");
  Point(10, extents.max_x, extents.max_y, extents.max_z, extents.decimals);
  HeaderVariable("$LUNITS");
  Int(70, 2);
  HeaderVariable("$LUPREC");
  Int(70, 3);
  HeaderVariable("$HANDSEED");
  HexHandle(5, 0x7FFFFFFF);
  if (HasSubclasses()) {
    HeaderVariable("$INSUNITS");
    Int(70, 6);
  }
  EndSection();

  Section("TABLES");
  Text(0, "TABLE");
  Text(2, "LAYER");
  if (HasSubclasses()) {
    HexHandle(5, kLayerTable);
    HexHandle(330, 0);
    Subclass("AcDbSymbolTable");
  }
  Int(70, static_cast<std::int64_t>(layers.size()));
  for (std::size_t i = 0; i < layers.size(); ++i) {
    Text(0, "LAYER");
    if (HasSubclasses()) {
      NewHandle();
      HexHandle(330, kLayerTable);
      Subclass("AcDbSymbolTableRecord");
      Subclass("AcDbLayerTableRecord");
    }
    Text(2, layers[i]);
    Int(70, 0);
    Int(62, static_cast<std::int64_t>(1 + i % 255));
    Text(6, "CONTINUOUS");
    if (HasSubclasses()) {
      Int(370, -3);
      HexHandle(390, 0xF);
    }
  }
  Text(0, "ENDTAB");
  if (HasSubclasses()) {
    Text(0, "TABLE");
    Text(2, "BLOCK_RECORD");
    HexHandle(5, kBlockRecordTable);
    HexHandle(330, 0);
    Subclass("AcDbSymbolTable");
    Int(70, 2);
    for (const auto& [name, handle] :
         {std::pair<std::string_view, std::uint64_t>{"*Model_Space", kModelSpace},
          {"*Paper_Space", kPaperSpace}}) {
      Text(0, "BLOCK_RECORD");
      HexHandle(5, handle);
      HexHandle(330, kBlockRecordTable);
      Subclass("AcDbSymbolTableRecord");
      Subclass("AcDbBlockTableRecord");
      Text(2, name);
    }
    Text(0, "ENDTAB");
  }
  EndSection();
}

void DrawingWriter::BeginBlocks() {
  Section("BLOCKS");
  if (!HasSubclasses()) return;
  for (std::string_view name : {"*Model_Space", "*Paper_Space"}) {
    BeginBlock(name, "0");
    EndBlock("0");
  }
}

void DrawingWriter::BeginBlock(std::string_view name, std::string_view layer) {
  Entity("BLOCK", layer);
  Subclass("AcDbBlockBegin");
  Text(2, name);
  Int(70, 0);
  Point(10, 0, 0, 0, 0);
  Text(3, name);
  Text(1, "");
}

void DrawingWriter::EndBlock(std::string_view layer) {
  Entity("ENDBLK", layer);
  Subclass("AcDbBlockEnd");
}

void DrawingWriter::BeginEntities() {
  EndSection();
  Section("ENTITIES");
}

void DrawingWriter::Epilogue() {
  EndSection();
  if (HasSubclasses()) {
    Section("OBJECTS");
    Text(0, "DICTIONARY");
    HexHandle(5, kRootDictionary);
    HexHandle(330, 0);
    Subclass("AcDbDictionary");
    Int(281, 1);
    Text(3, "ACAD_GROUP");
    HexHandle(350, 0xD);
    Text(0, "DICTIONARY");
    HexHandle(5, 0xD);
    HexHandle(330, kRootDictionary);
    Subclass("AcDbDictionary");
    Int(281, 1);
    EndSection();
  }
  Text(0, "EOF");
  Finish();
}

void DrawingWriter::Entity(std::string_view name, std::string_view layer) {
  Text(0, name);
  NewHandle();
  if (HasSubclasses()) {
    HexHandle(330, kModelSpace);
    Subclass("AcDbEntity");
  }
  Text(8, layer);
}

void DrawingWriter::Subclass(std::string_view name) {
  if (HasSubclasses()) Text(100, name);
}

}  // namespace quorvex::bench
