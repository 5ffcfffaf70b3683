// Command-line arguments of one command: positionals, options with a value
// (--at TIME or --at=TIME) and flags (--force).  Anything not declared is a
// usage error naming it.
#ifndef PLOVERMETA_ARGS_H
#define PLOVERMETA_ARGS_H

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace plovermeta {

struct OptionSpec {
  std::string name;  // long name without dashes, e.g. "at"
  char shortName;    // e.g. 'o', or 0
  bool takesValue;
};

struct CommandSpec {
  std::string command;  // for messages
  std::vector<OptionSpec> options;
  size_t minPositionals;
  size_t maxPositionals;  // SIZE_MAX: no limit
};

class Args {
 public:
  // Throws ToolError (usage) for an unknown option, a missing value or a
  // wrong number of positionals.  --help / -h is always accepted.
  static Args Parse(const CommandSpec& syntax, const std::vector<std::string>& arguments);

  bool Help() const { return help_; }
  bool Has(const std::string& name) const;
  std::optional<std::string> Value(const std::string& name) const;
  const std::vector<std::string>& Positionals() const { return positionals_; }

 private:
  bool help_ = false;
  std::vector<std::string> positionals_;
  std::map<std::string, std::string> values_;
  std::set<std::string> flags_;
};

}  // namespace plovermeta

#endif
