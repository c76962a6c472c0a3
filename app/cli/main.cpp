// tamrix-cli: the dialog's answers on the command line, for scripts and for
// systems without a display.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/cli/authoring.h"
#include "app/cli/console.h"
#include "app/cli/data_search.h"
#include "app/cli/find.h"
#include "app/cli/line_input.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "app/version.h"
#include "text/encoding.h"

namespace tamrix::cli {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitWarnings = 3;     // --check --strict: the data loaded with warnings
constexpr int kExitDiffers = 1;      // --diff, as diff(1) has it: the catalogues differ
constexpr int kExitDiffTrouble = 2;  // --diff: a set did not load, or another failure

constexpr const char* kUsage =
    "Usage: tamrix-cli [-C DIR] [--raw | --json] [--check [--strict]] [--all] [NUMBER...]\n"
    "       tamrix-cli [-C DIR] [--raw | --json] --find QUERY\n"
    "       tamrix-cli [-C DIR] [--json] --explain NUMBER...\n"
    "       tamrix-cli [-C DIR] [--json] --diff OTHER_DIR\n"
    "Describes item numbers from the tables in the Data folder of the current directory\n"
    "or, on Linux, when that has no data files, of $XDG_DATA_HOME/tamrix or the installed set.\n"
    "\n"
    "  -C DIR     change into DIR before loading the data files\n"
    "  --raw      write the exact Windows-1250 description of each number, then a NUL byte\n"
    "  --json     write one JSON object per line: {\"number\":N,\"name\":...,\"description\":...}\n"
    "  --check    only load the data files and print a summary, then any warnings;\n"
    "             after a failed load, also FILE:LINE and the rule that rejected it\n"
    "  --strict   with --check: warnings fail the check (exit status 3)\n"
    "  --explain  show how each NUMBER's text comes about, with the data lines it uses\n"
    "  --diff OTHER_DIR  list every number whose description differs in the data set of\n"
    "             OTHER_DIR, then a summary (exit status 0 same, 1 different, 2 trouble)\n"
    "  --all      describe every item number that has a description (1000 to 29799)\n"
    "  --find QUERY\n"
    "             describe the items that match QUERY, as --all does. Terms: words of the\n"
    "             name, \"phrases\", SKILL>=N (also <=, >, <, =), kind:N, kind:weapon,\n"
    "             grade:N..M, prefix:N, -TERM for not; case and accents do not matter.\n"
    "             Example: --find 'kard tuzsebzes>=4 grade:10..14' (docs/search.md)\n"
    "  --help     show this help\n"
    "  --version  show the version\n"
    "\n"
    "Without NUMBER arguments, one number is read from each line of standard input\n"
    "(a line longer than 1024 bytes reads as 0).\n"
    "On a terminal, control characters from the data files are shown as \\xHH.\n"
    "Exit status: 0 success, 1 the data files could not be loaded or the output could\n"
    "not be written, 2 wrong usage, 3 warnings with --check --strict; --diff: see above.\n";

#ifdef _WIN32
constexpr const char* kPrompt = "Item number (Ctrl-Z, Enter ends): ";
#else
constexpr const char* kPrompt = "Item number (Ctrl-D ends): ";
#endif

struct Options {
  std::optional<std::string> directory;
  Format format = Format::kText;
  bool check = false;
  bool strict = false;
  bool explain = false;
  std::optional<std::string> diffDirectory;
  bool all = false;
  std::optional<std::string> find;
  bool help = false;
  bool version = false;
  std::vector<std::string> numbers;
};

// "-5" is a number, "-x" an option.
bool looksLikeNumber(std::string_view arg) {
  return arg.size() >= 2 && arg[0] == '-' && arg[1] >= '0' && arg[1] <= '9';
}

// Returns the usage error, or nothing when the arguments are valid.
std::optional<std::string> parseArguments(const std::vector<std::string>& argv, Options& options) {
  const size_t argc = argv.size();
  bool raw = false;
  bool json = false;
  bool onlyNumbers = false;
  for (size_t i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (onlyNumbers || arg.empty() || arg[0] != '-' || looksLikeNumber(arg)) {
      options.numbers.emplace_back(arg);
    } else if (arg == "--") {
      onlyNumbers = true;
    } else if (arg == "-C") {
      if (i + 1 >= argc)
        return "-C needs a directory";
      options.directory = argv[++i];
    } else if (arg == "--raw") {
      raw = true;
    } else if (arg == "--json") {
      json = true;
    } else if (arg == "--check") {
      options.check = true;
    } else if (arg == "--strict") {
      options.strict = true;
    } else if (arg == "--explain") {
      options.explain = true;
    } else if (arg == "--diff") {
      if (i + 1 >= argc)
        return "--diff needs a directory";
      options.diffDirectory = argv[++i];
    } else if (arg == "--all") {
      options.all = true;
    } else if (arg == "--find") {
      if (i + 1 >= argc)
        return "--find needs a query";
      options.find = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else {
      return "unknown option " + std::string(arg);
    }
  }
  if (raw && json)
    return "--raw and --json cannot be combined";
  if (options.check && (options.all || !options.numbers.empty())) {
    return "--check takes neither --all nor NUMBER arguments";
  }
  if (options.all && !options.numbers.empty())
    return "--all takes no NUMBER arguments";
  if (options.check + options.all + options.explain + options.diffDirectory.has_value() +
          options.find.has_value() >
      1)
    return "--check, --all, --find, --explain and --diff exclude each other";
  if (options.find && !options.numbers.empty())
    return "--find takes no NUMBER arguments";
  if (options.strict && !options.check)
    return "--strict goes with --check only";
  if (raw && (options.explain || options.diffDirectory))
    return "--raw goes with neither --explain nor --diff";
  if (options.explain && options.numbers.empty())
    return "--explain needs NUMBER arguments";
  if (options.diffDirectory && !options.numbers.empty())
    return "--diff takes no NUMBER arguments";
  options.format = raw ? Format::kRaw : json ? Format::kJson : Format::kText;
  return std::nullopt;
}

void reportLoadFailure(const ItemDatabase& db, Format format) {
  const std::string message =
      db.lastError().value_or("tamrix-cli: the data files could not be loaded");
  const std::string shown = format == Format::kRaw ? message : cp1250ToUtf8(message);
  writeOutput(stderr, shown + '\n');
}

// Every number from the item-number base up to the last block, in order.
void describeAll(ItemDatabase& db, Format format) {
  const int64_t first = db.specItemCount();
  const int64_t end = first + int64_t{db.rndItemCount()} * db.stdItemCount();
  for (int64_t n = first; n < end && n <= INT32_MAX; ++n) {
    writeAnswer(stdout, format, db, static_cast<int32_t>(n), /*skipEmpty=*/true);
  }
}

void describeStdin(ItemDatabase& db, Format format) {
  const bool interactive = isTerminal(stdin);
  std::string line;
  for (;;) {
    if (interactive)
      writeOutput(stderr, kPrompt);
    if (!readNumberLine(stdin, line))
      break;
    writeAnswer(stdout, format, db, readNumberField(line));
    if (interactive)
      flushOutput(stdout);
  }
  if (interactive)
    writeOutput(stderr, "\n");
}

int run(const std::vector<std::string>& arguments) {
  useBinaryOutput();
  Options options;
  if (const auto error = parseArguments(arguments, options)) {
    writeOutput(stderr, "tamrix-cli: " + *error + "\nTry 'tamrix-cli --help'.\n");
    return finishOutput(kExitUsage);
  }
  if (options.help) {
    writeOutput(stdout, kUsage);
    return finishOutput(kExitOk);
  }
  if (options.version) {
    writeOutput(stdout, "tamrix-cli " TAMRIX_VERSION "\n");
    return finishOutput(kExitOk);
  }
  // --raw writes Windows-1250 bytes, the load error included; the human
  // format keeps a data file's control bytes off a terminal.
  const Payload payload = options.format == Format::kRaw ? Payload::kBytes : Payload::kText;
  const bool escape = options.format == Format::kText;
  setUpStream(stdout, payload, escape);
  setUpStream(stderr, payload, escape);
  // Without -C, the data set is the one the Linux dialog would read.
  const DataSearch found = options.directory ? DataSearch{} : searchDataSet();
  if (found.directory)
    options.directory = found.directory;
  // Both folders as named from the directory the program started in.
  const DataSetPlace here = dataSetPlace(options.directory.value_or(""));
  const std::optional<DataSetPlace> other =
      options.diffDirectory ? std::optional(dataSetPlace(*options.diffDirectory)) : std::nullopt;
  const int failure = other ? kExitDiffTrouble : kExitFailure;
  setWriteFailureStatus(failure);
  if (options.directory) {
    // The argument is UTF-8 on every platform.
    const std::u8string directory(options.directory->begin(), options.directory->end());
    std::error_code error;
    std::filesystem::current_path(std::filesystem::path(directory), error);
    if (error) {
      setUpStream(stderr, Payload::kText, escape);
      writeOutput(stderr, "tamrix-cli: cannot change into " + *options.directory + ": " +
                              error.message() + "\n");
      return finishOutput(failure);
    }
  }

  // One database for the whole run, as the dialog has; it owns the last
  // description, so it lives as long as the output is written.
  ItemDatabase db;
  if (!loadDataFiles(db)) {
    reportLoadFailure(db, options.format);
    if (options.check || options.explain || other)
      reportFailurePlace(db, options.format, here);
    reportFoldersTried(found);
    return finishOutput(failure);
  }
  int status = kExitOk;
  if (options.find) {
    status = findItems(db, options.format, *options.find);
  } else if (options.check) {
    writeOutput(stdout, loadSummary(db, options.format));
    if (writeWarnings(db, options.format, here) > 0 && options.strict)
      status = kExitWarnings;
  } else if (options.explain) {
    std::vector<int32_t> numbers;
    for (const std::string& arg : options.numbers)
      numbers.push_back(readNumberField(arg));
    writeExplanations(db, options.format, here, numbers);
  } else if (other) {
    ItemDatabase otherDb(dataSetReader(*other));
    if (!loadDataFiles(otherDb)) {
      reportLoadFailure(otherDb, options.format);
      reportFailurePlace(otherDb, options.format, *other);
      return finishOutput(failure);
    }
    status = writeCatalogueDiff(db, otherDb, options.format) ? kExitDiffers : kExitOk;
  } else if (options.all) {
    describeAll(db, options.format);
  } else if (!options.numbers.empty()) {
    for (const std::string& arg : options.numbers) {
      writeAnswer(stdout, options.format, db, readNumberField(arg));
    }
  } else {
    describeStdin(db, options.format);
  }
  return finishOutput(status);
}

}  // namespace
}  // namespace tamrix::cli

#ifdef _WIN32
// The arguments as UTF-16, so that an accented folder or query arrives
// whatever the ANSI code page.
int wmain(int argc, wchar_t** argv) {
  return tamrix::cli::run(tamrix::cli::utf8Arguments(argc, argv));
}
#else
int main(int argc, char** argv) {
  return tamrix::cli::run(std::vector<std::string>(argv, argv + argc));
}
#endif
