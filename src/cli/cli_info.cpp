#include "cli/cli_info.h"

#include <nlohmann/json.hpp>

#include "cli/error_stream.h"
#include "cli/run_inputs.h"
#include "config/config_options.h"
#include "config/config_words.h"
#include "engine/drawing_encoding.h"
#include "engine/drawing_info.h"

namespace quorvex::cli {
namespace {

using Json = nlohmann::ordered_json;

// Keys in snake_case, which scripts (jq, Python) reach without quoting them.
Json InfoJson(const std::string& dxf_path, const DrawingInfo& info) {
  const auto text_or_null = [](const std::string& text) {
    return text.empty() ? Json(nullptr) : Json(text);
  };
  Json object;
  object["file"] = dxf_path;
  object["version"] = text_or_null(info.version);
  object["code_page"] = {{"named", text_or_null(info.code_page_named)},
                         {"used", info.code_page_used}};
  Json layers = Json::array();
  for (const NameCount& layer : info.layers)
    layers.push_back({{"name", layer.name}, {"entities", layer.count}});
  object["layers"] = std::move(layers);
  Json blocks = Json::array();
  for (const InsertedBlock& block : info.blocks)
    blocks.push_back(
        {{"name", block.name}, {"inserts", block.inserts}, {"attribute_tags", block.tags}});
  object["blocks"] = std::move(blocks);
  Json kinds = Json::object();
  for (std::size_t kind = 0; kind < kEntityKindCount; ++kind)
    kinds[std::string(EntityNodeWord(kEntityKindNodes[kind]))] = info.kinds[kind];
  object["kinds"] = std::move(kinds);
  Json others = Json::object();
  for (const NameCount& other : info.other_entities)
    others[other.name] = other.count;
  object["other_entities"] = std::move(others);
  return object;
}

}  // namespace

int RunInfo(const CliOptions& options, CliEnvironment& env) {
  std::string code_page;
  if (options.code_page) {
    if (const std::optional<std::string> refused = CodePageRefusal(*options.code_page)) {
      PrintError(env.err, *refused);
      return kExitUsage;
    }
    code_page = ChoosableCodePage(*options.code_page);
  }
  bool failed = false;
  const std::vector<std::string> dxf_paths = DxfPaths(options.inputs, env.err, failed);
  Json drawings = Json::array();
  bool first = true;
  for (const std::string& dxf_path : dxf_paths) {
    const DrawingInfoRead read = ReadDrawingInfo(dxf_path, code_page);
    if (!read.info) {
      failed = true;
      const FileOutcome outcome{ConversionOutcome::kFailed, read.failure};
      PrintError(env.err, FileFailureLine(dxf_path, outcome, {}, false));
      if (options.json)
        drawings.push_back({{"file", dxf_path}, {"error", FailureReason(*read.failure)}});
      continue;
    }
    if (options.json) {
      drawings.push_back(InfoJson(dxf_path, *read.info));
      continue;
    }
    if (!first) std::fputs("\n", env.out);
    first = false;
    for (const std::string& line : DrawingInfoLines(dxf_path, *read.info))
      std::fprintf(env.out, "%s\n", line.c_str());
  }
  if (options.json) {
    // Names that are not UTF-8 (a file's, in another code page) are written with U+FFFD.
    const std::string text = drawings.dump(2, ' ', false, Json::error_handler_t::replace);
    std::fprintf(env.out, "%s\n", text.c_str());
  }
  return failed ? kExitFileErrors : kExitConverted;
}

}  // namespace quorvex::cli
