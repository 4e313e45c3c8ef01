#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>

#include "config/nearest_word.h"
#include "engine/report_words.h"
#include "engine/utf8.h"

namespace quorvex::cli {
namespace {

// The refusal of an option `app` does not know, with the nearest long option it knows.
std::string UnknownOption(std::string_view given, const CLI::App& app) {
  std::string message = "unknown option ";
  message.append(given);
  const std::string_view name = given.substr(0, given.find('='));
  if (name.rfind("--", 0) != 0) return message;
  std::vector<std::string> names;
  for (const CLI::Option* option : app.get_options())
    for (const std::string& long_name : option->get_lnames())
      names.push_back("--" + long_name);
  const std::vector<std::string_view> candidates(names.begin(), names.end());
  const std::string_view nearest = NearestWord(name, candidates);
  if (!nearest.empty()) {
    message.append("; did you mean ");
    message.append(nearest);
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
  // A text that becomes a text of the configuration, and so of the data files, which are UTF-8.
  CLI::Validator Utf8Text() {
    return Checked([](const std::string& value) {
      return IsUtf8(value) ? std::string() : "needs UTF-8 text, not \"" + value + "\"";
    });
  }
  // Why the last value checked was refused.
  const std::string& cause() const { return cause_; }

 private:
  std::string cause_;
};

// An option that takes a text that `check` accepts.
template <typename Target>
void AddText(CLI::App& app, const char* names, Target& target, CLI::Validator check) {
  app.add_option_function<std::string>(names,
                                       [&target](const std::string& value) { target = value; })
      ->check(std::move(check));
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
  AddText(app, "-c,--config", options.config_path, checks.NotEmpty());
  AddText(app, "-o,--output", options.output_dir, checks.NotEmpty());
  AddText(app, "-e,--extension", options.extension, checks.Utf8Text());
  AddText(app, "--log", options.log_path, checks.NotEmpty());
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
  AddText(app, "--save-config", options.save_config, checks.NotEmpty());
  AddText(app, "--kinds", options.kinds, checks.Utf8Text());
  AddText(app, "--fields", options.fields, checks.Utf8Text());
  AddText(app, "--separator", options.separator, checks.Utf8Text());
  AddNumber(
      app, checks, "--decimals", "a whole number from 0 to 14",
      [](long decimals) { return decimals <= 14; },
      [&options](long decimals) { options.decimals = static_cast<int>(decimals); });
  CLI::Option* header = app.add_flag_callback("--header", [&] { options.header = true; });
  CLI::Option* no_header = app.add_flag_callback("--no-header", [&] { options.header = false; });
  header->excludes(no_header);
  AddText(app, "--blocks", options.blocks, checks.Utf8Text());
}

// How data files are kept and written.
void AddOutputOptions(CLI::App& app, ValueChecks& checks, CliOptions& options) {
  app.add_flag("--remove-partial", options.remove_partial);
  app.add_flag("--no-clobber", options.no_clobber);
  app.add_flag("--incremental", options.incremental);
  app.add_flag("--no-manifest", options.no_manifest);
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
  if (options.incremental && options.no_manifest)
    return "option --incremental cannot be given with --no-manifest: it reads the manifest";
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
