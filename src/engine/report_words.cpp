#include "report_words.h"

#include <algorithm>

#include "field_captions.h"
#include "utf8.h"

namespace quorvex {
namespace {

// A text that a line quotes: its start, escaped, in double quotes. Appended, as GCC 12 wrongly
// flags `"\"" + text` under -Wrestrict.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  quoted.append(EscapedName(QuotedExcerpt(text)));
  quoted.push_back('"');
  return quoted;
}

std::string LineText(std::int64_t line) {
  return " (line " + std::to_string(line) + ") ***";
}

// The data field that an option node belongs to: the nearest data field before it.
int DataFieldOf(int option_node) {
  int field = kDataFieldNodes.front();
  for (const int node : kDataFieldNodes) {
    if (node <= option_node) field = node;
  }
  return field;
}

// "PATH:LINE: TEXT", as compilers name a place in a text file.
std::string LocatedText(const Failure& failure, std::string_view text) {
  std::string located = EscapedName(failure.path);
  located.push_back(':');
  located.append(std::to_string(failure.line));
  located.append(": ");
  located.append(text);
  return located;
}

std::string ConfigValueText(const Failure& failure) {
  const bool known = failure.node >= 0 && failure.node < kFieldNodeCount;
  const int node = known ? failure.node : 0;
  std::string text = "  ";
  text.append(FieldCaptions[static_cast<std::size_t>(DataFieldOf(node))]);
  text.append(", ");
  text.append(FieldCaptions[static_cast<std::size_t>(node)]);
  text.push_back(' ');
  text.append(Quoted(failure.text));
  text.append(" - ");
  const std::string_view message = OptionRuleMessage(OptionRuleOf(node));
  // The rule's own padding gives way to the padding of the whole message.
  text.append(message.substr(2, message.size() - 4));
  text.append("  ");
  return text;
}

}  // namespace

std::string EscapedName(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t size = Utf8CharacterSize(name.substr(i));
    const auto byte = static_cast<unsigned char>(name[i]);
    // The C1 controls, U+0080 to U+009F, are C2 80 to C2 9F.
    const bool control =
        byte < 32 || byte == 127 ||
        (byte == 0xC2 && size == 2 && static_cast<unsigned char>(name[i + 1]) < 0xA0);
    if (size != 0 && !control) {
      out.append(name.substr(i, size));
      i += size;
      continue;
    }
    for (const std::size_t end = i + std::max<std::size_t>(size, 1); i < end; ++i) {
      const auto escaped = static_cast<unsigned char>(name[i]);
      out.append("\\x");
      out.push_back(kHex[escaped >> 4]);
      out.push_back(kHex[escaped & 15]);
    }
  }
  return out;
}

std::size_t QuotedExcerptSize(std::string_view text) {
  if (text.size() <= kQuotedTextLimit) return text.size();
  std::size_t n = kQuotedTextLimit;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
    --n;
  return n;
}

std::string QuotedExcerpt(std::string_view text) {
  const std::size_t n = QuotedExcerptSize(text);
  if (n == text.size()) return std::string(text);
  std::string excerpt(text.substr(0, n));
  excerpt.append("...");
  return excerpt;
}

std::string FailureText(const Failure& failure) {
  using Kind = Failure::Kind;
  switch (failure.kind) {
    case Kind::kDxfUnreadable:
    case Kind::kFileChanged:
      return "  *** Error, file is used by another application ***";
    case Kind::kNotDxf:
    case Kind::kEmptyFile:
    case Kind::kDwgDrawing:
    case Kind::kBinaryDxf:
      return "  *** Error, this is not a valid DXF file ***";
    case Kind::kGroupCodeNotInteger:
      return "  *** Error, the group code " + Quoted(failure.text) + " is not an integer" +
             LineText(failure.line);
    case Kind::kValueNotNumber:
      return "  *** Error, the value " + Quoted(failure.text) + " is not a number" +
             LineText(failure.line);
    case Kind::kCoordinateOutOfRange:
      return "  *** Error, a computed coordinate is out of range" + LineText(failure.line);
    case Kind::kEndsInsideEntity:
      return "  *** Error, the file ends inside an entity" + LineText(failure.line);
    case Kind::kDataFileNotWritten:
      return "  *** Error, the data file could not be written: " + failure.reason + " ***";
    case Kind::kDataFileWouldReplaceDxf:
      return "  *** Error, the data file would replace a DXF file ***";
    case Kind::kDataFileExists:
      return "  *** Skipped, the data file exists and is left alone ***";
    case Kind::kDrawingUnchanged:
      return "  *** Skipped, the drawing and the configuration are as when its data file was "
             "written ***";
    case Kind::kDestinationNotWritable:
      return "Destination directory \"" + EscapedName(failure.path) +
             "\" is write-protected, files can't be created here" +
             (failure.reason.empty() ? "" : " (" + failure.reason + ")") +
             ". Please select another directory.";
    case Kind::kConfigValueRefused:
      return ConfigValueText(failure);
    case Kind::kExtensionRefused:
      return "  The data file extension " + Quoted(failure.text) +
             " is refused: it must be 1 to 10 characters, without / or NUL.  ";
    case Kind::kDecimalCommaWithComma:
      return "  Coordinates with a decimal comma cannot be written with a separator that holds a "
             "comma.  ";
    case Kind::kLogNotWritten:
      return "Log file \"" + EscapedName(failure.path) +
             "\" could not be written: " + failure.reason;
    case Kind::kManifestNotWritten:
      return "Manifest \"" + EscapedName(failure.path) +
             "\" could not be written: " + failure.reason +
             "; the next run cannot tell what this one did";
    case Kind::kManifestDamaged:
      return "Manifest \"" + EscapedName(failure.path) + "\" could not be read (" +
             EscapedName(QuotedExcerpt(failure.text)) +
             "); it was replaced by the outcomes of this run";
    case Kind::kLogIsRunFile:
      return "Log file \"" + EscapedName(failure.path) +
             "\" is a file that the run reads or writes; nothing was converted";
    case Kind::kFolderNotListed:
      return "Folder \"" + EscapedName(failure.path) + "\" could not be listed: " + failure.reason;
    case Kind::kNoLogFolder:
      return "No folder for the log file: neither XDG_STATE_HOME nor HOME is set to an absolute "
             "path";
    case Kind::kNoConfigurationsFolder:
      return "No configurations folder: neither XDG_DATA_HOME nor HOME is set to an absolute path";
    case Kind::kFolderNotCreated:
      return "Folder \"" + EscapedName(failure.path) + "\" could not be created: " + failure.reason;
    case Kind::kConfigTooLarge:
      return "File \"" + EscapedName(failure.path) +
             "\" is larger than 64 KiB, too large for a configuration";
    case Kind::kConfigNotToml:
      return LocatedText(failure, "neither a .qrv file nor TOML: " + failure.text);
    case Kind::kConfigTomlRefused:
      return LocatedText(failure, failure.text);
    case Kind::kConfigNotOpened:
    case Kind::kNotAConfig:
    case Kind::kConfigDamaged:
    case Kind::kConfigNotWritten:
    case Kind::kDestinationIsFile:
    case Kind::kExtensionHoldsSlash:
    case Kind::kSavedConfigIsRunFile:
      break;  // each front end says these in its own words
  }
  return {};
}

std::string FailureReason(const Failure& failure) {
  using Kind = Failure::Kind;
  switch (failure.kind) {
    case Kind::kDxfUnreadable:
      if (!failure.reason.empty()) return failure.reason;
      break;
    case Kind::kNotDxf:
      return "the drawing has no ENTITIES section";
    case Kind::kEmptyFile:
      return "the file is empty";
    case Kind::kDwgDrawing:
      return "this is a DWG drawing, not DXF: save it as ASCII DXF";
    case Kind::kBinaryDxf:
      return "binary DXF is not supported: save it as ASCII DXF";
    default:
      break;
  }
  // The report's line without its "*** Error, " and " ***".
  const std::string whole = FailureText(failure);
  std::string_view text = whole;
  for (const std::string_view decoration : {"  *** Error, ", "  *** "}) {
    if (text.starts_with(decoration)) {
      text.remove_prefix(decoration.size());
      break;
    }
  }
  if (text.ends_with(" ***")) text.remove_suffix(4);
  return std::string(text);
}

std::string_view OptionRuleMessage(OptionRule rule) {
  switch (rule) {
    case OptionRule::kAnyText:
      return {};
    case OptionRule::kInteger:
      return "  The value must be an integer value.  ";
    case OptionRule::kDecimalCount:
      // The lowest value named is 1 although 0 decimals are accepted; the text is the window's.
      return "  The value must be an integer value comprised between 1 and 14.  ";
    case OptionRule::kDecimalOrEmpty:
      return "  The value must be a decimal value.  ";
  }
  return {};
}

std::vector<std::string> ReportHeader(std::string_view date_time, std::size_t file_count) {
  std::vector<std::string> header;
  header.push_back("Quorvex report created " + std::string(date_time));
  header.emplace_back();
  header.push_back("Number of processed files : " + std::to_string(file_count));
  header.emplace_back(kRuleLine);
  header.emplace_back();
  return header;
}

void AppendFileHeading(std::vector<std::string>& report, std::size_t number,
                       std::string_view dxf_path) {
  report.push_back("File " + std::to_string(number) + " :");
  report.emplace_back();
  report.push_back("  DXF File  : " + EscapedName(dxf_path));
}

void AppendDataFileLines(std::vector<std::string>& report, std::string_view data_path) {
  report.push_back("  Data File : " + EscapedName(data_path));
  report.emplace_back();
}

std::string UndecodedText(const UndecodedCharacters& undecoded) {
  const bool one = undecoded.count == 1;
  return "  *** Warning, " + std::to_string(undecoded.count) +
         (one ? " character" : " characters") + " could not be decoded from " + undecoded.encoding +
         (one ? " and was" : " and were") + " written as U+FFFD ***";
}

void AppendUndecodedLine(std::vector<std::string>& report, const UndecodedCharacters& undecoded) {
  if (undecoded.count > 0) report.push_back(UndecodedText(undecoded));
}

void AppendFailureLines(std::vector<std::string>& report, const Failure& failure,
                        const UndecodedCharacters& undecoded) {
  report.push_back(FailureText(failure));
  AppendUndecodedLine(report, undecoded);
  report.emplace_back(kRuleLine);
}

void AppendCountLines(std::vector<std::string>& report, const RunTables& tables,
                      std::string_view block_filter, const EntityTally& tally) {
  report.push_back("  Processed entities count : " + std::to_string(tally.total));
  report.emplace_back();
  for (std::size_t kind = 0; kind < kEntityKindCount; ++kind) {
    if (tables.EntityEnabled[kind] != 1) continue;
    std::string line = "    ";
    line.append(EntityKindNames[kind]);
    line.append(" : ");
    line.append(std::to_string(tally.per_kind[kind]));
    line.append(" ");
    if (kind == entity_kind::kBlocks) {
      line.push_back('(');
      line.append(EscapedName(block_filter));
      line.push_back(')');
    }
    report.push_back(std::move(line));
  }
  for (std::size_t j = 0; j < tally.block_names.size(); ++j) {
    report.push_back("      " + EscapedName(tally.block_names[j]) + " : " +
                     std::to_string(tally.block_counts[j]));
  }
  AppendUndecodedLine(report, tally.undecoded);
  report.emplace_back(kRuleLine);
}

std::string ProgressLabel(std::string_view dxf_name) {
  return "Processing " + EscapedName(dxf_name);
}

std::string ReportPlace(std::string_view log_path, bool to_output, bool written) {
  if (to_output) return "standard output";
  return written ? EscapedName(log_path) : "not written";
}

std::string SummaryLine(std::size_t converted, std::size_t failed, std::size_t skipped,
                        std::string_view report) {
  std::string line = std::to_string(converted) + (converted == 1 ? " file" : " files") +
                     " converted, " + std::to_string(failed) + " with errors";
  if (skipped > 0) line += ", " + std::to_string(skipped) + " skipped";
  line.append("; report: ");
  line.append(report);
  return line;
}

std::string StoppedLine(std::size_t done, std::size_t total, std::string_view report) {
  std::string line =
      "stopped after " + std::to_string(done) + " of " + std::to_string(total) + " files; report: ";
  line.append(report);
  return line;
}

}  // namespace quorvex
