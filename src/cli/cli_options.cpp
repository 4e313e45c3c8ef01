#include "cli/cli_options.h"

#include <charconv>

namespace quorvex::cli {

std::string UsageText() {
  return "Usage: quorvex-cli [OPTIONS] INPUT...\n"
         "Converts DXF drawings into coordinate data files.\n"
         "\n"
         "  INPUT                a .dxf file, or a folder: all its DXF files, sorted by name\n"
         "  -c, --config FILE    configuration file (.qrv); default: the default configuration\n"
         "  -o, --output DIR     destination directory; default: the current directory\n"
         "  -e, --extension EXT  data-file extension instead of the configuration's\n"
         "      --log FILE       where the report goes; default: the program's log file\n"
         "  -j, --jobs N         files converted at once (default: the number of cores)\n"
         "  -q, --quiet          no progress display\n"
         "      --help           show this help and exit\n"
         "      --version        show the version and exit\n"
         "\n"
         "Exit status: 0 every file converted; 1 some file could not be read, was not a valid\n"
         "DXF file or failed conversion, a folder could not be listed, or the log could not be\n"
         "written; 2 usage or configuration error, unwritable destination, inputs that would\n"
         "write the same data file, or a log that is a file of the run; 128 + N stopped by\n"
         "signal N (130 Ctrl-C, 129 SIGHUP, 143 SIGTERM).\n";
}

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args,
                                          std::string& error) {
  CliOptions options;
  bool only_inputs = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_inputs || arg.empty() || arg[0] != '-' || arg == "-") {
      if (arg.empty()) {
        error = "an input name is empty";
        return std::nullopt;
      }
      options.inputs.push_back(arg);
      continue;
    }
    if (arg == "--") {
      only_inputs = true;
      continue;
    }
    // "--name=value" and "-xVALUE" forms as well as "--name value".
    std::string name = arg;
    std::optional<std::string> attached;
    if (arg.rfind("--", 0) == 0) {
      const std::size_t equals = arg.find('=');
      if (equals != std::string::npos) {
        name = arg.substr(0, equals);
        attached = arg.substr(equals + 1);
      }
    } else if (arg.size() > 2) {
      name = arg.substr(0, 2);
      attached = arg.substr(2);
    }
    auto value = [&]() -> std::optional<std::string> {
      std::optional<std::string> given = attached;
      if (!given && i + 1 < args.size()) given = args[++i];
      if (!given) {
        error = "option " + name + " needs a value";
      } else if (given->empty()) {
        error = "option " + name + " needs a value that is not empty";
        given.reset();
      }
      return given;
    };
    auto flag = [&](bool& target) {
      if (attached) {
        error = "option " + name + " takes no value";
        return false;
      }
      target = true;
      return true;
    };
    if (name == "-c" || name == "--config") {
      if (!(options.config_path = value())) return std::nullopt;
    } else if (name == "-o" || name == "--output") {
      const std::optional<std::string> dir = value();
      if (!dir) return std::nullopt;
      options.output_dir = *dir;
    } else if (name == "-e" || name == "--extension") {
      if (!(options.extension = value())) return std::nullopt;
    } else if (name == "--log") {
      if (!(options.log_path = value())) return std::nullopt;
    } else if (name == "-j" || name == "--jobs") {
      const std::optional<std::string> text = value();
      if (!text) return std::nullopt;
      unsigned jobs = 0;
      auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), jobs);
      if (ec != std::errc() || end != text->data() + text->size() || jobs == 0) {
        error = "option " + name + " needs a positive whole number, not \"" + *text + "\"";
        return std::nullopt;
      }
      options.jobs = jobs;
    } else if (name == "-q" || name == "--quiet") {
      if (!flag(options.quiet)) return std::nullopt;
    } else if (name == "--help" || name == "-h") {
      if (!flag(options.help)) return std::nullopt;
    } else if (name == "--version") {
      if (!flag(options.version)) return std::nullopt;
    } else {
      error = "unknown option " + name;
      return std::nullopt;
    }
  }
  if (options.inputs.empty() && !options.help && !options.version) {
    error = "no input: name at least one DXF file or folder";
    return std::nullopt;
  }
  return options;
}

}  // namespace quorvex::cli
