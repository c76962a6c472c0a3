#include "app/cli/options.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "app/cli/answers.h"
#include "app/cli/check.h"
#include "app/cli/compare.h"
#include "app/cli/diff.h"
#include "app/cli/explain.h"
#include "app/cli/find.h"
#include "app/cli/line_input.h"
#include "app/dialog_logic.h"
#include "app/version.h"
#include "search/compare.h"

namespace tamrix::cli {

namespace {

using ModeSet = uint32_t;

constexpr ModeSet bit(Mode mode) {
  return ModeSet{1} << static_cast<unsigned>(mode);
}

// The modes that load a data set.
constexpr ModeSet kDataModes = bit(Mode::kDescribe) | bit(Mode::kAll) | bit(Mode::kFind) |
                               bit(Mode::kCheck) | bit(Mode::kExplain) | bit(Mode::kDiff) |
                               bit(Mode::kCompare);

enum class Role {
  kMode,     // chooses what the run does
  kFormat,   // chooses the output format; at most one
  kSetting,  // changes how a mode runs
};

// What follows an option on the command line.
enum class Argument {
  kNone,
  kDirectory,  // the next argument
  kRest,       // every argument after it, joined by blanks
};

struct OptionRow {
  std::string_view name = {};  // empty for the mode that has no option
  std::string_view shortName = {};
  Role role = Role::kSetting;
  Mode mode = Mode::kDescribe;    // kMode
  Format format = Format::kText;  // kFormat
  // kFormat and kSetting: the modes it goes with.
  ModeSet modes = 0;
  // kMode: the modes whose items it can narrow down when given with them.
  ModeSet filters = 0;
  Argument argument = Argument::kNone;
  std::string_view argumentName = {};
  // kMode: how many NUMBER arguments it takes; -1 for any number.
  int minNumbers = 0;
  int maxNumbers = 0;
  // kMode: a NUMBER argument that does not read as a number is refused
  // rather than read as 0, as the dialog's number field reads it.
  bool onlyNumbers = false;
  // Stores the option's argument.
  void (*store)(Options&, std::string) = nullptr;
  // kMode: what it runs.
  ModeAction action = {};
  // Its lines in --help, after the option itself.
  std::string_view help = {};
};

// In the order of --help. In a mode's help, %min and %max stand for its
// least and most NUMBER arguments.
constexpr std::array kOptions = {
    OptionRow{.role = Role::kMode,
              .mode = Mode::kDescribe,
              .minNumbers = 0,
              .maxNumbers = -1,
              .action = {.run = describeNumbers}},
    OptionRow{.name = "-C",
              .modes = kDataModes,
              .argument = Argument::kDirectory,
              .argumentName = "DIR",
              .store = [](Options& o, std::string dir) { o.directory = std::move(dir); },
              .help = "change into DIR before loading the data files"},
    OptionRow{
        .name = "--raw",
        .role = Role::kFormat,
        .format = Format::kRaw,
        .modes = bit(Mode::kDescribe) | bit(Mode::kAll) | bit(Mode::kFind) | bit(Mode::kCheck),
        .help = "write the exact Windows-1250 description of each number, then a NUL "
                "byte"},
    OptionRow{.name = "--json",
              .role = Role::kFormat,
              .format = Format::kJson,
              .modes = kDataModes,
              .help = "write one JSON object per line: "
                      "{\"number\":N,\"name\":...,\"description\":...}"},
    OptionRow{.name = "--csv",
              .role = Role::kFormat,
              .format = Format::kCsv,
              .modes = bit(Mode::kAll) | bit(Mode::kFind) | bit(Mode::kCompare),
              .help = "write CSV for spreadsheets: UTF-8 with a byte order mark, CR LF, a line\n"
                      "per item (number, name, kind, grade, prefix, group base, damage, a\n"
                      "column per skill)"},
    OptionRow{.name = "--all",
              .role = Role::kMode,
              .mode = Mode::kAll,
              .action = {.run = describeAll},
              .help = "describe every item number that has a description"},
    OptionRow{.name = "--find",
              .role = Role::kMode,
              .mode = Mode::kFind,
              .filters = bit(Mode::kDiff),
              .argument = Argument::kRest,
              .argumentName = "QUERY...",
              .store = [](Options& o, std::string query) { o.query = std::move(query); },
              .action = {.run = findItems},
              .help = "describe the items that match the query made of all the words after\n"
                      "it, as --all does. Terms: words of the name, \"phrases\", SKILL>=N\n"
                      "(also <=, >, <, =), kind:N, kind:weapon, grade:N..M, prefix:N,\n"
                      "group:N, -TERM for not; case and accents do not matter.\n"
                      "sort:KEY[:asc|:desc] orders by a skill, number, grade, name or damage.\n"
                      "Example: --find kard tuzsebzes>=4 grade:10..14 sort:tuzsebzes\n"
                      "(docs/search.md). After --diff: compare only the items it finds in\n"
                      "either set"},
    OptionRow{.name = "--check",
              .role = Role::kMode,
              .mode = Mode::kCheck,
              .action = {.run = checkDataSet, .reportsFailurePlace = true},
              .help = "only load the data files and print a summary, then any warnings as\n"
                      "FILE:LINE[:COLUMN]: warning: text [code]; after a failed load, also\n"
                      "FILE:LINE: error: the rule that rejected it. Notes name earlier lines\n"
                      "that a warning or an error follows from"},
    OptionRow{.name = "--strict",
              .modes = bit(Mode::kCheck),
              .store = [](Options& o, std::string) { o.strict = true; },
              .help = "with --check: warnings fail the check (exit status 3)"},
    OptionRow{.name = "--explain",
              .role = Role::kMode,
              .mode = Mode::kExplain,
              .minNumbers = 1,
              .maxNumbers = -1,
              .onlyNumbers = true,
              .action = {.run = explainNumbers, .reportsFailurePlace = true},
              .help = "show how each NUMBER's text comes about, with the data lines it uses;\n"
                      "a NUMBER that is not a whole number is refused"},
    OptionRow{.name = "--diff",
              .role = Role::kMode,
              .mode = Mode::kDiff,
              .argument = Argument::kDirectory,
              .argumentName = "OTHER_DIR",
              .store = [](Options& o, std::string dir) { o.otherDirectory = std::move(dir); },
              .action = {.run = diffDataSets, .reportsFailurePlace = true},
              .help = "list every number whose description differs in the data set of\n"
                      "OTHER_DIR, then the changes grouped and counted"},
    OptionRow{.name = "--summary",
              .modes = bit(Mode::kDiff),
              .store = [](Options& o, std::string) { o.summary = true; },
              .help = "with --diff: only the changes grouped and counted"},
    OptionRow{.name = "--compare",
              .role = Role::kMode,
              .mode = Mode::kCompare,
              .minNumbers = 2,
              .maxNumbers = kMostComparedItems,
              .action = {.run = compareNumbers},
              .help =
                  "show %min to %max items side by side: a row per skill that one of them shows,\n"
                  "then damage, the best of each row marked"},
    OptionRow{.name = "--help",
              .shortName = "-h",
              .role = Role::kMode,
              .mode = Mode::kHelp,
              .action = {.text = helpText},
              .help = "show this help"},
    OptionRow{.name = "--version",
              .role = Role::kMode,
              .mode = Mode::kVersion,
              .action = {.text = versionText},
              .help = "show the version"},
    OptionRow{.name = "--bash-completion",
              .role = Role::kMode,
              .mode = Mode::kCompletion,
              .action = {.text = bashCompletion},
              .help = "write a bash completion script for tamrix-cli"},
};

// The modes that end the reading of the arguments at once.
constexpr ModeSet kImmediateModes = bit(Mode::kHelp) | bit(Mode::kVersion) | bit(Mode::kCompletion);

const OptionRow& modeRow(Mode mode) {
  return *std::find_if(kOptions.begin(), kOptions.end(), [mode](const OptionRow& row) {
    return row.role == Role::kMode && row.mode == mode;
  });
}

// How the usage lines and the errors name a mode.
std::string modeName(Mode mode) {
  const OptionRow& row = modeRow(mode);
  return row.name.empty() ? "NUMBER arguments" : std::string(row.name);
}

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

// A mode's help with its counts of NUMBER arguments put in.
std::string helpOf(const OptionRow& row) {
  std::string help(row.help);
  for (const auto& [mark, value] : {std::pair{"%min", row.minNumbers}, {"%max", row.maxNumbers}}) {
    if (const std::size_t at = help.find(mark); at != std::string::npos)
      help.replace(at, std::string_view(mark).size(), std::to_string(value));
  }
  return help;
}

// The option's name with its argument, as usage lines show it.
std::string withArgument(const OptionRow& row) {
  std::string text(row.name);
  if (row.argument != Argument::kNone)
    text.append(" ").append(row.argumentName);
  return text;
}

// One usage line's words after the program's name.
std::string usageOf(const OptionRow& mode) {
  std::string text;
  std::vector<std::string> formats;
  for (const OptionRow& row : kOptions) {
    if ((row.modes & bit(mode.mode)) == 0)
      continue;
    if (row.role == Role::kFormat)
      formats.emplace_back(row.name);
    else if (row.role == Role::kSetting)
      text.append("[").append(withArgument(row)).append("] ");
  }
  if (!formats.empty()) {
    std::string group;
    for (const std::string& format : formats)
      group += (group.empty() ? "" : " | ") + format;
    // The directory comes first, as it is read first.
    const std::size_t after = text.starts_with("[-C ") ? text.find("] ") + 2 : 0;
    text.insert(after, "[" + group + "] ");
  }
  if (!mode.name.empty())
    text += withArgument(mode) + " ";
  if (mode.minNumbers > 0)
    text += "NUMBER... ";
  else if (mode.maxNumbers != 0)
    text += "[NUMBER...] ";
  for (const OptionRow& row : kOptions)
    if ((row.filters & bit(mode.mode)) != 0)
      text.append("[").append(withArgument(row)).append("] ");
  text.pop_back();
  return text;
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

std::string helpText() {
  std::string text;
  for (const OptionRow& row : kOptions) {
    if (row.role == Role::kMode && (bit(row.mode) & kDataModes) != 0)
      text +=
          (text.empty() ? "Usage: " : "       ") + std::string("tamrix-cli ") + usageOf(row) + "\n";
  }
  text +=
      "Describes item numbers from the tables in the Data folder of the current directory\n"
      "or, on Linux, when that has no data files, of $XDG_DATA_HOME/tamrix or the installed set.\n"
      "\n";
  constexpr std::size_t kHelpColumn = 13;
  for (const OptionRow& row : kOptions) {
    if (row.name.empty())
      continue;
    std::string option = "  " + withArgument(row);
    if (!row.shortName.empty())
      option = "  " + std::string(row.shortName) + ", " + withArgument(row);
    // The help starts beside a short option, on the next line after a long one.
    const std::string rowHelp = helpOf(row);
    std::string_view help = rowHelp;
    std::string line = option.size() < kHelpColumn
                           ? option + std::string(kHelpColumn - option.size(), ' ')
                           : option + "\n" + std::string(kHelpColumn, ' ');
    for (;;) {
      const std::size_t feed = help.find('\n');
      text += line + std::string(help.substr(0, feed)) + "\n";
      if (feed == std::string_view::npos)
        break;
      help.remove_prefix(feed + 1);
      line = std::string(kHelpColumn, ' ');
    }
  }
  text +=
      "\n"
      "Without NUMBER arguments, one number is read from each line of standard input\n"
      "(a line longer than " +
      std::to_string(kLongestNumberLine) +
      " bytes reads as 0). Options go before --find, whose\n"
      "query takes every word after it.\n"
      "On a terminal, control characters from the data files are shown as \\xHH.\n"
      "Exit status: 0 success, 1 the data files could not be loaded or the output could\n"
      "not be written, 2 wrong usage, 3 warnings with --check --strict; --diff as\n"
      "diff(1): 0 the same, 1 different, 2 trouble.\n";
  return text;
}

std::string bashCompletion() {
  std::string words;
  std::string directories;
  std::string rest;
  for (const OptionRow& row : kOptions) {
    for (const std::string_view name : {row.shortName, row.name}) {
      if (name.empty())
        continue;
      words.append(words.empty() ? "" : " ").append(name);
      std::string& list = row.argument == Argument::kDirectory ? directories
                          : row.argument == Argument::kRest    ? rest
                                                               : words;
      if (&list != &words)
        list.append(list.empty() ? "" : "|").append(name);
    }
  }
  return "# bash completion for tamrix-cli (written by tamrix-cli --bash-completion)\n"
         "_tamrix_cli() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} word\n"
         "  # Every word after " +
         rest +
         " belongs to its query.\n"
         "  for word in \"${COMP_WORDS[@]:1:COMP_CWORD-1}\"; do\n"
         "    case $word in " +
         rest +
         ") return ;; esac\n"
         "  done\n"
         "  case $prev in\n"
         "    " +
         directories +
         ")\n"
         "      compopt -o filenames 2>/dev/null\n"
         "      COMPREPLY=($(compgen -d -- \"$cur\"))\n"
         "      return ;;\n"
         "  esac\n"
         "  [[ $cur == -* ]] && COMPREPLY=($(compgen -W \"" +
         words +
         "\" -- \"$cur\"))\n"
         "}\n"
         "complete -F _tamrix_cli tamrix-cli\n";
}

std::string usageError(std::string_view message) {
  return "tamrix-cli: " + std::string(message) + "\nTry 'tamrix-cli --help'.\n";
}

std::string versionText() {
  return "tamrix-cli " TAMRIX_VERSION "\n";
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
