// tamrix-cli: the dialog's answers on the command line, for scripts and for
// systems without a display. The arguments choose one mode (options.h);
// main runs it once.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "app/cli/answers.h"
#include "app/cli/authoring.h"
#include "app/cli/compare.h"
#include "app/cli/console.h"
#include "app/cli/data_search.h"
#include "app/cli/find.h"
#include "app/cli/options.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "app/version.h"
#include "disk/disk_reader.h"
#include "text/encoding.h"

namespace tamrix::cli {
namespace {

// Finds the data set (-C DIR, or where the Linux dialog finds it), changes
// into its folder, loads the data files as the dialog does and, when they
// load, runs `mode` on them with the set's place.
Outcome withData(const Options& options,
                 const std::function<Outcome(const ItemDatabase&, const DataSetPlace&)>& mode) {
  const DataSearch found = options.directory ? DataSearch{} : searchDataSet();
  const std::optional<std::string> directory =
      found.directory ? found.directory : options.directory;
  const DataSetPlace place = dataSetPlace(pathFromUtf8(directory.value_or("")));
  const bool escape = options.format == Format::kText;
  if (directory) {
    std::error_code error;
    std::filesystem::current_path(place.shown, error);
    if (error) {
      setUpStream(stderr, Payload::kText, escape);
      writeOutput(stderr,
                  "tamrix-cli: cannot change into " + *directory + ": " + error.message() + "\n");
      return Outcome::kFailed;
    }
  }
  // One database for the whole run, as the dialog has.
  ItemDatabase db(diskReader());
  if (!loadDataFiles(db)) {
    // --raw writes the error as the Windows-1250 bytes it is.
    const std::string error = db.lastError().value_or("tamrix-cli: the data files did not load");
    writeOutput(stderr, (options.format == Format::kRaw ? error : cp1250ToUtf8(error)) + "\n");
    if (options.mode == Mode::kCheck || options.mode == Mode::kExplain ||
        options.mode == Mode::kDiff)
      reportFailurePlace(db, options.format, place);
    reportFoldersTried(found);
    return Outcome::kFailed;
  }
  return mode(db, place);
}

Outcome runMode(const Options& options) {
  // --raw writes Windows-1250 bytes, the load error included; the human
  // format keeps a data file's control bytes off a terminal.
  const Payload payload = options.format == Format::kRaw ? Payload::kBytes : Payload::kText;
  const bool escape = options.format == Format::kText;
  setUpStream(stdout, payload, escape);
  setUpStream(stderr, payload, escape);
  // Named from the directory the program started in, before any change.
  const DataSetPlace other = dataSetPlace(pathFromUtf8(options.otherDirectory));
  const auto on = [&](auto run) { return withData(options, run); };
  using Place = const DataSetPlace&;
  switch (options.mode) {
    case Mode::kHelp:
      writeOutput(stdout, helpText());
      return Outcome::kDone;
    case Mode::kVersion:
      writeOutput(stdout, "tamrix-cli " TAMRIX_VERSION "\n");
      return Outcome::kDone;
    case Mode::kCompletion:
      writeOutput(stdout, bashCompletion());
      return Outcome::kDone;
    case Mode::kDescribe:
      return on([&](const ItemDatabase& db, Place) { return describeNumbers(options, db); });
    case Mode::kAll:
      return on([&](const ItemDatabase& db, Place) { return describeAll(options, db); });
    case Mode::kFind:
      return on([&](const ItemDatabase& db, Place) { return findItems(options, db); });
    case Mode::kCheck:
      return on(
          [&](const ItemDatabase& db, Place here) { return checkDataSet(options, db, here); });
    case Mode::kExplain:
      return on(
          [&](const ItemDatabase& db, Place here) { return explainNumbers(options, db, here); });
    case Mode::kDiff:
      return on([&](const ItemDatabase& db, Place) { return diffDataSets(options, db, other); });
    case Mode::kCompare:
      return on([&](const ItemDatabase& db, Place) { return compareNumbers(options, db); });
  }
  return Outcome::kFailed;
}

int run(const std::vector<std::string>& arguments) {
  useBinaryOutput();
  Options options;
  const std::span<const std::string> afterName =
      arguments.empty() ? std::span<const std::string>() : std::span(arguments).subspan(1);
  if (const auto error = parseArguments(afterName, options)) {
    writeOutput(stderr, "tamrix-cli: " + *error + "\nTry 'tamrix-cli --help'.\n");
    return finishOutput(exitStatus(Mode::kDescribe, Outcome::kUsage));
  }
  setWriteFailureStatus(exitStatus(options.mode, Outcome::kFailed));
  return finishOutput(exitStatus(options.mode, runMode(options)));
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
