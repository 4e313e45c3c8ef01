#include "rerun_checks.h"

#include "sha256.h"

namespace quorvex {

bool ConvertsAgain(const ManifestEntry* recorded, const std::string& data_path) {
  if (!recorded || (recorded->outcome != ConversionOutcome::kFailed &&
                    recorded->outcome != ConversionOutcome::kCancelled))
    return false;
  return !recorded->data_file || StampOf(data_path) == recorded->data_file;
}

bool Unchanged(const ManifestEntry* recorded, const std::string& dxf_path,
               const std::string& data_path, std::string_view configuration,
               std::string_view version) {
  if (!recorded || recorded->outcome != ConversionOutcome::kConverted ||
      recorded->configuration != configuration || recorded->version != version ||
      !recorded->data_file || StampOf(data_path) != recorded->data_file)
    return false;
  // A drawing of another size has changed; one of the same size is read to be sure.
  const std::optional<FileStamp> drawing = StampOf(dxf_path);
  if (!drawing || !recorded->drawing_stamp || drawing->size != recorded->drawing_stamp->size)
    return false;
  return FileSha256Hex(dxf_path) == recorded->drawing_sha256;
}

}  // namespace quorvex
