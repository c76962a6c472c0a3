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
#include "authoring/edit_review.h"
#include "search/catalogue.h"
#include "search/query.h"
#include "search/search_error.h"

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

const char* kindName(ChangeGroup::Kind kind) {
  return kind == ChangeGroup::Kind::kAppeared      ? "appeared"
         : kind == ChangeGroup::Kind::kDisappeared ? "disappeared"
                                                   : "changed";
}

// What a group lost, gained and changed, each side apart:
// "lost: +3 hidegsebzés; sebzés: 1d6+1 → 1d6+4"; UTF-8.
std::string groupText(const ChangeGroup& g) {
  if (g.kind != ChangeGroup::Kind::kChanged)
    return kindName(g.kind);
  std::vector<std::string> segments;
  const auto listed = [&](const char* label, const std::vector<std::string>& parts) {
    if (parts.empty())
      return;
    std::string text = label;
    for (std::size_t i = 0; i < parts.size(); ++i)
      text += (i == 0 ? ": " : ", ") + utf8(parts[i]);
    segments.push_back(text);
  };
  listed("lost", g.lost);
  listed("gained", g.gained);
  for (const ChangedValue& part : g.changed)
    segments.push_back(utf8(part.what) + ": " + utf8(part.before) + " \u2192 " + utf8(part.after));
  std::string text;
  for (const std::string& segment : segments)
    text += (text.empty() ? "" : "; ") + segment;
  return text.empty() ? "the same parts in another order" : text;
}

// "K items, grades G, prefixes P"
std::string countText(const std::vector<int32_t>& numbers, const std::vector<int32_t>& grades,
                      const std::vector<int32_t>& prefixes) {
  return std::to_string(numbers.size()) + (numbers.size() == 1 ? " item, " : " items, ") +
         listedRuns("grade", "grades", grades) + ", " + listedRuns("prefix", "prefixes", prefixes);
}

Json jsonTexts(const std::vector<std::string>& parts) {
  Json list = Json::array();
  for (const std::string& part : parts)
    list.push_back(utf8(part));
  return list;
}

Json jsonGroups(const std::vector<ChangeGroup>& groups) {
  Json list = Json::array();
  for (const ChangeGroup& g : groups) {
    Json record;
    record["group"] = kindName(g.kind);
    record["lost"] = jsonTexts(g.lost);
    record["gained"] = jsonTexts(g.gained);
    record["changed"] = Json::array();
    for (const ChangedValue& part : g.changed)
      record["changed"].push_back(
          {{"what", utf8(part.what)}, {"old", utf8(part.before)}, {"new", utf8(part.after)}});
    record["count"] = g.numbers.size();
    record["numbers"] = g.numbers;
    record["grades"] = g.grades;
    record["prefixes"] = g.prefixes;
    list.push_back(std::move(record));
  }
  return list;
}

// A line per group, behind two blanks.
std::string groupLines(const std::vector<ChangeGroup>& groups) {
  std::string text;
  for (const ChangeGroup& g : groups)
    text += "  " + groupText(g) + ": " + countText(g.numbers, g.grades, g.prefixes) + "\n";
  return text;
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

// Each changed place, "FILE:LINE (what the line is): what became of it:"
// and the items it changes alone, then a line per group of them; then the
// items that only the places together change. An empty line first sets them
// off from a list of numbers before them.
// With `--find`, a place that changes none of the items found is left out.
void writeReview(Format format, const DataSetPlace& place, const DataFileSet& files,
                 const EditReview& review, bool afterList, bool filtered) {
  std::string text;
  if (review.placesFound > std::ssize(review.places))
    text += std::to_string(review.placesFound) + " changed places, more than " +
            std::to_string(review.places.size()) + ": neighbouring ones taken together\n";
  for (const ChangedPlace& p : review.places) {
    if (filtered && p.numbers.empty() && !p.loadError)
      continue;
    const SourceLine where{files[p.file], p.lines.newFirst + 1};
    if (format == Format::kJson) {
      Json record = jsonPlace(place, where);
      record["oldLine"] = p.lines.oldFirst + 1;
      record["removed"] = p.lines.oldCount;
      record["added"] = p.lines.newCount;
      record["joined"] = p.joined;
      record["record"] = p.record;
      record["change"] = p.change;
      record["loadError"] = p.loadError ? Json(utf8(*p.loadError)) : Json(nullptr);
      record["count"] = p.numbers.size();
      record["grades"] = p.grades;
      record["prefixes"] = p.prefixes;
      record["groups"] = jsonGroups(p.groups);
      writeOutput(stdout, jsonLine(record));
      continue;
    }
    text += location(place, where) + " (" + p.record + "): " + p.change + ": " +
            (p.loadError         ? "alone, the set does not load: " + utf8(*p.loadError)
             : p.numbers.empty() ? std::string("no item changes")
                                 : countText(p.numbers, p.grades, p.prefixes)) +
            "\n" + groupLines(p.groups);
  }
  if (!review.together.empty()) {
    std::size_t count = 0;
    for (const ChangeGroup& g : review.together)
      count += g.numbers.size();
    if (format == Format::kJson) {
      Json record;
      record["file"] = nullptr;
      record["line"] = nullptr;
      record["record"] = "the places together";
      record["count"] = count;
      record["groups"] = jsonGroups(review.together);
      writeOutput(stdout, jsonLine(record));
    } else {
      text += "the places together, none alone: " + std::to_string(count) +
              (count == 1 ? " item\n" : " items\n") + groupLines(review.together);
    }
  }
  writeOutput(stdout, (afterList && !text.empty() ? "\n" : "") + text);
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
    writeReview(options.format, other, dialogDataFiles(),
                reviewEdit(dialogDataFiles(), dataSetReader(places.here), dataSetReader(other), db,
                           otherDb, changes),
                !changes.empty() && !options.summary, options.filtered);
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
