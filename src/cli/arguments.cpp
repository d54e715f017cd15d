#include "cli/arguments.h"

namespace mrv::cli {

std::vector<std::string> ParsedArguments::All(const std::string& option) const {
  const auto it = values.find(option);
  return it == values.end() ? std::vector<std::string>() : it->second;
}

std::optional<std::string> ParsedArguments::Last(const std::string& option) const {
  const auto it = values.find(option);
  if (it == values.end() || it->second.empty()) return std::nullopt;
  return it->second.back();
}

std::optional<ParsedArguments> ParseArguments(const Arguments& args, const std::set<std::string>& value_options,
                                              const std::set<std::string>& flag_options, std::string& error) {
  ParsedArguments parsed;
  bool only_positionals = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_positionals || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      parsed.positionals.push_back(arg);
      continue;
    }
    if (arg == "--") {
      only_positionals = true;
      continue;
    }
    const auto equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (flag_options.count(name) != 0 && equals == std::string::npos) {
      parsed.flags.insert(name);
    } else if (value_options.count(name) != 0) {
      if (equals != std::string::npos) {
        parsed.values[name].push_back(arg.substr(equals + 1));
      } else if (i + 1 < args.size()) {
        parsed.values[name].push_back(args[++i]);
      } else {
        error = "option " + name + " needs a value";
        return std::nullopt;
      }
    } else {
      error = "unknown option " + arg;
      return std::nullopt;
    }
  }
  return parsed;
}

}  // namespace mrv::cli
