#include "support/attributed_points.h"

#include "support/conversion_harness.h"
#include "support/dxf_entity.h"

namespace quorvex::testing {
namespace {

std::string PointInsert(std::string_view handle, std::string_view x, std::string_view y) {
  return Entity("INSERT",
                {{5, handle}, {8, "POINTS"}, {66, "1"}, {2, "PT"}, {10, x}, {20, y}, {30, "0"}});
}

std::string Attrib(std::string_view tag, std::string_view value) {
  return Entity("ATTRIB", {{8, "POINTS"}, {10, "0"}, {20, "0"}, {1, value}, {2, tag}, {70, "0"}});
}

const std::string kSeqend = Entity("SEQEND", {{8, "POINTS"}});

}  // namespace

std::string AttributedPointsDxf() {
  return DxfWithEntities(
      PointInsert("A1", "2600001.5", "1200001.25") + Attrib("PNR", "101") + Attrib("H", "412.30") +
      Attrib("CODE", "TREE, oak") + kSeqend + PointInsert("A2", "2600002", "1200002") +
      Attrib("PNR", "102") + Attrib("H", "412.5") + kSeqend +
      PointInsert("A3", "2600003", "1200003") + Attrib("PNR", "103") + Attrib("PNR", "999") +
      Attrib("H", "413") +
      Entity("ATTRIB", {{8, "POINTS"},
                        {1, "Fence Corner"},
                        {2, "CODE"},
                        {71, "2"},
                        {101, "Embedded Object"},
                        {10, "0"},
                        {20, "0"},
                        {1, "Fence\\PCorner"}}) +
      kSeqend +
      Entity("INSERT", {{5, "A4"}, {8, "MANHOLES"}, {2, "MH"}, {10, "2600004"}, {20, "1200004"}}) +
      Entity("POINT", {{5, "A5"}, {8, "POINTS"}, {10, "2600005"}, {20, "1200005"}, {30, "7"}}));
}

}  // namespace quorvex::testing
