// Splitting a verb's arguments into positionals, options with values and flags.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace mrv::cli {

struct ParsedArguments {
  std::vector<std::string> positionals;
  std::map<std::string, std::vector<std::string>> values;  // every occurrence, in order
  std::set<std::string> flags;

  bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
  std::vector<std::string> All(const std::string& option) const;
  std::optional<std::string> Last(const std::string& option) const;
};

// Options take the next argument ("--nick NAME") or an attached one ("--nick=NAME").
// Empty when an option is unknown or lacks its value; `error` says which.
std::optional<ParsedArguments> ParseArguments(const Arguments& args, const std::set<std::string>& value_options,
                                              const std::set<std::string>& flag_options, std::string& error);

}  // namespace mrv::cli
