#include "Args.h"

#include <cstdint>

#include "ToolError.h"

namespace plovermeta {

namespace {

const OptionSpec* FindLong(const CommandSpec& syntax, const std::string& name) {
  for (const OptionSpec& option : syntax.options) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

const OptionSpec* FindShort(const CommandSpec& syntax, char name) {
  for (const OptionSpec& option : syntax.options) {
    if (option.shortName != 0 && option.shortName == name) return &option;
  }
  return nullptr;
}

}  // namespace

Args Args::Parse(const CommandSpec& syntax, const std::vector<std::string>& arguments) {
  Args args;
  bool onlyPositionals = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (onlyPositionals || argument.size() < 2 || argument[0] != '-') {
      args.positionals_.push_back(argument);
      continue;
    }
    if (argument == "--") {
      onlyPositionals = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      args.help_ = true;
      continue;
    }
    const OptionSpec* option = nullptr;
    std::optional<std::string> inlineValue;
    if (argument[1] == '-') {
      std::string name = argument.substr(2);
      const size_t equals = name.find('=');
      if (equals != std::string::npos) {
        inlineValue = name.substr(equals + 1);
        name.resize(equals);
      }
      option = FindLong(syntax, name);
    } else if (argument.size() == 2) {
      option = FindShort(syntax, argument[1]);
    }
    if (option == nullptr) throw UsageError("unknown option " + argument + " for '" + syntax.command + "'");
    if (!option->takesValue) {
      if (inlineValue) throw UsageError("option --" + option->name + " takes no value");
      args.flags_.insert(option->name);
      continue;
    }
    if (!inlineValue) {
      if (i + 1 >= arguments.size()) throw UsageError("option --" + option->name + " needs a value");
      inlineValue = arguments[++i];
    }
    args.values_[option->name] = *inlineValue;
  }
  if (args.help_) return args;
  if (args.positionals_.size() < syntax.minPositionals) {
    throw UsageError("'" + syntax.command + "' needs " + (syntax.minPositionals == 1 ? "a file" : "more arguments") +
                     " (see plovermeta " + syntax.command + " --help)");
  }
  if (args.positionals_.size() > syntax.maxPositionals) {
    throw UsageError("unexpected argument '" + args.positionals_[syntax.maxPositionals] + "' for '" + syntax.command +
                     "'");
  }
  return args;
}

bool Args::Has(const std::string& name) const { return flags_.count(name) != 0 || values_.count(name) != 0; }

std::optional<std::string> Args::Value(const std::string& name) const {
  auto found = values_.find(name);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

}  // namespace plovermeta
