// The rows of tamrix-cli's option table and how they are read; options.cpp
// parses the arguments with it, help.cpp writes --help and the completion.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/cli/answers.h"
#include "app/cli/check.h"
#include "app/cli/compare.h"
#include "app/cli/diff.h"
#include "app/cli/explain.h"
#include "app/cli/find.h"
#include "app/cli/fix.h"
#include "app/cli/language_server.h"
#include "app/cli/options.h"
#include "search/compare.h"

namespace tamrix::cli {

using ModeSet = uint32_t;

constexpr ModeSet bit(Mode mode) {
  return ModeSet{1} << static_cast<unsigned>(mode);
}

// The modes that load a data set.
inline constexpr ModeSet kDataModes = bit(Mode::kDescribe) | bit(Mode::kAll) | bit(Mode::kFind) |
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
  kCount,      // the next argument, a whole number of 0 or more
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
inline constexpr std::array kOptions = {
    OptionRow{.role = Role::kMode,
              .mode = Mode::kDescribe,
              .minNumbers = 0,
              .maxNumbers = -1,
              .action = {.run = describeNumbers}},
    OptionRow{.name = "-C",
              .modes = kDataModes | bit(Mode::kFix),
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
    OptionRow{.name = "--max-warnings",
              .modes = bit(Mode::kCheck),
              .argument = Argument::kCount,
              .argumentName = "N",
              .store = [](Options& o, std::string n) { o.maxWarnings = std::stoull(n); },
              .help = "with --check: print only the first N warnings, then how many more\n"
                      "there are"},
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
                      "OTHER_DIR, then each data line that differs with the items it\n"
                      "changes, grouped, and a count"},
    OptionRow{.name = "--summary",
              .modes = bit(Mode::kDiff),
              .store = [](Options& o, std::string) { o.summary = true; },
              .help = "with --diff: only the changed data lines, their groups and the\n"
                      "count"},
    OptionRow{.name = "--fix",
              .role = Role::kMode,
              .mode = Mode::kFix,
              .action = {.alone = fixDataSet},
              .help = "repair the data files' mechanical slips (line ends, a line written in\n"
                      "UTF-8, tabs and no-break spaces between fields, typographic quotes):\n"
                      "each repaired file is written whole, the old one kept as FILE.bak, and\n"
                      "each repair listed as FILE:LINE:COLUMN: fixed: what. Reads the Data\n"
                      "folder below the current directory (or -C DIR)"},
    OptionRow{.name = "--dry-run",
              .modes = bit(Mode::kFix),
              .store = [](Options& o, std::string) { o.dryRun = true; },
              .help = "with --fix: only list the repairs, write nothing"},
    OptionRow{.name = "--lsp",
              .role = Role::kMode,
              .mode = Mode::kLsp,
              .action = {.alone = serveLanguage},
              .help = "serve the data files to an editor as a language server on standard\n"
                      "input and output: diagnostics as --check --strict gives them, hover,\n"
                      "go to definition, outline and repairs (docs/editors.md)"},
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
inline constexpr ModeSet kImmediateModes =
    bit(Mode::kHelp) | bit(Mode::kVersion) | bit(Mode::kCompletion);

// The row of the option that chooses `mode`.
const OptionRow& modeRow(Mode mode);

// How the usage lines and the errors name a mode.
std::string modeName(Mode mode);

// The option's name with its argument, as usage lines show it.
std::string withArgument(const OptionRow& row);

}  // namespace tamrix::cli
