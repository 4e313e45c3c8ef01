#pragma once

#include "config/config_tree.h"

namespace quorvex {

/// The configuration delivered as "default.qrv", and used as it is when that file is missing:
/// extension "txt", header line on, separator "Comma (,)", no block names; every entity kind
/// checked, with Arcs: Center, Lines: Start Point and End Point, Splines: Control points, 3D
/// Faces: all four corners, and the polyline options off; the data fields X, Y and Z with 3
/// decimals each, Entity Type and Entity Layer checked, the others unchecked with their options
/// disabled; every "Start at :" value 1. The record's signature is "QRV300", as saving gives it.
ConfigContent DefaultConfiguration();

}  // namespace quorvex
