#pragma once

namespace quorvex {

class DxfConversion;

/// An entity reader: entered with the cursor on the line after the entity's "0" / name pair,
/// it reads the entity's pairs through DxfConversion::NextGroup, writes its data lines, counts
/// the entity, and returns with the cursor on the "0" line that ends it.
using EntityReader = void (*)(DxfConversion&);

}  // namespace quorvex
