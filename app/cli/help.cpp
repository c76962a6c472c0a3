// --help, --version and the bash completion, written from the option table.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/cli/line_input.h"
#include "app/cli/option_table.h"
#include "app/cli/options.h"
#include "app/version.h"

namespace tamrix::cli {

namespace {

// A mode's help with its counts of NUMBER arguments put in.
std::string helpOf(const OptionRow& row) {
  std::string help(row.help);
  for (const auto& [mark, value] : {std::pair{"%min", row.minNumbers}, {"%max", row.maxNumbers}}) {
    if (const std::size_t at = help.find(mark); at != std::string::npos)
      help.replace(at, std::string_view(mark).size(), std::to_string(value));
  }
  return help;
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
      " bytes reads as 0). The query of --find takes every\n"
      "word after it but the options, which count wherever they stand (after --,\n"
      "every word is the query's).\n"
      "On a terminal, control characters from the data files are shown as \\xHH.\n"
      "Exit status: 0 success, 1 the data files could not be loaded or the output could\n"
      "not be written, 2 wrong usage, 3 warnings with --check --strict; --diff as\n"
      "diff(1): 0 the same, 1 different, 2 trouble.\n";
  return text;
}

namespace {

// Whether `row` goes with `rest`, an option that takes every word after it:
// the parser takes it there as an option, and it is honoured rather than
// refused (a format or setting of its mode or of a mode it narrows down,
// that mode itself, or one that ends the run at once).
bool goesWith(const OptionRow& row, const OptionRow& rest) {
  if (row.argument == Argument::kRest)
    return false;
  const ModeSet modes = bit(rest.mode) | rest.filters;
  if (row.role != Role::kMode)
    return (row.modes & modes) != 0;
  return (bit(row.mode) & (rest.filters | kImmediateModes)) != 0;
}

// The names of the rows that `keep` keeps, blank-separated.
template <typename Keep>
std::string optionNames(Keep keep) {
  std::string names;
  for (const OptionRow& row : kOptions)
    for (const std::string_view name : {row.shortName, row.name})
      if (!name.empty() && keep(row))
        names.append(names.empty() ? "" : " ").append(name);
  return names;
}

}  // namespace

std::string bashCompletion() {
  std::string directories;
  std::string rest;
  for (const OptionRow& row : kOptions) {
    for (const std::string_view name : {row.shortName, row.name}) {
      if (name.empty())
        continue;
      if (row.argument == Argument::kDirectory)
        directories.append(directories.empty() ? "" : "|").append(name);
      if (row.argument == Argument::kRest)
        rest.append("      ")
            .append(name)
            .append(") words=\"")
            .append(optionNames([&row](const OptionRow& other) { return goesWith(other, row); }))
            .append("\" ;;\n");
    }
  }
  return "# bash completion for tamrix-cli (written by tamrix-cli --bash-completion)\n"
         "_tamrix_cli() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} word\n"
         "  local words=\"" +
         optionNames([](const OptionRow&) { return true; }) +
         "\"\n"
         "  # The words after an option that takes the rest are its own, but for\n"
         "  # the options that go with it; every word after -- is an operand.\n"
         "  for word in \"${COMP_WORDS[@]:1:COMP_CWORD-1}\"; do\n"
         "    case $word in\n"
         "      --) return ;;\n" +
         rest +
         "    esac\n"
         "  done\n"
         "  case $prev in\n"
         "    " +
         directories +
         ")\n"
         "      compopt -o filenames 2>/dev/null\n"
         "      COMPREPLY=($(compgen -d -- \"$cur\"))\n"
         "      return ;;\n"
         "  esac\n"
         "  [[ $cur == -* ]] && COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
         "}\n"
         "complete -F _tamrix_cli tamrix-cli\n";
}

std::string versionText() {
  return "tamrix-cli " TAMRIX_VERSION "\n";
}

}  // namespace tamrix::cli
