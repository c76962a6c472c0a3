#include "authoring/edit_review.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <span>
#include <string_view>
#include <utility>

#include "authoring/message_text.h"
#include "authoring/source_file.h"
#include "database/limits.h"
#include "decoder/describe.h"
#include "decoder/item_number.h"
#include "text/encoding.h"

namespace tamrix {

namespace {

// The bytes of each read file of one set, its lines, and the files read
// again as the authoring tools read them.
struct SetText {
  SetText(const DataFileSet& files, const FileReader& read, const ItemDatabase& loaded)
      : names(files), reader(read), db(loaded) {
    for (const DataFile file : kReadFiles) {
      const auto i = static_cast<std::size_t>(file);
      // A file that cannot be read is taken as empty.
      bytes[i] = read(files[file]);
      if (!bytes[i])
        bytes[i] = std::make_shared<const std::string>();
      lines[i] = linesOf(*bytes[i]);
    }
    sources = std::make_unique<SourceFiles>([this](const std::string& name) {
      const DataFile* file = names.find(name);
      return file ? bytes[static_cast<std::size_t>(*file)] : reader(name);
    });
  }

  // The records of the two multi-line files, read once.
  const TypeFileLayout& types(const SourceFile& file) {
    if (!typeLayout)
      typeLayout = typeFileLayout(file);
    return *typeLayout;
  }
  const std::vector<RndEntryLines>& prefixes(const SourceFile& file) {
    if (!rndLayout)
      rndLayout = rndFileLayout(file, db);
    return *rndLayout;
  }

  const DataFileSet& names;
  const FileReader& reader;
  const ItemDatabase& db;
  std::array<SharedBytes, kDataFileCount> bytes;
  std::array<std::vector<std::string_view>, kDataFileCount> lines;
  std::unique_ptr<SourceFiles> sources;
  std::optional<TypeFileLayout> typeLayout;
  std::optional<std::vector<RndEntryLines>> rndLayout;
};

// The data line of `file` read again that is line `line` (from 1), if any.
const DataLine* dataLineAt(const SourceFile* source, int32_t line) {
  if (source == nullptr)
    return nullptr;
  const auto at = std::lower_bound(source->lines().begin(), source->lines().end(), line,
                                   [](const DataLine& l, int32_t n) { return l.line < n; });
  return at != source->lines().end() && at->line == line ? &*at : nullptr;
}

// A piece of a data line (Windows-1250) as UTF-8, cut after 60 bytes.
std::string shortened(std::string_view text) {
  constexpr std::size_t kMost = 60;
  return text.size() <= kMost ? cp1250ToUtf8(text) : cp1250ToUtf8(text.substr(0, kMost)) + "...";
}

std::string firstToken(const DataLine& line) {
  return shortened(line.text().substr(0, line.text().find(' ')));
}

// What line `line` of `file` is in the set `set`: "type 3, amount line 2".
std::string recordOf(SetText& set, DataFile file, int32_t line) {
  const SourceFile* source = set.sources->file(set.names[file]);
  const DataLine* data = dataLineAt(source, line);
  if (data == nullptr)
    return source == nullptr || source->startLine == 0 || line < source->startLine
               ? "the file's header"
           : line == source->startLine ? "the -start- line"
                                       : "no data line";
  switch (file) {
    case DataFile::kSkills:
      return "skill " + firstToken(*data);
    case DataFile::kStdItems:
      return "item " + firstToken(*data);
    case DataFile::kTypes:
      for (const TypeRecordLines& r : set.types(*source).records) {
        const std::string type = "type " + (r.id ? firstToken(*r.id) : std::string("?"));
        if (data == r.id)
          return type + ", id line";
        if (data == r.count())
          return type + ", count line";
        if (!r.amounts().empty() && data >= &r.amounts().front() && data <= &r.amounts().back())
          return type + ", amount line " + std::to_string(data - &r.amounts().front() + 1);
      }
      return "a type record";
    case DataFile::kRndItems:
      for (const RndEntryLines& e : set.prefixes(*source)) {
        if (e.number == nullptr)
          continue;
        const bool inSkills =
            !e.skills.empty() && data >= &e.skills.front() && data <= &e.skills.back();
        if (data != e.number && data != e.name && data != e.type && !inSkills)
          continue;
        std::string prefix = "prefix " + shortened(e.number->text().substr(1));
        const auto& entries = set.db.rndItems();
        for (std::size_t i = 0; i < entries.size(); ++i)
          if (entries[i] && entries[i]->line == e.number->line)
            prefix = "prefix " + std::to_string(i);
        return prefix + (data == e.number ? ", number line"
                         : data == e.name ? ", name line"
                         : data == e.type
                             ? ", type line"
                             : ", skill line " + std::to_string(data - &e.skills.front() + 1));
      }
      return "a prefix entry";
    case DataFile::kChanges:
      for (const ChangeEntry& c : set.db.changes())
        if (c.line == line)
          return "change record for prefix " + std::to_string(c.prefixIndex) + " and kind " +
                 std::to_string(c.itemKind);
      return "a change record";
    default:
      return "a line";
  }
}

// "type 3, amount line 1 to amount line 3": what the place's first and
// last line are, the last without what both begin with.
std::string recordsOf(SetText& set, DataFile file, int32_t first, int32_t count) {
  std::string record = recordOf(set, file, first);
  if (count <= 1)
    return record;
  std::string last = recordOf(set, file, first + count - 1);
  if (last == record)
    return record;
  const std::size_t comma = record.rfind(", ");
  if (comma != std::string::npos && last.compare(0, comma + 2, record, 0, comma + 2) == 0)
    last.erase(0, comma + 2);
  return record + " to " + last;
}

std::string_view withoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
    line.remove_suffix(1);
  while (!line.empty() && line.front() == ' ')
    line.remove_prefix(1);
  return line;
}

// Whether `now` is every amount of `old` raised by `percent`, each rounded
// to the nearest (halves away from 0).
bool raisedBy(const std::vector<int64_t>& old, const std::vector<int64_t>& now, int64_t percent) {
  for (std::size_t i = 0; i < old.size(); ++i) {
    const int64_t x = old[i] * (100 + percent);
    if ((x >= 0 ? (x + 50) / 100 : -((-x + 50) / 100)) != now[i])
      return false;
  }
  return true;
}

// What became of a type's amount line: "grade 5: 7 → 9", or "amounts +10%"
// when every amount is raised or lowered by that share and one of them is
// large enough (10 or more) for the share to show; nothing otherwise.
std::optional<std::string> amountChange(const std::vector<Token>& oldTokens,
                                        const std::vector<Token>& newTokens) {
  // The loader reads a grade's amount from each of the first kTypeGrades.
  const std::size_t size =
      std::min(std::max(oldTokens.size(), newTokens.size()), std::size_t{kTypeGrades});
  std::vector<int64_t> old(size);
  std::vector<int64_t> now(size);
  int changed = 0;
  int64_t largest = 0;
  std::string only;
  for (std::size_t i = 0; i < size; ++i) {
    old[i] = i < oldTokens.size() ? std::stoll(std::string(oldTokens[i].text)) : 0;
    now[i] = i < newTokens.size() ? std::stoll(std::string(newTokens[i].text)) : 0;
    if (old[i] == now[i])
      continue;
    ++changed;
    largest = std::max(largest, std::abs(old[i]));
    only = "grade " + std::to_string(i) + ": " + std::to_string(old[i]) + " \u2192 " +
           std::to_string(now[i]);
  }
  if (changed == 0)
    return "the same amounts, written otherwise";
  if (changed == 1)
    return only;
  if (largest < 10)
    return std::nullopt;
  for (int64_t step = 1; step <= 1000; ++step)
    for (const int64_t percent : {step, -step})
      if (percent >= -100 && raisedBy(old, now, percent))
        return "amounts " + withSign(percent) + "%";
  return std::nullopt;
}

// What became of the lines of `place`: added, removed, or one line's
// change in the fewest words.
std::string changeOf(SetText& old, SetText& now, const ChangedPlace& place) {
  const LineHunk& h = place.lines;
  const auto lines = [](int32_t n) {
    return n == 1 ? std::string("line") : std::to_string(n) + " lines";
  };
  if (h.oldCount == 0)
    return h.newCount == 1 ? "added" : "added " + lines(h.newCount);
  if (h.newCount == 0)
    return "removed old " + lines(h.oldCount) + " " + std::to_string(h.oldFirst + 1) +
           (h.oldCount > 1 ? " to " + std::to_string(h.oldFirst + h.oldCount) : "");
  if (h.oldCount > 1 || h.newCount > 1)
    return lines(h.oldCount) + " \u2192 " + lines(h.newCount);
  const std::size_t i = static_cast<std::size_t>(place.file);
  const DataLine* a = dataLineAt(old.sources->file(old.names[place.file]), h.oldFirst + 1);
  const DataLine* b = dataLineAt(now.sources->file(now.names[place.file]), h.newFirst + 1);
  const std::string_view before =
      a ? a->text() : withoutLineEnd(old.lines[i][static_cast<std::size_t>(h.oldFirst)]);
  const std::string_view after =
      b ? b->text() : withoutLineEnd(now.lines[i][static_cast<std::size_t>(h.newFirst)]);
  if (before == after)
    return "the same data, written otherwise";
  const std::vector<Token> x = tokensOf(before);
  const std::vector<Token> y = tokensOf(after);
  const auto plain = [](const std::vector<Token>& t) {
    return std::all_of(t.begin(), t.end(),
                       [](const Token& k) { return isPlainNumber(k.text) && k.text.size() < 12; });
  };
  if (place.file == DataFile::kTypes && place.record.find(", amount line ") != std::string::npos &&
      plain(x) && plain(y))
    if (std::optional<std::string> amounts = amountChange(x, y))
      return *amounts;
  if (x.size() == y.size()) {
    std::size_t differ = 0;
    std::size_t at = 0;
    for (std::size_t k = 0; k < x.size(); ++k)
      if (x[k].text != y[k].text)
        ++differ, at = k;
    // One field, unless it is a piece of a quoted name.
    if (differ == 1 && x[at].text.find('"') == std::string_view::npos &&
        y[at].text.find('"') == std::string_view::npos)
      return shortened(x[at].text) + " \u2192 " + shortened(y[at].text);
  }
  return shortened(before) + " \u2192 " + shortened(after);
}

// The places of one file: hunks that give as many lines as they take are a
// place per line, and so is every line of a file whose records are a line
// each.
void addPlaces(DataFile file, std::span<const std::string_view> old,
               std::span<const std::string_view> now, const std::vector<LineHunk>& hunks,
               std::vector<ChangedPlace>& places) {
  const bool lineRecords = file != DataFile::kTypes && file != DataFile::kRndItems;
  const auto add = [&](LineHunk lines) {
    ChangedPlace& place = places.emplace_back();
    place.file = file;
    place.lines = lines;
  };
  for (const LineHunk& h : hunks) {
    if (h.oldCount != h.newCount && !lineRecords) {
      add(h);
      continue;
    }
    const int32_t both = std::min(h.oldCount, h.newCount);
    for (int32_t k = 0; k < both; ++k) {
      // A hunk past the bound of a shortest edit holds lines in common.
      const int32_t a = h.oldFirst + k;
      const int32_t b = h.newFirst + k;
      if (old[static_cast<std::size_t>(a)] != now[static_cast<std::size_t>(b)])
        add({a, 1, b, 1});
    }
    for (int32_t k = both; k < h.oldCount; ++k)
      add({h.oldFirst + k, 1, h.newFirst + both, 0});
    for (int32_t k = both; k < h.newCount; ++k)
      add({h.oldFirst + h.oldCount, 0, h.newFirst + k, 1});
  }
}

// Takes the nearest neighbours within a file together until at most
// `most` places are left.
std::vector<ChangedPlace> joined(std::vector<ChangedPlace> places, int32_t most) {
  if (std::ssize(places) <= most)
    return places;
  std::vector<std::pair<int32_t, std::size_t>> gaps;  // lines between place i and i + 1
  for (std::size_t i = 0; i + 1 < places.size(); ++i)
    if (places[i].file == places[i + 1].file)
      gaps.emplace_back(
          places[i + 1].lines.oldFirst - (places[i].lines.oldFirst + places[i].lines.oldCount), i);
  std::sort(gaps.begin(), gaps.end());
  std::vector<bool> withNext(places.size());
  const std::size_t joins = std::min(gaps.size(), places.size() - static_cast<std::size_t>(most));
  for (std::size_t g = 0; g < joins; ++g)
    withNext[gaps[g].second] = true;
  std::vector<ChangedPlace> out;
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (i > 0 && withNext[i - 1]) {
      ChangedPlace& last = out.back();
      const LineHunk& h = places[i].lines;
      last.lines.oldCount = h.oldFirst + h.oldCount - last.lines.oldFirst;
      last.lines.newCount = h.newFirst + h.newCount - last.lines.newFirst;
      ++last.joined;
      continue;
    }
    out.push_back(places[i]);
  }
  return out;
}

// The old file with only `place` applied.
std::string appliedAlone(const SetText& old, const SetText& now, const ChangedPlace& place) {
  const std::size_t i = static_cast<std::size_t>(place.file);
  const std::span<const std::string_view> a = old.lines[i];
  const std::span<const std::string_view> b = now.lines[i];
  std::string text;
  const auto append = [&](std::span<const std::string_view> lines) {
    for (const std::string_view line : lines)
      text += line;
  };
  const auto first = static_cast<std::size_t>(place.lines.oldFirst);
  append(a.subspan(0, first));
  append(b.subspan(static_cast<std::size_t>(place.lines.newFirst),
                   static_cast<std::size_t>(place.lines.newCount)));
  append(a.subspan(first + static_cast<std::size_t>(place.lines.oldCount)));
  return text;
}

void gatherSpans(ChangedPlace& place, const ItemDatabase& db) {
  for (const ChangeGroup& g : place.groups)
    for (const int32_t number : g.numbers)
      place.numbers.push_back(number);
  std::sort(place.numbers.begin(), place.numbers.end());
  for (const int32_t number : place.numbers)
    if (const std::optional<ItemNumber> item = decomposeItemNumber(db, number)) {
      addOnce(place.grades, item->grade);
      addOnce(place.prefixes, item->prefix);
    }
}

}  // namespace

int32_t placesAloneLimit(std::size_t changeCount, std::size_t setBytes) {
  constexpr std::size_t kBytesPerDescription = 100;
  const std::size_t work = changeCount + setBytes / kBytesPerDescription;
  const std::size_t fit = kDescriptionBudget / std::max<std::size_t>(work, 1);
  return static_cast<int32_t>(std::clamp<std::size_t>(fit, kMinPlacesAlone, kMaxPlacesAlone));
}

EditReview reviewEdit(const DataFileSet& files, const FileReader& before, const FileReader& after,
                      const ItemDatabase& beforeDb, const ItemDatabase& afterDb,
                      const std::vector<CatalogueChange>& changes, int32_t maxPlaces) {
  SetText old(files, before, beforeDb);
  SetText now(files, after, afterDb);
  std::vector<ChangedPlace> found;
  for (const DataFile file : kReadFiles) {
    const auto i = static_cast<std::size_t>(file);
    addPlaces(file, old.lines[i], now.lines[i], diffLines(old.lines[i], now.lines[i]), found);
  }
  EditReview review;
  review.placesFound = static_cast<int32_t>(found.size());
  std::size_t setBytes = 0;
  for (const SharedBytes& bytes : old.bytes)
    setBytes += bytes ? bytes->size() : 0;
  review.places = joined(std::move(found),
                         maxPlaces > 0 ? maxPlaces : placesAloneLimit(changes.size(), setBytes));
  std::vector<bool> explained(changes.size());
  std::string text;
  for (ChangedPlace& place : review.places) {
    const bool added = place.lines.newCount > 0;
    place.record = recordsOf(added ? now : old, place.file,
                             (added ? place.lines.newFirst : place.lines.oldFirst) + 1,
                             added ? place.lines.newCount : place.lines.oldCount);
    place.change = changeOf(old, now, place);
    if (changes.empty())
      continue;
    const auto patched = std::make_shared<const std::string>(appliedAlone(old, now, place));
    const std::string& patchedName = files[place.file];
    ItemDatabase alone([&](const std::string& name) -> SharedBytes {
      if (name == patchedName)
        return patched;
      const DataFile* file = files.find(name);
      return file ? old.bytes[static_cast<std::size_t>(*file)] : before(name);
    });
    if (!alone.loadAll(files)) {
      place.loadError = alone.lastError().value_or("");
      continue;
    }
    std::vector<CatalogueChange> itsChanges;
    for (std::size_t c = 0; c < changes.size(); ++c) {
      describeItem(alone, changes[c].number, text);
      if (text == changes[c].before)
        continue;
      explained[c] = true;
      itsChanges.push_back({changes[c].number, changes[c].before, text});
    }
    place.groups = groupChanges(afterDb, itsChanges);
    gatherSpans(place, afterDb);
  }
  std::vector<CatalogueChange> rest;
  for (std::size_t c = 0; c < changes.size(); ++c)
    if (!explained[c])
      rest.push_back(changes[c]);
  review.together = groupChanges(afterDb, rest);
  return review;
}

}  // namespace tamrix
