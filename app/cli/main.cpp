// tamrix-cli: the dialog's answers on the command line, for scripts and for
// systems without a display. The arguments choose one mode (options.h);
// main runs what the mode's row names, once.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "app/cli/console.h"
#include "app/cli/data_search.h"
#include "app/cli/data_set_place.h"
#include "app/cli/diagnostic.h"
#include "app/cli/options.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "disk/disk_reader.h"
#include "text/encoding.h"

namespace tamrix::cli {
namespace {

// Finds the data set (-C DIR, or where the Linux dialog finds it), changes
// into its folder, loads the data files as the dialog does and, when they
// load, runs the mode on them.
Outcome runOnData(const Options& options, const ModeAction& action) {
  // Named from the directory the program started in, before any change.
  const DataSetPlace other = dataSetPlace(pathFromUtf8(options.otherDirectory));
  const DataSearch found = options.directory ? DataSearch{} : searchDataSet();
  const std::optional<std::string> directory =
      found.directory ? found.directory : options.directory;
  const DataSetPlace place = dataSetPlace(pathFromUtf8(directory.value_or("")));
  if (directory) {
    std::error_code error;
    std::filesystem::current_path(place.shown, error);
    if (error) {
      setUpStream(stderr, Payload::kText, options.format == Format::kText);
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
    if (action.reportsFailurePlace)
      reportFailurePlace(db, options.format, place);
    reportFoldersTried(found);
    return Outcome::kFailed;
  }
  return action.run(options, db, {place, other});
}

Outcome runMode(const Options& options) {
  // --raw writes Windows-1250 bytes, the load error included; the human
  // format keeps a data file's control bytes off a terminal.
  const Payload payload = options.format == Format::kRaw ? Payload::kBytes : Payload::kText;
  const bool escape = options.format == Format::kText;
  setUpStream(stdout, payload, escape);
  setUpStream(stderr, payload, escape);
  const ModeAction action = actionOf(options.mode);
  if (action.text != nullptr) {
    writeOutput(stdout, action.text());
    return Outcome::kDone;
  }
  if (action.alone != nullptr)
    return action.alone(options);
  return runOnData(options, action);
}

int run(const std::vector<std::string>& arguments) {
  useBinaryOutput();
  Options options;
  const std::span<const std::string> afterName =
      arguments.empty() ? std::span<const std::string>() : std::span(arguments).subspan(1);
  if (const auto error = parseArguments(afterName, options)) {
    writeOutput(stderr, usageError(*error));
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
