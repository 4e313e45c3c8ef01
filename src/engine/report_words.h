#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "export_config.h"
#include "failure.h"
#include "option_values.h"

namespace quorvex {

// Every word of the report, of its error lines and of the refusals both front ends show alike is
// spelled here.

/// The report's rule line: 100 hyphen-minus characters.
inline constexpr std::string_view kRuleLine =
    "----------------------------------------------------------------------------------------------"
    "------";

/// The last line of a report whose run was stopped.
inline constexpr std::string_view kCancelLine = "*** Process canceled by user ***";

/// `name` with each byte of a control character (below 32, 127, and U+0080 to U+009F) and each
/// byte that is not part of a valid UTF-8 character written as "\xNN" (two capital hex digits),
/// so that a name or a text can neither break a report line nor drive a terminal, and the report
/// stays UTF-8. Every path and every text of a drawing or a configuration that the report and
/// the messages below quote is written so. Written twice, a text stays as written once.
std::string EscapedName(std::string_view name);

/// How many bytes of an offending text a line quotes before it writes "...".
inline constexpr std::size_t kQuotedTextLimit = 80;

/// How many bytes of `text` a line quotes: the first `kQuotedTextLimit` bytes (never ending
/// inside a UTF-8 character), or all of `text` when it is not longer.
std::size_t QuotedExcerptSize(std::string_view text);

/// The bytes of `text` that a line quotes, followed by "..." when that is not all of it.
std::string QuotedExcerpt(std::string_view text);

/// The report line (two leading blanks) of a file's failure, or the message of a refusal that
/// both front ends show alike; empty for the failures that each front end words its own way.
std::string FailureText(const Failure& failure);

/// Why a file did not convert (or was skipped), in plain words, for a line of its own on a
/// terminal and for the record of the run: the system's reason for a drawing that cannot be
/// read, what a file that is no DXF drawing is, otherwise the report's line without its
/// "*** Error, " and " ***".
std::string FailureReason(const Failure& failure);

/// The refusal of the typed-value rule (two blanks on each side); empty for kAnyText.
std::string_view OptionRuleMessage(OptionRule rule);

/// The report's five header lines for a run started at `date_time` over `file_count` files.
std::vector<std::string> ReportHeader(std::string_view date_time, std::size_t file_count);

/// Appends the heading of the `number`-th file (counted from 1): its number, an empty line and
/// the DXF file's path.
void AppendFileHeading(std::vector<std::string>& report, std::size_t number,
                       std::string_view dxf_path);

/// Appends the line naming the data file and the empty line after it.
void AppendDataFileLines(std::vector<std::string>& report, std::string_view data_path);

/// Characters of a drawing's texts that the data file and the report received as U+FFFD because
/// they could not be decoded, and the encoding they were decoded from.
struct UndecodedCharacters {
  std::int64_t count = 0;
  std::string encoding;
};

/// The warning line (two leading blanks) about characters that could not be decoded.
std::string UndecodedText(const UndecodedCharacters& undecoded);

/// Appends the warning line when some characters could not be decoded; nothing otherwise.
void AppendUndecodedLine(std::vector<std::string>& report, const UndecodedCharacters& undecoded);

/// Appends the failure's line, the warning about undecoded characters when there are any, and
/// the rule line that closes the file's block.
void AppendFailureLines(std::vector<std::string>& report, const Failure& failure,
                        const UndecodedCharacters& undecoded = {});

/// What one converted file counted.
struct EntityTally {
  std::int64_t total = 0;
  std::array<std::int64_t, kEntityKindCount> per_kind{};
  std::vector<std::string> block_names;  // in order of first appearance
  std::vector<std::int64_t> block_counts;
  UndecodedCharacters undecoded;
};

/// Appends the count lines of a converted file: the total, one line per enabled kind (Blocks
/// with `block_filter`), the tally of block names, the warning about undecoded characters when
/// there are any, and the rule line.
void AppendCountLines(std::vector<std::string>& report, const RunTables& tables,
                      std::string_view block_filter, const EntityTally& tally);

/// The progress window's label while the drawing named `dxf_name` is converted.
std::string ProgressLabel(std::string_view dxf_name);

/// Where a run's summary says its report went: the log file, "standard output" or "not
/// written".
std::string ReportPlace(std::string_view log_path, bool to_output, bool written);

/// The summary of a run that ended, e.g. "2 files converted, 1 with errors, 1 skipped; report:
/// PLACE" (skipped files only when there are any), and of one that was stopped.
std::string SummaryLine(std::size_t converted, std::size_t failed, std::size_t skipped,
                        std::string_view report);
std::string StoppedLine(std::size_t done, std::size_t total, std::string_view report);

}  // namespace quorvex
