#include "app/cli/options.h"

#include <algorithm>
#include <string_view>

#include "app/cli/option_table.h"
#include "app/dialog_logic.h"

namespace tamrix::cli {

namespace {

const OptionRow* findOption(std::string_view arg) {
  const auto found = std::find_if(kOptions.begin(), kOptions.end(), [arg](const OptionRow& row) {
    return !row.name.empty() && (row.name == arg || row.shortName == arg);
  });
  return found == kOptions.end() ? nullptr : &*found;
}

// "-5" is a number, "-x" an option.
bool isOperand(std::string_view arg) {
  return arg.empty() || arg[0] != '-' || (arg.size() >= 2 && arg[1] >= '0' && arg[1] <= '9');
}

// "A", "A and B", "A, B and C".
std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0)
      text += i + 1 == names.size() ? " and " : ", ";
    text += names[i];
  }
  return text;
}

std::optional<std::string> checkNumbers(const OptionRow& mode, std::size_t count) {
  const std::string name = modeName(mode.mode);
  if (mode.maxNumbers == 0 && count > 0)
    return name + " takes no NUMBER arguments";
  if (mode.minNumbers > 1 && count < static_cast<std::size_t>(mode.minNumbers))
    return name + " needs at least " + std::to_string(mode.minNumbers) + " NUMBER arguments";
  if (count < static_cast<std::size_t>(mode.minNumbers))
    return name + " needs NUMBER arguments";
  if (mode.maxNumbers > 0 && count > static_cast<std::size_t>(mode.maxNumbers))
    return name + " takes at most " + std::to_string(mode.maxNumbers) + " NUMBER arguments";
  return std::nullopt;
}

// Whether `arg` reads as a number as the dialog's field reads it, rather
// than as the 0 that anything else reads as.
bool isNumber(std::string_view arg) {
  if (readNumberField(arg) != 0)
    return true;
  const std::size_t first = arg.find_first_not_of(" \t");
  const std::size_t last = arg.find_last_not_of(" \t\r");
  if (first == std::string_view::npos)
    return false;
  std::string_view digits = arg.substr(first, last - first + 1);
  if (digits.starts_with('-'))
    digits.remove_prefix(1);
  return !digits.empty() && digits.find_first_not_of('0') == std::string_view::npos;
}

}  // namespace

std::optional<std::string> parseArguments(std::span<const std::string> arguments,
                                          Options& options) {
  std::vector<const OptionRow*> given;
  bool onlyNumbers = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (onlyNumbers || isOperand(arg)) {
      options.numbers.push_back(arg);
      continue;
    }
    if (arg == "--") {
      onlyNumbers = true;
      continue;
    }
    const OptionRow* row = findOption(arg);
    if (row == nullptr)
      return "unknown option " + arg;
    if (row->argument == Argument::kDirectory) {
      if (i + 1 == arguments.size())
        return arg + " needs " + std::string(row->argumentName);
      row->store(options, arguments[++i]);
    } else if (row->argument == Argument::kRest) {
      if (i + 1 == arguments.size())
        return arg + " needs " + std::string(row->argumentName);
      std::string rest;
      for (++i; i < arguments.size(); ++i)
        rest += (rest.empty() ? "" : " ") + arguments[i];
      row->store(options, std::move(rest));
    } else if (row->store != nullptr) {
      row->store(options, "");
    }
    given.push_back(row);
  }

  for (const OptionRow* row : given) {
    if (row->role == Role::kMode && (bit(row->mode) & kImmediateModes) != 0) {
      options.mode = row->mode;
      return std::nullopt;
    }
  }
  const OptionRow* mode = &modeRow(Mode::kDescribe);
  const OptionRow* format = nullptr;
  for (const OptionRow* row : given) {
    if (row->role == Role::kMode && row->mode != mode->mode) {
      // A mode given with one that it can narrow down filters that one's items.
      if ((row->filters & bit(mode->mode)) != 0) {
        options.filtered = true;
        continue;
      }
      if (mode->mode != Mode::kDescribe)
        return std::string(mode->name) + " and " + std::string(row->name) + " exclude each other";
      mode = row;
    } else if (row->role == Role::kFormat && format != nullptr && format != row) {
      return std::string(format->name) + " and " + std::string(row->name) + " exclude each other";
    } else if (row->role == Role::kFormat) {
      format = row;
    }
  }
  for (const OptionRow* row : given) {
    if (row->role == Role::kMode || (row->modes & bit(mode->mode)) != 0)
      continue;
    if (mode->mode != Mode::kDescribe)
      return std::string(row->name) + " does not go with " + std::string(mode->name);
    std::vector<std::string> modes;
    for (const OptionRow& other : kOptions) {
      if (other.role == Role::kMode && (row->modes & bit(other.mode)) != 0)
        modes.push_back(modeName(other.mode));
    }
    return std::string(row->name) + " goes with " + listed(modes) + " only";
  }
  if (auto error = checkNumbers(*mode, options.numbers.size()))
    return error;
  if (mode->onlyNumbers) {
    for (const std::string& number : options.numbers) {
      if (!isNumber(number))
        return modeName(mode->mode) + " takes whole numbers: " + number + " is not one";
    }
  }
  options.mode = mode->mode;
  options.format = format != nullptr ? format->format : Format::kText;
  return std::nullopt;
}

std::string usageError(std::string_view message) {
  return "tamrix-cli: " + std::string(message) + "\nTry 'tamrix-cli --help'.\n";
}

ModeAction actionOf(Mode mode) {
  return modeRow(mode).action;
}

int exitStatus(Mode mode, Outcome outcome) {
  if (mode == Mode::kDiff) {
    switch (outcome) {
      case Outcome::kDone:
        return 0;
      case Outcome::kDifferent:
        return 1;
      default:
        return 2;
    }
  }
  switch (outcome) {
    case Outcome::kDone:
      return 0;
    case Outcome::kFailed:
      return 1;
    case Outcome::kUsage:
      return 2;
    case Outcome::kWarnings:
      return 3;
    case Outcome::kDifferent:
      break;
  }
  return 1;
}

}  // namespace tamrix::cli
