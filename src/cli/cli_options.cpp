#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>

#include "config/config_words.h"
#include "engine/report_words.h"

namespace quorvex::cli {
namespace {

std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j)
    row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The refusal of an option `app` does not know, with the nearest long option it knows.
std::string UnknownOption(std::string_view given, const CLI::App& app) {
  std::string message = "unknown option ";
  message.append(given);
  const std::string_view name = given.substr(0, given.find('='));
  if (name.rfind("--", 0) != 0) return message;
  std::string best;
  std::size_t best_distance = 3;  // farther than two edits is no likely typo
  for (const CLI::Option* option : app.get_options()) {
    for (const std::string& long_name : option->get_lnames()) {
      const std::string candidate = "--" + long_name;
      const std::size_t distance = EditDistance(name, candidate);
      if (distance < best_distance) best = candidate, best_distance = distance;
    }
  }
  if (!best.empty()) {
    message.append("; did you mean ");
    message.append(best);
    message.push_back('?');
  }
  return message;
}

// The option's name as given on the command line, for the messages.
std::string GivenName(const CLI::Option& option, const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    for (const std::string& name : option.get_lnames())
      if (arg == "--" + name || arg.rfind("--" + name + "=", 0) == 0) return "--" + name;
    for (const std::string& name : option.get_snames())
      if (arg.rfind("-" + name, 0) == 0 && arg.rfind("--", 0) != 0) return "-" + name;
  }
  return option.get_name();
}

// A whole number of up to nine digits, nothing else.
std::optional<long> WholeNumber(std::string_view text) {
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.size() > 9 || value < 0)
    return std::nullopt;
  return value;
}

// The checks of the options' values. Each keeps why it refused a value, so that the refusal
// is said in the program's words without reading the parser's.
class ValueChecks {
 public:
  // A check whose `cause` gives what is wrong with a value, or nothing. Empty values are refused
  // by every option.
  template <typename Cause>
  CLI::Validator Checked(Cause cause) {
    return CLI::Validator(
        [this, cause](std::string& value) {
          cause_ = value.empty() ? std::string("needs a value that is not empty") : cause(value);
          return cause_;
        },
        "", "");
  }
  CLI::Validator NotEmpty() {
    return Checked([](const std::string&) { return std::string(); });
  }
  // Why the last value checked was refused.
  const std::string& cause() const { return cause_; }

 private:
  std::string cause_;
};

// An option that takes a text, refused when empty.
template <typename Target>
void AddText(CLI::App& app, ValueChecks& checks, const char* names, Target& target) {
  app.add_option_function<std::string>(names,
                                       [&target](const std::string& value) { target = value; })
      ->check(checks.NotEmpty());
}

// An option that takes a whole number `accepts` takes.
template <typename Accepts, typename Store>
void AddNumber(CLI::App& app, ValueChecks& checks, const char* names, const char* wanted,
               Accepts accepts, Store store) {
  app.add_option_function<std::string>(
         names, [store](const std::string& value) { store(*WholeNumber(value)); })
      ->check(checks.Checked([accepts, wanted](const std::string& value) {
        const std::optional<long> number = WholeNumber(value);
        return number && accepts(*number)
                   ? std::string()
                   : "needs " + std::string(wanted) + ", not \"" + value + "\"";
      }));
}

// CLI11 reads "--name=" as a name without its value and would take the next argument.
std::optional<std::string> EmptyAttachedValue(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg.size() > 3 && arg.rfind("--", 0) == 0 && arg.back() == '=' &&
        arg.find('=') == arg.size() - 1)
      return "option " + arg.substr(0, arg.size() - 1) + " needs a value that is not empty";
  }
  return std::nullopt;
}

void AddRunOptions(CLI::App& app, ValueChecks& checks, CliOptions& options) {
  app.add_option("INPUT", options.inputs);
  AddText(app, checks, "-c,--config", options.config_path);
  AddText(app, checks, "-o,--output", options.output_dir);
  AddText(app, checks, "-e,--extension", options.extension);
  AddText(app, checks, "--log", options.log_path);
  AddNumber(
      app, checks, "-j,--jobs", "a positive whole number", [](long jobs) { return jobs > 0; },
      [&options](long jobs) { options.jobs = static_cast<unsigned>(jobs); });
  app.add_flag("-q,--quiet", options.quiet);
  app.add_flag("-h,--help", options.help);
  app.add_flag("--version", options.version);
}

// The options over the configuration; the header options exclude one another.
void AddConfigOptions(CLI::App& app, ValueChecks& checks, CliOptions& options) {
  app.add_flag("--print-config", options.print_config);
  AddText(app, checks, "--save-config", options.save_config);
  AddText(app, checks, "--kinds", options.kinds);
  AddText(app, checks, "--fields", options.fields);
  AddText(app, checks, "--captions", options.captions);
  AddText(app, checks, "--separator", options.separator);
  AddNumber(
      app, checks, "--decimals", "a whole number from 0 to 14",
      [](long decimals) { return decimals <= 14; },
      [&options](long decimals) { options.decimals = static_cast<int>(decimals); });
  CLI::Option* header = app.add_flag_callback("--header", [&] { options.header = true; });
  CLI::Option* no_header = app.add_flag_callback("--no-header", [&] { options.header = false; });
  header->excludes(no_header);
  AddText(app, checks, "--blocks", options.blocks);
}

// How data files are kept and written.
void AddOutputOptions(CLI::App& app, ValueChecks& checks, CliOptions& options) {
  app.add_flag("--remove-partial", options.remove_partial);
  app.add_flag("--no-clobber", options.no_clobber);
  app.add_flag_callback("--quote", [&] { options.quote = true; });
  app.add_flag_callback("--mtext-plain", [&] { options.mtext_plain = true; });
  app.add_option_function<std::string>(
         "--line-ends", [&](const std::string& value) { options.lf_line_ends = value == "lf"; })
      ->check(checks.Checked([](const std::string& value) {
        return value == "lf" || value == "crlf" ? std::string()
                                                : "needs lf or crlf, not \"" + value + "\"";
      }));
  app.add_flag_callback("--bom", [&] { options.bom = true; });
  app.add_flag_callback("--decimal-comma", [&] { options.decimal_comma = true; });
}

// What the parser leaves to be refused: an unknown option, an empty input name, or no input when
// one is needed. Empty when there is nothing to refuse.
std::string LeftOver(const CLI::App& app, const CliOptions& options) {
  for (const std::string& extra : app.remaining()) {
    if (extra != "--") return UnknownOption(extra, app);
  }
  if (std::find(options.inputs.begin(), options.inputs.end(), std::string()) !=
      options.inputs.end())
    return "an input name is empty";
  if (options.inputs.empty() && !options.help && !options.version && !options.print_config &&
      !options.save_config)
    return "no input: name at least one DXF file or folder";
  return {};
}

// The parser's refusal in the program's words: the option as it was given, and what is wrong by
// the kind of refusal. The option is the first one of the parser's that its message names.
std::string ParseErrorText(const CLI::ParseError& parse_error, const CLI::App& app,
                           const std::vector<std::string>& args, const std::string& cause) {
  std::string message = parse_error.what();
  for (const CLI::Option* option : app.get_options()) {
    const std::string name = option->get_name();
    if (name.empty() || message.find(name) == std::string::npos) continue;
    std::string said = "option " + GivenName(*option, args) + " ";
    if (dynamic_cast<const CLI::ValidationError*>(&parse_error)) return said + cause;
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&parse_error)) return said + "needs a value";
    if (dynamic_cast<const CLI::ExcludesError*>(&parse_error))
      return said + "cannot be given with " + (name == "--header" ? "--no-header" : "--header");
    break;
  }
  return message;
}

}  // namespace

std::string UsageText() {
  return "Usage: quorvex-cli [OPTIONS] INPUT...\n"
         "Converts DXF drawings into coordinate data files.\n"
         "\n"
         "  INPUT                  a .dxf file, or a folder: all its DXF files, sorted by name\n"
         "  -c, --config FILE      configuration file, .qrv or TOML (told apart by content); a\n"
         "                         name without a folder is also looked for in the\n"
         "                         configurations folder; default: the default configuration\n"
         "  -o, --output DIR       destination directory; default: the current directory\n"
         "  -e, --extension EXT    data-file extension instead of the configuration's\n"
         "      --log FILE         where the report goes (- for standard output); default: the\n"
         "                         program's log file\n"
         "  -j, --jobs N           files converted at once (default: the number of cores)\n"
         "  -q, --quiet            no progress display\n"
         "      --help             show this help and exit\n"
         "      --version          show the version and exit\n"
         "\n"
         "Configuration, applied over -c:\n"
         "      --kinds LIST       exactly these entity kinds (comma-separated); a kind named\n"
         "                         alone takes the point options of the default configuration,\n"
         "                         KIND.OPTION picks them\n"
         "      --fields LIST      exactly these data fields, in this order; attrib:TAG is the\n"
         "                         value of the block attribute TAG of each block insert\n"
         "      --captions LIST    the header's names of the exported fields, in their order\n"
         "      --separator SEP    comma, semicolon, space, tab, linefeed, or any other text\n"
         "      --decimals N       decimals of X, Y and Z (0 to 14)\n"
         "      --header, --no-header  with or without the line naming the fields\n"
         "      --blocks PATTERNS  block-name patterns of the block inserts, comma-separated\n"
         "      --print-config     print the configuration in effect as TOML and exit\n"
         "      --save-config FILE write the configuration in effect as a .qrv file that the\n"
         "                         window loads; with no INPUT, exit then\n"
         "\n"
         "Kinds: " +
         KindWordList() +
         "\n"
         "Fields: " +
         FieldWordList() +
         "\n"
         "\n"
         "Failures and existing files:\n"
         "      --remove-partial   delete the data file of a file that failed or was stopped,\n"
         "                         instead of keeping the lines written before\n"
         "      --no-clobber       leave existing data files alone; their drawings are skipped\n"
         "\n"
         "Output for other programs (all off by default):\n"
         "      --quote            quote fields that hold the separator, a double quote or a\n"
         "                         line break (RFC 4180)\n"
         "      --mtext-plain      multiline text without its formatting codes\n"
         "      --line-ends lf     lines end in LF instead of CR LF (the LineFeed separator too)\n"
         "      --bom              start each data file with the UTF-8 byte-order mark\n"
         "      --decimal-comma    coordinates with \",\" as decimal separator (not with a\n"
         "                         separator that holds a comma)\n"
         "\n"
         "Exit status: 0 every file converted or skipped; 1 some file could not be read, was not\n"
         "a valid DXF file or failed conversion, a folder could not be listed, or the log could\n"
         "not be written; 2 usage or configuration error, unwritable destination, inputs that\n"
         "would write the same data file, or a log that is a file of the run; 128 + N stopped by\n"
         "signal N (130 Ctrl-C, 129 SIGHUP, 143 SIGTERM).\n";
}

namespace {

std::optional<CliOptions> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  if (const std::optional<std::string> empty = EmptyAttachedValue(args)) {
    error = *empty;
    return std::nullopt;
  }
  CliOptions options;
  CLI::App app;
  app.set_help_flag();
  app.allow_extras();
  // An option given twice takes its last value, as scripts that add to a command line expect.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  ValueChecks checks;
  AddRunOptions(app, checks, options);
  AddConfigOptions(app, checks, options);
  AddOutputOptions(app, checks, options);
  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& parse_error) {
    error = ParseErrorText(parse_error, app, args, checks.cause());
    return std::nullopt;
  }
  error = LeftOver(app, options);
  if (!error.empty()) return std::nullopt;
  return options;
}

}  // namespace

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args,
                                          std::string& error) {
  std::optional<CliOptions> options = ParseOptions(args, error);
  // The refusals quote what was typed.
  if (!options) error = EscapedName(error);
  return options;
}

}  // namespace quorvex::cli
