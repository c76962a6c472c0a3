#include "app/cli/answers.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/console.h"
#include "app/cli/line_input.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "decoder/item_number.h"
#include "search/catalogue.h"

namespace tamrix::cli {

namespace {

#ifdef _WIN32
constexpr const char* kPrompt = "Item number (Ctrl-Z, Enter ends): ";
#else
constexpr const char* kPrompt = "Item number (Ctrl-D ends): ";
#endif

void describeStandardInput(Format format, const ItemDatabase& db) {
  const bool interactive = isTerminal(stdin);
  std::string line;
  for (;;) {
    if (interactive)
      writeOutput(stderr, kPrompt);
    if (!readNumberLine(stdin, line))
      break;
    writeFieldAnswer(stdout, format, db, line);
    if (interactive)
      flushOutput(stdout);
  }
  if (interactive)
    writeOutput(stderr, "\n");
}

}  // namespace

Outcome describeNumbers(const Options& options, const ItemDatabase& db, const DataSetPlaces&) {
  if (options.numbers.empty())
    describeStandardInput(options.format, db);
  for (const std::string& arg : options.numbers)
    writeFieldAnswer(stdout, options.format, db, arg);
  return Outcome::kDone;
}

Outcome describeAll(const Options& options, const ItemDatabase& db, const DataSetPlaces&) {
  if (options.format == Format::kCsv) {
    const Catalogue catalogue(db);
    std::vector<int32_t> numbers;
    numbers.reserve(catalogue.items().size());
    for (const CatalogueItem& item : catalogue.items())
      numbers.push_back(item.number);
    writeCsv(stdout, catalogue, numbers);
    return Outcome::kDone;
  }
  const ItemNumberRange range = itemNumberRange(db);
  for (int64_t n = range.first; n < range.end; ++n)
    writeAnswer(stdout, options.format, db, static_cast<int32_t>(n), /*skipEmpty=*/true);
  return Outcome::kDone;
}

}  // namespace tamrix::cli
