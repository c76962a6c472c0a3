#include "authoring/data_warnings.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "database/data_line_reader.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

std::string quoted(std::string_view name) {
  return std::string("\"").append(name).append("\"");
}

std::string str(int64_t value) {
  return std::to_string(value);
}

// "A" or "A to B".
std::string span(int64_t first, int64_t last) {
  return first == last ? str(first) : str(first) + " to " + str(last);
}

// The text as the reader sees it: a Ctrl-Z ends it.
std::string_view textOf(const std::string& bytes) {
  return std::string_view(bytes).substr(0, bytes.find('\x1A'));
}

int32_t lineAt(std::string_view text, std::size_t pos) {
  return 1 + static_cast<int32_t>(std::count(text.begin(), text.begin() + pos, '\n'));
}

// Where the first multi-byte sequence starts when every byte of `text` is
// ASCII or part of a well-formed UTF-8 sequence; nothing otherwise. Accented
// Windows-1250 text almost never passes: its letters are single bytes above
// 0x7F followed by ASCII.
std::optional<std::size_t> firstUtf8Sequence(std::string_view text) {
  std::optional<std::size_t> first;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || i + length > text.size())
      return std::nullopt;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
        return std::nullopt;
    first = first.value_or(i);
    i += length;
  }
  return first;
}

class Checker {
 public:
  Checker(const ItemDatabase& db, const DataFileNames& files, const FileReader& readFile)
      : db_(db), files_(files), readFile_(readFile) {}

  std::vector<DataWarning> run() {
    for (const std::string* name : fileOrder())
      checkEncoding(*name);
    checkSkills();
    checkStdItems();
    checkTypes();
    checkRndItems();
    checkChanges();
    const auto rank = [this](const DataWarning& w) {
      const auto order = fileOrder();
      const auto found = std::find_if(order.begin(), order.end(), [&](const std::string* name) {
        return *name == w.where.fileName;
      });
      return std::pair(found - order.begin(), w.where.line);
    };
    std::stable_sort(warnings_.begin(), warnings_.end(),
                     [&](const DataWarning& a, const DataWarning& b) { return rank(a) < rank(b); });
    return std::move(warnings_);
  }

 private:
  std::array<const std::string*, 5> fileOrder() const {
    return {&files_.skills, &files_.stdItems, &files_.types, &files_.rndItems, &files_.changes};
  }

  void add(const std::string& fileName, int32_t line, std::string code, std::string message) {
    warnings_.push_back({{fileName, line}, std::move(code), std::move(message)});
  }

  bool hasSkill(int32_t index) const {
    return index >= 0 && index < db_.skillCount() && db_.skills()[static_cast<std::size_t>(index)];
  }
  bool skillTableEmpty() const {
    return std::none_of(db_.skills().begin(), db_.skills().end(),
                        [](const auto& skill) { return skill.has_value(); });
  }
  // The bonus table holds the skills and, behind them, the three damage numbers.
  int32_t sumCount() const { return db_.skillCount() + 3; }

  // A bonus that lands on a skill without a line; reported only while the
  // skill table has lines at all (an empty one is reported once).
  void checkTargetSkill(const std::string& fileName, int32_t line, int32_t skill,
                        const std::string& what) {
    if (skill >= 0 && skill < db_.skillCount() && !hasSkill(skill) && !skillTableEmpty())
      add(fileName, line, "bonus-to-empty-skill",
          what + " goes to skill " + str(skill) +
              ", which has no line in the skill file: " + "it shows as \"?\"");
  }

  void checkEncoding(const std::string& fileName) {
    const std::optional<std::string> bytes = readFile_(fileName);
    if (!bytes) {
      // It loaded, but is gone or locked now: what it would warn of is unknown.
      add(fileName, 0, "file-unreadable",
          "the file cannot be read again to look for warnings: check it once more");
      return;
    }
    const std::string_view text = textOf(*bytes);
    if (const std::optional<std::size_t> pos = firstUtf8Sequence(text))
      add(fileName, lineAt(text, *pos), "utf8-text",
          "the file looks like UTF-8, not Windows-1250: its accented letters will show wrong");
  }

  // The line of the -start- marker, where an empty table's data would begin.
  int32_t startLine(const std::string& fileName) const {
    const std::optional<std::string> bytes = readFile_(fileName);
    if (!bytes)
      return 0;
    DataLineReader reader(*bytes);
    return reader.skipHeader() ? reader.lineNumber() : 0;
  }

  void checkSkills() {
    if (skillTableEmpty())
      add(files_.skills, startLine(files_.skills), "empty-table",
          "no skill has a line: every bonus shows as \"?\"");
  }

  void checkStdItems() {
    const auto& items = db_.stdItems();
    const int32_t base = db_.specItemCount();
    static constexpr std::array<std::pair<int32_t, int32_t StdItemEntry::*>, 3> kOwnSkills = {
        {{kDurabilitySkill, &StdItemEntry::skill6Bonus},
         {kHitChanceSkill, &StdItemEntry::skill7Bonus},
         {kDefenceSkill, &StdItemEntry::skill8Bonus}}};
    std::optional<int32_t> runStart;
    for (int32_t slot = 0; slot <= db_.stdItemCount(); ++slot) {
      const bool unwritten =
          slot < db_.stdItemCount() && items[static_cast<std::size_t>(slot)].line == 0;
      if (unwritten) {
        runStart = runStart.value_or(slot);
        continue;
      }
      if (runStart) {
        add(files_.stdItems, 0, "std-slot-empty",
            "no line gives item number " + span(base + *runStart, base + slot - 1) +
                ": its name reads \"?\"");
        runStart.reset();
      }
      if (slot == db_.stdItemCount())
        break;
      const StdItemEntry& item = items[static_cast<std::size_t>(slot)];
      if (item.kind < kFirstKind || item.kind > kLastKind) {
        const bool groupBase = db_.groupSize() > 0 && slot % db_.groupSize() == 0;
        add(files_.stdItems, item.line, "kind-out-of-range",
            "kind " + str(item.kind) + " is outside " + span(kFirstKind, kLastKind) +
                ": the rest of the line is ignored" +
                (groupBase ? ", so the items of its group are of no kind (no weapon remark, no "
                             "damage line)"
                           : ""));
      }
      for (const auto& [skill, field] : kOwnSkills)
        if (item.*field != 0)
          checkTargetSkill(files_.stdItems, item.line, skill,
                           "the item's own bonus of " + str(item.*field));
    }
  }

  void checkTypes() {
    for (const TypeEntry& type : db_.types())
      if (const TypeEntry* first = db_.findType(type.id); first != &type)
        add(files_.types, type.line, "type-id-repeated",
            "type id " + str(type.id) + " is defined again: only the first record (line " +
                str(first->line) + ") counts");
    if (const std::optional<std::string> bytes = readFile_(files_.types))
      checkAmountLines(*bytes);
  }

  // The tables keep neither the numbers beyond the 15th nor a record that the
  // end of the file cut short, so the type file is read again for them.
  void checkAmountLines(const std::string& bytes) {
    DataLineReader reader(bytes);
    if (!reader.skipHeader())
      return;
    std::string line;
    while (reader.readDataLine(line)) {
      const int32_t recordLine = reader.lineNumber();
      if (!reader.readDataLine(line))
        return;
      const int32_t count = readNumber(line);
      std::vector<std::ptrdiff_t> numbers;
      for (int32_t i = 0; i < std::max(count, 1); ++i) {
        if (!reader.readDataLine(line)) {
          add(files_.types, recordLine, "type-short",
              "the file ends after " + str(i) + " of this type's " + str(count) +
                  " amount lines: the record is dropped");
          return;
        }
        numbers.push_back(std::count(line.begin(), line.end(), ' ') + 1);
        if (numbers.back() > kTypeGrades)
          add(files_.types, reader.lineNumber(), "amount-line-long",
              "the amount line holds " + str(numbers.back()) + " numbers: those after the " +
                  str(kTypeGrades) + "th are ignored");
      }
      // An amount line that holds a single number, among longer ones, is
      // most likely the next record's id: this record has fewer amount lines
      // than its count, and the records after it are read out of step.
      const auto single = std::find(numbers.begin() + 1, numbers.end(), 1);
      if (numbers.size() > 1 && numbers.front() > 1 && single != numbers.end())
        add(files_.types, recordLine, "type-short",
            "amount line " + str(single - numbers.begin() + 1) +
                " holds a single number: the type seems to have fewer amount lines than its "
                "count of " +
                str(count) + ", so the next record's id is read as an amount line");
    }
  }

  void checkRndItems() {
    const auto& prefixes = db_.rndItems();
    const int32_t first = db_.specItemCount();
    const int32_t blockSize = db_.stdItemCount();
    // Slot 0 stands for "no prefix": no item number reaches its entry.
    if (std::none_of(prefixes.begin() + std::min<std::ptrdiff_t>(1, std::ssize(prefixes)),
                     prefixes.end(), [](const auto& prefix) { return prefix.has_value(); })) {
      add(files_.rndItems, startLine(files_.rndItems), "empty-table",
          "no random prefix has an entry: no item number above " + str(first + blockSize - 1) +
              " has a description");
      return;
    }
    const std::string effect =
        db_.findType(0) != nullptr ? "their names begin with \"?\"" : "they have no description";
    std::optional<int32_t> runStart;
    for (int32_t slot = 1; slot <= db_.rndItemCount(); ++slot) {
      if (slot < db_.rndItemCount() && !prefixes[static_cast<std::size_t>(slot)]) {
        runStart = runStart.value_or(slot);
        continue;
      }
      if (runStart) {
        add(files_.rndItems, 0, "prefix-slot-empty",
            "no entry gives random prefix " + span(*runStart, slot - 1) + " (item numbers " +
                span(int64_t{first} + int64_t{*runStart} * blockSize,
                     int64_t{first} + int64_t{slot} * blockSize - 1) +
                "): " + effect);
        runStart.reset();
      }
      if (slot < db_.rndItemCount())
        checkPrefix(slot, *prefixes[static_cast<std::size_t>(slot)]);
    }
  }

  void checkPrefix(int32_t slot, const RndItemEntry& prefix) {
    const std::string name = "random prefix " + str(slot) + " " + quoted(prefix.name);
    const TypeEntry* type = db_.findType(prefix.typeId);
    if (type == nullptr) {
      add(files_.rndItems, prefix.line, "prefix-type-missing",
          name + " has no type (type id " + str(prefix.typeId) +
              "; the entry may end before its type line): its items have no description");
      return;
    }
    for (int32_t i = 0; i < type->lineCount; ++i) {
      const int32_t skill = prefix.skillIndex[static_cast<std::size_t>(i)];
      const std::string what = name + ", amount line " + str(i + 1) + ",";
      if (skill < 0 || skill >= sumCount()) {
        add(files_.rndItems, prefix.line, "prefix-skill-outside",
            what + " has skill index " + str(skill) + ", outside the bonus table (0 to " +
                str(sumCount() - 1) + "): it adds nothing");
        continue;
      }
      const auto& amounts = type->amounts[static_cast<std::size_t>(i)];
      // The chaos item's grade shows no bonus.
      if (std::any_of(amounts.begin(), amounts.begin() + kChaosGrade,
                      [](int32_t a) { return a != 0; }))
        checkTargetSkill(files_.rndItems, prefix.line, skill, what);
    }
  }

  void checkChanges() {
    for (const ChangeEntry& change : db_.changes()) {
      const ChangeEntry* first = db_.findChange(change.prefixIndex, change.itemKind);
      if (first != &change) {
        add(files_.changes, change.line, "change-hidden",
            "the record on line " + str(first->line) + " has the same prefix (" +
                str(change.prefixIndex) + ") and kind (" + str(change.itemKind) +
                "): this one never applies");
        continue;
      }
      const int32_t target = change.skillIndex;
      if (target != -1 && (target < -sumCount() || target >= sumCount()))
        add(files_.changes, change.line, "change-target-outside",
            "target " + str(target) +
                " is outside the bonus table (-1 for the damage bonus, 0 to " +
                str(db_.skillCount() - 1) + " for a skill): it adds nothing");
      else
        checkTargetSkill(files_.changes, change.line, target, "the change record's bonus");
    }
  }

  const ItemDatabase& db_;
  const DataFileNames& files_;
  const FileReader& readFile_;
  std::vector<DataWarning> warnings_;
};

}  // namespace

std::vector<DataWarning> findDataWarnings(const ItemDatabase& db, const DataFileNames& files,
                                          const FileReader& readFile) {
  return Checker(db, files, readFile).run();
}

}  // namespace tamrix
