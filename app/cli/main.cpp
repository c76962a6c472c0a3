// tamrix-cli: the dialog's answers on the command line, for scripts and for
// systems without a display.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/cli/authoring.h"
#include "app/cli/output.h"
#include "app/dialog_logic.h"
#include "app/encoding.h"
#include "app/version.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

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
    "       tamrix-cli [-C DIR] [--json] --explain NUMBER...\n"
    "       tamrix-cli [-C DIR] [--json] --diff OTHER_DIR\n"
    "Describes item numbers from the tables in the Data folder of the current directory.\n"
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
    "  --help     show this help\n"
    "  --version  show the version\n"
    "\n"
    "Without NUMBER arguments, one number is read from each line of standard input.\n"
    "Exit status: 0 success, 1 the data files could not be loaded, 2 wrong usage,\n"
    "3 warnings with --check --strict; --diff: see above.\n";

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
  bool help = false;
  bool version = false;
  std::vector<std::string> numbers;
};

// "-5" is a number, "-x" an option.
bool looksLikeNumber(std::string_view arg) {
  return arg.size() >= 2 && arg[0] == '-' && arg[1] >= '0' && arg[1] <= '9';
}

// Returns the usage error, or nothing when the arguments are valid.
std::optional<std::string> parseArguments(int argc, char** argv, Options& options) {
  bool raw = false;
  bool json = false;
  bool onlyNumbers = false;
  for (int i = 1; i < argc; ++i) {
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
  if (options.check + options.all + options.explain + options.diffDirectory.has_value() > 1)
    return "--check, --all, --explain and --diff exclude each other";
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

bool stdinIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stdin)) != 0;
#else
  return isatty(STDIN_FILENO) != 0;
#endif
}

void reportLoadFailure(const ItemDatabase& db, Format format) {
  const std::string message =
      db.lastError().value_or("tamrix-cli: the data files could not be loaded");
  const std::string shown = format == Format::kRaw ? message : cp1250ToUtf8(message);
  std::fwrite(shown.data(), 1, shown.size(), stderr);
  std::fputc('\n', stderr);
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
  const bool interactive = stdinIsTerminal();
  std::string line;
  for (;;) {
    if (interactive)
      std::fputs(kPrompt, stderr);
    if (!std::getline(std::cin, line))
      break;
    writeAnswer(stdout, format, db, readNumberField(line));
    if (interactive)
      std::fflush(stdout);
  }
  if (interactive)
    std::fputc('\n', stderr);
}

int run(int argc, char** argv) {
  Options options;
  if (const auto error = parseArguments(argc, argv, options)) {
    std::fprintf(stderr, "tamrix-cli: %s\nTry 'tamrix-cli --help'.\n", error->c_str());
    return kExitUsage;
  }
  if (options.help) {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (options.version) {
    std::fputs("tamrix-cli " TAMRIX_VERSION "\n", stdout);
    return kExitOk;
  }
#ifdef _WIN32
  // The same bytes on every platform: no CR LF translation, NUL bytes intact.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  // Both folders as named from the directory the program started in.
  const DataSetPlace here = dataSetPlace(options.directory.value_or(""));
  const std::optional<DataSetPlace> other =
      options.diffDirectory ? std::optional(dataSetPlace(*options.diffDirectory)) : std::nullopt;
  const int failure = other ? kExitDiffTrouble : kExitFailure;
  if (options.directory) {
    std::error_code error;
    std::filesystem::current_path(*options.directory, error);
    if (error) {
      std::fprintf(stderr, "tamrix-cli: cannot change into %s: %s\n", options.directory->c_str(),
                   error.message().c_str());
      return failure;
    }
  }

  // One database for the whole run, as the dialog has; it owns the last
  // description, so it lives as long as the output is written.
  ItemDatabase db;
  if (!loadDataFiles(db)) {
    reportLoadFailure(db, options.format);
    if (options.check || options.explain || other)
      reportFailurePlace(db, options.format, here);
    return failure;
  }
  int status = kExitOk;
  if (options.check) {
    std::fputs(loadSummary(db, options.format).c_str(), stdout);
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
      return failure;
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
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("tamrix-cli: cannot write the output\n", stderr);
    return failure;
  }
  return status;
}

}  // namespace
}  // namespace tamrix::cli

int main(int argc, char** argv) {
  return tamrix::cli::run(argc, argv);
}
