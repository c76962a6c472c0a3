// tamrix-cli's command line. One table (options.cpp) lists every option:
// the mode it chooses or the modes it goes with, and its help. The same
// table reads the arguments, decides every usage error, writes --help and
// the bash completion, so that none of them can disagree with another.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/data_set_place.h"

namespace tamrix {
class ItemDatabase;
}

namespace tamrix::cli {

// What one run does.
enum class Mode {
  kDescribe,  // each NUMBER, or each line of standard input
  kAll,
  kFind,
  kCheck,
  kExplain,
  kDiff,
  kCompare,
  kHelp,
  kVersion,
  kCompletion,
  kLsp,
  kFix,
};

enum class Format { kText, kRaw, kJson, kCsv };

struct Options {
  Mode mode = Mode::kDescribe;
  Format format = Format::kText;
  std::optional<std::string> directory;  // -C, UTF-8
  bool strict = false;                   // --check --strict
  std::optional<uint64_t> maxWarnings;   // --check --max-warnings
  std::string otherDirectory;            // --diff, UTF-8
  std::string query;                     // --find, UTF-8
  bool filtered = false;                 // --find narrows another mode's items (--diff)
  bool summary = false;                  // --diff --summary
  bool dryRun = false;                   // --fix --dry-run
  std::vector<std::string> numbers;      // NUMBER arguments, as given
};

// Reads the arguments that follow the program's name into `options`.
// Returns the usage error, or nothing.
std::optional<std::string> parseArguments(std::span<const std::string> arguments, Options& options);

// A usage error as written to standard error, with the line that points to
// --help.
std::string usageError(std::string_view message);

// The text of --help.
std::string helpText();

// A bash script that completes tamrix-cli's options (--bash-completion).
std::string bashCompletion();

// How a run ended, and the exit status that says so.
enum class Outcome {
  kDone,       // also when --find matches nothing
  kFailed,     // the data files did not load, -C failed, or a write failed
  kUsage,      // wrong usage, or a --find query that cannot be read
  kWarnings,   // --check --strict: the data loaded with warnings
  kDifferent,  // --diff: the two sets describe some number differently
};

// 0 done, 1 failed, 2 usage, 3 warnings; --diff answers as diff(1) does:
// 0 the same, 1 different, 2 any trouble.
int exitStatus(Mode mode, Outcome outcome);

// What a mode runs, from its row of the option table: a text it writes
// without data, a run of its own that reads the data files as it needs
// them, or a run on the data set loaded for it.
struct ModeAction {
  std::string (*text)() = nullptr;
  Outcome (*alone)(const Options&) = nullptr;
  Outcome (*run)(const Options&, const ItemDatabase&, const DataSetPlaces&) = nullptr;
  // After a failed load, it also says where and why (reportFailurePlace).
  bool reportsFailurePlace = false;
};
ModeAction actionOf(Mode mode);

// The text of --version.
std::string versionText();

}  // namespace tamrix::cli
