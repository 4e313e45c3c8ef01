#include "dxf_generator.h"

#include <array>
#include <string_view>
#include <vector>

#include "drawing_writer.h"
#include "prng.h"

namespace quorvex::bench {
namespace {

// The corner of the area every drawing covers, in metres of the national grid.
constexpr std::int64_t kEastBase = 2'600'000;
constexpr std::int64_t kNorthBase = 1'200'000;

constexpr std::int64_t Power10(int n) {
  std::int64_t p = 1;
  for (int i = 0; i < n; ++i)
    p *= 10;
  return p;
}

// ------------------------------------------------------------------------------------------
// Survey drawing: measured points in strings along features, every tenth one labelled.

void WriteSurvey(DrawingWriter& out, std::int64_t points) {
  constexpr int kDecimals = 3;
  constexpr std::int64_t kMetre = Power10(kDecimals);
  const std::vector<std::string_view> layers = {
      "PT_GROUND",   "PT_BUILDING", "PT_FENCE", "PT_ROAD_EDGE", "PT_KERB",
      "PT_TREE",     "PT_MANHOLE",  "PT_WATER", "PT_WALL",      "PT_STATION",
      "PT_HYDRANT",  "PT_LAMP",     "PT_SIGN",  "PT_BRIDGE",    "PT_BOUNDARY",
      "TX_POINT_NO", "TX_HEIGHT",   "TX_CODE",  "TX_NAME",      "TX_NOTE"};
  constexpr std::size_t kPointLayers = 15;
  constexpr std::array<std::string_view, 8> kCodes = {"BLD", "FNC", "RD", "KB",
                                                      "TR",  "MH",  "WL", "GRD"};
  Prng rng(0x5EED0001);
  out.Prologue({kEastBase * kMetre, kNorthBase * kMetre, 380 * kMetre, (kEastBase + 6000) * kMetre,
                (kNorthBase + 4000) * kMetre, 920 * kMetre, kDecimals},
               layers);
  out.BeginBlocks();
  out.BeginEntities();

  std::int64_t x = 0, y = 0, z = 0, left_in_string = 0;
  std::size_t layer = 0;
  for (std::int64_t i = 0; i < points; ++i) {
    if (left_in_string == 0) {
      left_in_string = rng.Between(5, 60);
      layer = static_cast<std::size_t>(rng.Between(0, kPointLayers - 1));
      x = (kEastBase + rng.Between(0, 6000)) * kMetre + rng.Between(0, kMetre - 1);
      y = (kNorthBase + rng.Between(0, 4000)) * kMetre + rng.Between(0, kMetre - 1);
      z = rng.Between(400 * kMetre, 900 * kMetre);
    }
    --left_in_string;
    x += rng.Between(-20 * kMetre, 20 * kMetre);
    y += rng.Between(-20 * kMetre, 20 * kMetre);
    z += rng.Between(-500, 500);
    out.Entity("POINT", layers[layer]);
    out.Subclass("AcDbPoint");
    out.Point(10, x, y, z, kDecimals);
    if (i % 10 != 9) continue;

    const std::size_t text_layer = kPointLayers + static_cast<std::size_t>(rng.Between(0, 4));
    std::string label;
    if (text_layer == kPointLayers + 1) {
      label = std::to_string(z / kMetre) + "." + std::to_string(z % kMetre / 10 + 100).substr(1);
    } else if (text_layer == kPointLayers + 2) {
      label = kCodes[static_cast<std::size_t>(rng.Between(0, kCodes.size() - 1))];
    } else {
      label = std::to_string(100000 + i);
    }
    out.Entity("TEXT", layers[text_layer]);
    out.Subclass("AcDbText");
    out.Point(10, x + 200, y + 200, z, kDecimals);
    out.Real(40, 250, kDecimals);
    out.Text(1, label);
    if (rng.Percent(30)) out.Real(50, rng.Between(0, 359'999), kDecimals);
    out.Subclass("AcDbText");
  }
  out.Epilogue();
}

// ------------------------------------------------------------------------------------------
// Mixed drawing: the geometry of a site plan, with the full digits of computed coordinates.

class MixedDrawing {
 public:
  explicit MixedDrawing(DrawingWriter& out) : out_(out), rng_(0x5EED0002) {}

  void Write(std::uint64_t target_bytes) {
    out_.Prologue({kEastBase * kMetre, kNorthBase * kMetre, 0, (kEastBase + 5000) * kMetre,
                   (kNorthBase + 5000) * kMetre, 900 * kMetre, kDecimals},
                  kLayers);
    out_.BeginBlocks();
    for (std::string_view block : kBlocks)
      WriteBlock(block);
    out_.BeginEntities();
    while (out_.BytesWritten() < target_bytes) {
      const std::int64_t pick = rng_.Between(0, 99);
      if (pick < 22) {
        Line();
      } else if (pick < 36) {
        LwPolyline();
      } else if (pick < 43) {
        Polyline2D();
      } else if (pick < 49) {
        Polyline3D();
      } else if (pick < 58) {
        Circle();
      } else if (pick < 67) {
        Arc();
      } else if (pick < 71) {
        Ellipse();
      } else if (pick < 81) {
        Insert();
      } else if (pick < 86) {
        Spline();
      } else if (pick < 95) {
        Face();
      } else {
        MText();
      }
    }
    out_.Epilogue();
  }

 private:
  static constexpr int kDecimals = 9;
  static constexpr std::int64_t kMetre = Power10(kDecimals);
  inline static const std::vector<std::string_view> kLayers = {
      "0",          "ROAD_EDGE",  "ROAD_AXIS",  "KERB",       "BUILDING", "FENCE",        "WALL",
      "DRAIN",      "SEWER",      "WATER_MAIN", "GAS",        "ELECTRIC", "TREES",        "LAMPS",
      "TERRAIN_3D", "BREAKLINES", "ANNOTATION", "DIMENSIONS", "BOUNDARY", "HATCH_OUTLINE"};
  static constexpr std::array<std::string_view, 4> kBlocks = {"TREE", "MANHOLE", "LAMP_POST",
                                                              "SURVEY_MARK"};

  std::string_view Layer() {
    return kLayers[static_cast<std::size_t>(rng_.Between(0, kLayers.size() - 1))];
  }

  // Computed coordinates carry all their digits; four in ten were snapped to the millimetre.
  std::int64_t Snapped(std::int64_t value) {
    constexpr std::int64_t kMillimetre = kMetre / 1000;
    return rng_.Percent(40) ? value / kMillimetre * kMillimetre : value;
  }
  std::int64_t East() { return Snapped(kEastBase * kMetre + rng_.Between(0, 5000 * kMetre)); }
  std::int64_t North() { return Snapped(kNorthBase * kMetre + rng_.Between(0, 5000 * kMetre)); }
  std::int64_t Height() { return Snapped(rng_.Between(400 * kMetre, 900 * kMetre)); }
  std::int64_t Offset(std::int64_t metres) {
    return Snapped(rng_.Between(-metres * kMetre, metres * kMetre));
  }

  // Colour, line type and line weight that some entities carry after their layer.
  void Properties() {
    if (rng_.Percent(10)) out_.Text(6, "DASHED");
    if (rng_.Percent(15)) out_.Int(62, rng_.Between(1, 255));
    if (rng_.Percent(10)) out_.Int(370, 25);
  }

  void Extrusion(bool flipped) {
    if (flipped) out_.Point(210, 0, 0, -1, 0);
  }

  void WriteBlock(std::string_view name) {
    out_.BeginBlock(name, "0");
    out_.Entity("CIRCLE", "0");
    out_.Subclass("AcDbCircle");
    out_.Point(10, 0, 0, 0, 0);
    out_.Real(40, kMetre / 2, kDecimals);
    for (int i = 0; i < 2; ++i) {
      out_.Entity("LINE", "0");
      out_.Subclass("AcDbLine");
      out_.Point(10, -kMetre / 2 * (1 - i), -kMetre / 2 * i, 0, kDecimals);
      out_.Point(11, kMetre / 2 * (1 - i), kMetre / 2 * i, 0, kDecimals);
    }
    out_.EndBlock("0");
  }

  void Line() {
    out_.Entity("LINE", Layer());
    Properties();
    out_.Subclass("AcDbLine");
    const std::int64_t x = East(), y = North(), z = rng_.Percent(60) ? 0 : Height();
    out_.Point(10, x, y, z, kDecimals);
    out_.Point(11, x + Offset(80), y + Offset(80), z == 0 ? 0 : z + Offset(2), kDecimals);
  }

  void LwPolyline() {
    const bool flipped = rng_.Percent(10);
    const std::int64_t count = rng_.Between(4, 30);
    const std::int64_t elevation = rng_.Percent(50) ? Height() : 0;
    out_.Entity("LWPOLYLINE", Layer());
    Properties();
    out_.Subclass("AcDbPolyline");
    out_.Int(90, count, 9);
    out_.Int(70, rng_.Percent(30) ? 1 : 0);
    out_.Real(43, 0, kDecimals);
    if (elevation != 0) out_.Real(38, flipped ? -elevation : elevation, kDecimals);
    std::int64_t x = East(), y = North();
    for (std::int64_t i = 0; i < count; ++i) {
      out_.Real(10, flipped ? -x : x, kDecimals);
      out_.Real(20, y, kDecimals);
      if (rng_.Percent(10)) out_.Real(42, rng_.Between(-kMetre, kMetre), kDecimals);
      x += Offset(25);
      y += Offset(25);
    }
    Extrusion(flipped);
  }

  // The vertices and closing SEQEND of a heavy polyline; `flags` gives each vertex's group 70
  // (0: none written).
  template <typename VertexFlags>
  void Vertices(std::string_view layer, std::string_view vertex_subclass, std::int64_t count,
                bool flipped, bool with_height, VertexFlags flags) {
    std::int64_t x = East(), y = North(), z = Height();
    for (std::int64_t i = 0; i < count; ++i) {
      out_.Entity("VERTEX", layer);
      out_.Subclass("AcDbVertex");
      out_.Subclass(vertex_subclass);
      out_.Point(10, flipped ? -x : x, y, with_height ? z : 0, kDecimals);
      if (const int f = flags(i)) out_.Int(70, f);
      x += Offset(20);
      y += Offset(20);
      z += Offset(1);
    }
    out_.Entity("SEQEND", layer);
  }

  void Polyline2D() {
    const bool flipped = rng_.Percent(10);
    const bool spline_fit = rng_.Percent(10);
    const std::string_view layer = Layer();
    const std::int64_t elevation = Height();
    out_.Entity("POLYLINE", layer);
    Properties();
    out_.Subclass("AcDb2dPolyline");
    out_.Int(66, 1);
    out_.Point(10, 0, 0, flipped ? -elevation : elevation, kDecimals);
    out_.Int(70, (rng_.Percent(30) ? 1 : 0) | (spline_fit ? 4 : 0));
    Extrusion(flipped);
    Vertices(layer, "AcDb2dVertex", rng_.Between(5, 40), flipped, false,
             [&](std::int64_t i) { return spline_fit ? (i % 3 == 0 ? 16 : 8) : 0; });
  }

  void Polyline3D() {
    const bool spline_fit = rng_.Percent(10);
    const std::string_view layer = Layer();
    out_.Entity("POLYLINE", layer);
    Properties();
    out_.Subclass("AcDb3dPolyline");
    out_.Int(66, 1);
    out_.Point(10, 0, 0, 0, 0);
    out_.Int(70, 8 | (spline_fit ? 4 : 0));
    Vertices(layer, "AcDb3dPolylineVertex", rng_.Between(5, 40), false, true,
             [&](std::int64_t i) { return spline_fit ? (i % 3 == 0 ? 48 : 40) : 32; });
  }

  void Circle() {
    const bool flipped = rng_.Percent(10);
    out_.Entity("CIRCLE", Layer());
    Properties();
    out_.Subclass("AcDbCircle");
    const std::int64_t x = East(), z = rng_.Percent(70) ? 0 : Height();
    out_.Point(10, flipped ? -x : x, North(), flipped ? -z : z, kDecimals);
    out_.Real(40, Snapped(rng_.Between(kMetre / 10, 30 * kMetre)), kDecimals);
    Extrusion(flipped);
  }

  void Arc() {
    const bool flipped = rng_.Percent(10);
    out_.Entity("ARC", Layer());
    Properties();
    out_.Subclass("AcDbCircle");
    const std::int64_t x = East(), z = rng_.Percent(70) ? 0 : Height();
    out_.Point(10, flipped ? -x : x, North(), flipped ? -z : z, kDecimals);
    out_.Real(40, Snapped(rng_.Between(kMetre / 10, 60 * kMetre)), kDecimals);
    Extrusion(flipped);
    out_.Subclass("AcDbArc");
    out_.Real(50, rng_.Between(0, 360 * kMetre - 1), kDecimals);
    out_.Real(51, rng_.Between(0, 360 * kMetre - 1), kDecimals);
  }

  void Ellipse() {
    out_.Entity("ELLIPSE", Layer());
    Properties();
    out_.Subclass("AcDbEllipse");
    out_.Point(10, East(), North(), 0, kDecimals);
    out_.Point(11, Offset(20), Offset(20), 0, kDecimals);
    out_.Point(210, 0, 0, 1, 0);
    out_.Real(40, rng_.Between(kMetre / 5, kMetre), kDecimals);
    out_.Real(41, 0, kDecimals);
    out_.Real(42, 6'283'185'307, kDecimals);
  }

  void Insert() {
    const bool flipped = rng_.Percent(10);
    const bool attributes = rng_.Percent(20);
    const std::string_view layer = Layer();
    const std::int64_t x = East(), y = North(), z = rng_.Percent(50) ? 0 : Height();
    out_.Entity("INSERT", layer);
    Properties();
    out_.Subclass("AcDbBlockReference");
    if (attributes) out_.Int(66, 1);
    out_.Text(2, kBlocks[static_cast<std::size_t>(rng_.Between(0, kBlocks.size() - 1))]);
    out_.Point(10, flipped ? -x : x, y, flipped ? -z : z, kDecimals);
    if (rng_.Percent(30)) {
      const std::int64_t scale = rng_.Between(kMetre / 2, 3 * kMetre);
      out_.Real(41, scale, kDecimals);
      out_.Real(42, scale, kDecimals);
      out_.Real(43, scale, kDecimals);
    }
    if (rng_.Percent(50)) out_.Real(50, rng_.Between(0, 360 * kMetre - 1), kDecimals);
    Extrusion(flipped);
    if (!attributes) return;
    out_.Entity("ATTRIB", layer);
    out_.Subclass("AcDbText");
    out_.Point(10, x + kMetre, y, z, kDecimals);
    out_.Real(40, kMetre / 4, kDecimals);
    out_.Text(1, std::to_string(rng_.Between(1, 99999)));
    out_.Subclass("AcDbAttribute");
    out_.Text(2, "NUMBER");
    out_.Int(70, 0);
    out_.Entity("SEQEND", layer);
  }

  void Spline() {
    const std::int64_t controls = rng_.Between(6, 12);
    const std::int64_t fits = rng_.Percent(50) ? rng_.Between(4, 8) : 0;
    out_.Entity("SPLINE", Layer());
    Properties();
    out_.Subclass("AcDbSpline");
    out_.Point(210, 0, 0, 1, 0);
    out_.Int(70, fits > 0 ? 1064 : 8);
    out_.Int(71, 3);
    out_.Int(72, controls + 4);
    out_.Int(73, controls);
    out_.Int(74, fits);
    out_.Real(42, 1, 10);
    out_.Real(43, 1, 10);
    if (fits > 0) {
      out_.Real(44, 1, 10);
      out_.Point(12, Offset(1), Offset(1), 0, kDecimals);
      out_.Point(13, Offset(1), Offset(1), 0, kDecimals);
    }
    std::int64_t knot = 0;
    for (std::int64_t i = 0; i < controls + 4; ++i) {
      if (i >= 4 && i <= controls) knot += rng_.Between(kMetre, 40 * kMetre);
      out_.Real(40, knot, kDecimals);
    }
    std::int64_t x = East(), y = North();
    const std::int64_t z = rng_.Percent(70) ? 0 : Height();
    for (std::int64_t i = 0; i < controls; ++i) {
      out_.Point(10, x, y, z, kDecimals);
      x += Offset(15);
      y += Offset(15);
    }
    for (std::int64_t i = 0; i < fits; ++i) {
      out_.Point(11, x, y, z, kDecimals);
      x += Offset(15);
      y += Offset(15);
    }
  }

  void Face() {
    out_.Entity("3DFACE", Layer());
    Properties();
    out_.Subclass("AcDbFace");
    const std::int64_t x = East(), y = North(), z = Height();
    const std::int64_t corners[4][3] = {{x, y, z},
                                        {x + Offset(10), y + Offset(10), z + Offset(1)},
                                        {x + Offset(10), y + Offset(10), z + Offset(1)},
                                        {x + Offset(10), y + Offset(10), z + Offset(1)}};
    const bool triangle = rng_.Percent(60);
    for (int i = 0; i < 4; ++i) {
      const auto& corner = corners[triangle && i == 3 ? 2 : i];
      out_.Point(10 + i, corner[0], corner[1], corner[2], kDecimals);
    }
    if (rng_.Percent(20)) out_.Int(70, 1);
  }

  void MText() {
    static constexpr std::array<std::string_view, 24> kWords = {
        "Existing", "ground",   "level",
        "verified", "by",       "survey",
        "on",       "site",     "\\P",
        "drain",    "DN300",    "to",
        "be",       "moved",    "see",
        "detail",   "%%c150",   "kerb",
        "line",     "boundary", "{\\fArial|b1|i0|c0|p34;Note:}",
        "marker",   "\\A1;",    "approx."};
    const std::int64_t length = rng_.Between(300, 2000);
    std::string text;
    while (static_cast<std::int64_t>(text.size()) < length) {
      if (!text.empty()) text.push_back(' ');
      text.append(kWords[static_cast<std::size_t>(rng_.Between(0, kWords.size() - 1))]);
    }
    out_.Entity("MTEXT", "ANNOTATION");
    out_.Subclass("AcDbMText");
    out_.Point(10, East(), North(), 0, kDecimals);
    out_.Real(40, kMetre / 2, kDecimals);
    out_.Real(41, 40 * kMetre, kDecimals);
    out_.Int(71, 1);
    out_.Int(72, 5);
    // Pieces of 250 characters in groups 3, the rest in group 1, as CAD programs split them.
    constexpr std::size_t kPiece = 250;
    std::size_t at = 0;
    for (; text.size() - at > kPiece; at += kPiece)
      out_.Text(3, std::string_view(text).substr(at, kPiece));
    out_.Text(1, std::string_view(text).substr(at));
    out_.Text(7, "Standard");
    out_.Point(210, 0, 0, 1, 0);
    out_.Point(11, 1, 0, 0, 0);
    out_.Int(73, 1);
    out_.Real(44, 1, 0);
  }

  DrawingWriter& out_;
  Prng rng_;
};

// ------------------------------------------------------------------------------------------
// Contour drawing: interpolated contours and break lines of a terrain model, R12.

void WriteContours(DrawingWriter& out, std::uint64_t target_bytes) {
  constexpr int kDecimals = 4;
  constexpr std::int64_t kMetre = Power10(kDecimals);
  const std::vector<std::string_view> layers = {
      "0",           "CONTOUR_MINOR", "CONTOUR_MAJOR", "BREAKLINE",  "RIDGE",
      "SPOT_HEIGHT", "SPOT_TEXT",     "BOUNDARY",      "WATER_EDGE", "TERRAIN_EDGE"};
  Prng rng(0x5EED0003);
  out.Prologue({kEastBase * kMetre, kNorthBase * kMetre, 380 * kMetre, (kEastBase + 8000) * kMetre,
                (kNorthBase + 8000) * kMetre, 920 * kMetre, kDecimals},
               layers);
  out.BeginBlocks();
  out.BeginEntities();
  auto start = [&](std::int64_t& x, std::int64_t& y) {
    x = kEastBase * kMetre + rng.Between(0, 8000 * kMetre);
    y = kNorthBase * kMetre + rng.Between(0, 8000 * kMetre);
  };
  while (out.BytesWritten() < target_bytes) {
    const std::int64_t pick = rng.Between(0, 99);
    std::int64_t x, y;
    start(x, y);
    if (pick < 70) {
      const std::int64_t metres = rng.Between(400, 900);
      const std::string_view layer = metres % 5 == 0 ? "CONTOUR_MAJOR" : "CONTOUR_MINOR";
      out.Entity("POLYLINE", layer);
      out.Int(66, 1);
      out.Point(10, 0, 0, metres * kMetre, kDecimals);
      out.Int(70, rng.Percent(40) ? 1 : 0);
      for (std::int64_t i = rng.Between(20, 300); i > 0; --i) {
        out.Entity("VERTEX", layer);
        out.Point(10, x, y, 0, kDecimals);
        x += rng.Between(-5 * kMetre, 5 * kMetre);
        y += rng.Between(-5 * kMetre, 5 * kMetre);
      }
      out.Entity("SEQEND", layer);
    } else if (pick < 92) {
      const std::string_view layer = pick < 85 ? "BREAKLINE" : "RIDGE";
      std::int64_t z = rng.Between(400 * kMetre, 900 * kMetre);
      out.Entity("POLYLINE", layer);
      out.Int(66, 1);
      out.Point(10, 0, 0, 0, kDecimals);
      out.Int(70, 8);
      for (std::int64_t i = rng.Between(10, 150); i > 0; --i) {
        out.Entity("VERTEX", layer);
        out.Point(10, x, y, z, kDecimals);
        out.Int(70, 32);
        x += rng.Between(-10 * kMetre, 10 * kMetre);
        y += rng.Between(-10 * kMetre, 10 * kMetre);
        z += rng.Between(-kMetre / 2, kMetre / 2);
      }
      out.Entity("SEQEND", layer);
    } else {
      const std::int64_t z = rng.Between(400 * kMetre, 900 * kMetre);
      out.Entity("POINT", "SPOT_HEIGHT");
      out.Point(10, x, y, z, kDecimals);
      out.Entity("TEXT", "SPOT_TEXT");
      out.Point(10, x + kMetre / 2, y, z, kDecimals);
      out.Real(40, kMetre, kDecimals);
      out.Text(1,
               std::to_string(z / kMetre) + "." + std::to_string(z % kMetre / 100 + 100).substr(1));
    }
  }
  out.Epilogue();
}

}  // namespace

void WriteSurveyDrawing(const std::string& path, std::int64_t points) {
  DrawingWriter out(path, DxfVersion::kR2000);
  WriteSurvey(out, points);
}

void WriteMixedDrawing(const std::string& path, std::uint64_t target_bytes) {
  DrawingWriter out(path, DxfVersion::kR2010);
  MixedDrawing(out).Write(target_bytes);
}

void WriteContourDrawing(const std::string& path, std::uint64_t target_bytes) {
  DrawingWriter out(path, DxfVersion::kR12);
  WriteContours(out, target_bytes);
}

}  // namespace quorvex::bench
