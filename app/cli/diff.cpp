#include "app/cli/diff.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/diagnostic.h"
#include "app/cli/output.h"
#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "app/json.h"
#include "authoring/catalogue_diff.h"
#include "search/query.h"

namespace tamrix::cli {

namespace {

// The lines of a description, each behind `mark`.
std::string markedLines(std::string_view mark, std::string_view text) {
  std::string out;
  for (;;) {
    const std::size_t feed = text.find('\n');
    out.append(mark).append(utf8(text.substr(0, feed))).append("\n");
    if (feed == std::string_view::npos)
      return out;
    text = text.substr(feed + 1);
  }
}

Json jsonDescription(const std::string& cp1250) {
  return cp1250.empty() ? Json(nullptr) : Json(utf8(cp1250));
}

// What a change group's numbers are: "grade 5", "prefixes 1 to 3, 9".
std::string listedRuns(const char* one, const char* many, const std::vector<int32_t>& values) {
  std::string text = values.size() == 1 ? one : many;
  for (std::size_t i = 0; i < values.size();) {
    std::size_t end = i + 1;
    while (end < values.size() && values[end] == values[end - 1] + 1)
      ++end;
    text += (i == 0 ? " " : ", ") + std::to_string(values[i]);
    if (end - i > 1)
      text += " to " + std::to_string(values[end - 1]);
    i = end;
  }
  return text;
}

// The parts a group lost or gained, UTF-8.
std::string partsText(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty())
      text += ' ';
    text += utf8(part);
  }
  return text.empty() ? "(nothing)" : text;
}

Json jsonParts(const std::vector<std::string>& parts) {
  Json list = Json::array();
  for (const std::string& part : parts)
    list.push_back(utf8(part));
  return list;
}

const char* kindName(ChangeGroup::Kind kind) {
  return kind == ChangeGroup::Kind::kAppeared      ? "appeared"
         : kind == ChangeGroup::Kind::kDisappeared ? "disappeared"
                                                   : "changed";
}

void writeChanges(Format format, const std::vector<CatalogueChange>& changes) {
  for (const CatalogueChange& c : changes) {
    const char* what = c.before.empty() ? "appeared" : c.after.empty() ? "disappeared" : "changed";
    if (format == Format::kJson) {
      Json record;
      record["number"] = c.number;
      record["change"] = what;
      record["old"] = jsonDescription(c.before);
      record["new"] = jsonDescription(c.after);
      writeOutput(stdout, jsonLine(record));
      continue;
    }
    std::string text = std::to_string(c.number) + " " + what + "\n";
    if (!c.before.empty())
      text += markedLines("- ", c.before);
    if (!c.after.empty())
      text += markedLines("+ ", c.after);
    writeOutput(stdout, text);
  }
}

// One line per group, "OLD → NEW: N items, grades ..., prefixes ..."; an
// empty line first sets them off from a list of numbers before them.
void writeChangeGroups(Format format, const std::vector<ChangeGroup>& groups, bool afterList) {
  std::string text = afterList && !groups.empty() ? "\n" : "";
  for (const ChangeGroup& g : groups) {
    if (format == Format::kJson) {
      Json record;
      record["group"] = kindName(g.kind);
      record["old"] = jsonParts(g.removed);
      record["new"] = jsonParts(g.added);
      record["count"] = g.numbers.size();
      record["numbers"] = g.numbers;
      record["grades"] = g.grades;
      record["prefixes"] = g.prefixes;
      writeOutput(stdout, jsonLine(record));
      continue;
    }
    text += g.kind != ChangeGroup::Kind::kChanged ? kindName(g.kind)
            : g.removed.empty() && g.added.empty()
                ? "the same parts in another order"
                : partsText(g.removed) + " \u2192 " + partsText(g.added);
    text += ": " + std::to_string(g.numbers.size()) +
            (g.numbers.size() == 1 ? " item, " : " items, ") +
            listedRuns("grade", "grades", g.grades) + ", " +
            listedRuns("prefix", "prefixes", g.prefixes) + "\n";
  }
  writeOutput(stdout, text);
}

// The numbers, in increasing order, that `query` finds in either set; nothing
// after writing why the query cannot be read.
std::optional<std::vector<int32_t>> foundInEither(const std::string& query, const ItemDatabase& a,
                                                  const ItemDatabase& b) {
  std::vector<int32_t> numbers;
  for (const ItemDatabase* db : {&a, &b}) {
    const SearchResult found = search(Catalogue(*db), query);
    if (found.error) {
      writeOutput(stderr, usageError(searchErrorEnglish(*found.error)));
      return std::nullopt;
    }
    std::vector<int32_t> both;
    std::set_union(numbers.begin(), numbers.end(), found.numbers.begin(), found.numbers.end(),
                   std::back_inserter(both));
    numbers = std::move(both);
  }
  return numbers;
}

}  // namespace

Outcome diffDataSets(const Options& options, const ItemDatabase& db, const DataSetPlaces& places) {
  const DataSetPlace& other = places.other;
  ItemDatabase otherDb(dataSetReader(other));
  if (!loadDataFiles(otherDb)) {
    writeOutput(stderr, utf8(otherDb.lastError().value_or("")) + "\n");
    reportFailurePlace(otherDb, options.format, other);
    return Outcome::kFailed;
  }
  std::vector<CatalogueChange> changes;
  if (options.filtered) {
    std::optional<std::vector<int32_t>> numbers = foundInEither(options.query, db, otherDb);
    if (!numbers)
      return Outcome::kUsage;
    changes = diffCatalogues(db, otherDb, *numbers);
  } else {
    changes = diffCatalogues(db, otherDb);
  }
  if (!options.summary)
    writeChanges(options.format, changes);
  if (options.summary || options.format != Format::kJson)
    writeChangeGroups(options.format, groupChanges(db, changes),
                      !changes.empty() && !options.summary);
  if (options.format != Format::kJson) {
    const auto appeared = std::count_if(changes.begin(), changes.end(),
                                        [](const CatalogueChange& c) { return c.before.empty(); });
    const auto disappeared = std::count_if(
        changes.begin(), changes.end(), [](const CatalogueChange& c) { return c.after.empty(); });
    const auto changed = std::ssize(changes) - appeared - disappeared;
    writeOutput(stdout, std::to_string(changes.size()) + " numbers differ: " +
                            std::to_string(changed) + " changed, " + std::to_string(appeared) +
                            " appeared, " + std::to_string(disappeared) + " disappeared\n");
  }
  return changes.empty() ? Outcome::kDone : Outcome::kDifferent;
}

}  // namespace tamrix::cli
