#include "authoring/data_warnings.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>

#include "authoring/source_file.h"
#include "authoring/wording.h"
#include "database/kind_layout.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

using Code = WarningCode;

// Messages never put a colon right after a number: editors would read
// "kind 11:" as a place.
std::string str(int64_t value) {
  return std::to_string(value);
}

// "A" or "A to B".
std::string span(int64_t first, int64_t last) {
  return first == last ? str(first) : str(first) + " to " + str(last);
}

std::string quoted(std::string_view name) {
  return std::string("\"").append(name).append("\"");
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

// The line and column of byte `pos` of a file's text.
SourceLine placeIn(const std::string& fileName, std::string_view text, std::size_t pos) {
  const std::size_t lineStart = pos == 0 ? 0 : text.rfind('\n', pos - 1) + 1;  // npos + 1 is 0
  return {fileName,
          1 + static_cast<int32_t>(std::count(text.begin(), text.begin() + lineStart, '\n')),
          static_cast<int32_t>(pos - lineStart) + 1};
}

// The text between the first and the last double quote of a line.
std::string_view nameOf(std::string_view line) {
  const std::size_t first = line.find('"');
  const std::size_t last = line.rfind('"');
  return first == last ? std::string_view() : line.substr(first + 1, last - first - 1);
}

// A note at `line` of `fileName`. Built member by member: GCC 12 takes the
// nested braces of a note inside a list for a use of uninitialised memory.
DataNote noteAt(const std::string& fileName, int32_t line, std::string message) {
  DataNote note;
  note.where.fileName = fileName;
  note.where.line = line;
  note.message = std::move(message);
  return note;
}

// The note for a type record whose line count makes the records after it
// read out of step.
DataNote outOfStepNote(const std::string& typeFile, const TypeRecordLines& record) {
  return noteAt(typeFile, record.count->line,
                "the line count of type " + str(readNumber(record.id->text)) +
                    " does not seem to match its amount lines: the records after it are read out "
                    "of step");
}

// The note for the count line that decides how many skill index lines an
// entry of that type reads.
DataNote skillLinesNote(const std::string& typeFile, const TypeEntry& type) {
  return noteAt(typeFile, type.countLine,
                "the line count of type " + str(type.id) + " is " + str(type.lineCount) +
                    ", so an entry of that type reads " +
                    (type.lineCount > 1 ? str(type.lineCount) + " skill index lines"
                                        : std::string("one skill index line")));
}

// Whether an entry's type is read out of step: it is the type whose count
// seems wrong or one after it.
bool readOutOfStep(const TypeFileLayout& types, const TypeEntry* type) {
  return types.outOfStep != nullptr && type != nullptr && type->line >= types.outOfStep->id->line;
}

class Checker {
 public:
  Checker(const ItemDatabase& db, const DataFileSet& files, const FileReader& readFile)
      : db_(db), files_(files), sources_(readFile) {}

  std::vector<DataWarning> run() {
    std::array<const SourceFile*, kDataFileCount> texts{};
    for (const DataFile file : kReadFiles) {
      const std::string& name = files_[file];
      const SourceFile*& text = texts[static_cast<std::size_t>(file)];
      text = sources_.file(name);
      if (text == nullptr) {
        // It loaded, but is gone or locked now: what it would warn of is unknown.
        add({name}, Code::kFileUnreadable,
            "the file cannot be read again to look for warnings: check it once more");
        text = &unreadable_;
      }
      checkText(name, *text);
    }
    const auto textOf = [&texts](DataFile file) -> const SourceFile& {
      return *texts[static_cast<std::size_t>(file)];
    };
    checkSkills(textOf(DataFile::kSkills));
    checkStdItems(textOf(DataFile::kStdItems));
    checkTypes(textOf(DataFile::kTypes));
    checkRndItems(textOf(DataFile::kRndItems));
    checkChanges(textOf(DataFile::kChanges));
    // In load order, then by place.
    const auto rank = [this](const DataWarning& w) {
      const DataFile* file = files_.find(w.where.fileName);
      return std::tuple(file != nullptr ? static_cast<std::size_t>(*file) : kDataFileCount,
                        w.where.line, w.where.column);
    };
    std::stable_sort(warnings_.begin(), warnings_.end(),
                     [&](const DataWarning& a, const DataWarning& b) { return rank(a) < rank(b); });
    return std::move(warnings_);
  }

 private:
  void add(SourceLine where, Code code, std::string message, std::vector<DataNote> notes = {}) {
    warnings_.push_back({std::move(where), std::string(codeWording(code).name), std::move(message),
                         std::move(notes)});
  }

  bool hasSkill(int32_t index) const {
    return index >= 0 && index < db_.skillCount() && db_.skills()[static_cast<std::size_t>(index)];
  }
  bool skillTableEmpty() const {
    return std::none_of(db_.skills().begin(), db_.skills().end(),
                        [](const auto& skill) { return skill.has_value(); });
  }
  int32_t sumCount() const { return BonusLayout{db_.skillCount()}.size(); }

  std::string skillLabel(int32_t skill) const {
    const std::optional<SkillEntry>& entry =
        hasSkill(skill) ? db_.skills()[static_cast<std::size_t>(skill)] : std::nullopt;
    return "skill " + str(skill) + " " + quoted(entry ? std::string_view(entry->name) : "?");
  }
  // One of the three damage numbers behind the skills.
  std::string damageName(int32_t sum) const {
    const int32_t behind = sum - db_.skillCount();
    return behind == 0 ? "damage sides" : behind == 1 ? "damage dice" : "damage bonus";
  }

  // A bonus that lands on a skill without a line; reported only while the
  // skill table has lines at all (an empty one is reported once).
  void checkTargetSkill(const SourceLine& where, int32_t skill, const std::string& what) {
    if (skill >= 0 && skill < db_.skillCount() && !hasSkill(skill) && !skillTableEmpty())
      add(where, Code::kBonusToEmptySkill,
          what + " goes to skill " + str(skill) +
              ", which has no line in the skill file, so it shows as \"?\"");
  }

  // The number field of `line` that starts at byte `at` of its text. Returns
  // false when it is missing.
  bool numberField(const std::string& fileName, const DataLine& line, std::size_t at,
                   const std::string& what) {
    const std::string_view text = line.text;
    if (at < text.size() && text[at] == ' ')
      ++at;  // read past, as a number is (after a prefix's marker)
    const std::size_t quote = text.find('"');
    if (at >= text.size() || (quote != std::string_view::npos && at >= quote)) {
      add({fileName, line.line, line.column(std::min(at, text.size()))}, Code::kNumberMissing,
          what + " is missing: " +
              (at < text.size() ? "the name's quote stands in its place"
                                : "the line ends before it") +
              ", so it reads as 0");
      return false;
    }
    const std::string_view token = text.substr(at, text.find(' ', at) - at);
    // A tab or a carriage return in it has a warning of its own.
    if (!isPlainNumber(token) && token.find_first_of("\t\r") == std::string_view::npos)
      add({fileName, line.line, line.column(at)}, Code::kNumberText,
          what + " " + quoted(token) + " reads as " + str(readNumber(token)));
    return true;
  }

  // A key (skill index, slot) and the line that gives it.
  struct Keyed {
    int64_t key;
    const DataLine* line;
    int32_t column;
  };

  // Every line whose key an earlier line gave; the last line for a key counts.
  void warnRepeats(const std::string& fileName, const std::vector<Keyed>& lines, Code code,
                   const std::function<std::string(int64_t)>& what) {
    std::map<int64_t, const DataLine*> last;
    for (const Keyed& k : lines)
      last[k.key] = k.line;
    std::map<int64_t, const DataLine*> before;
    for (const Keyed& k : lines) {
      const auto found = before.find(k.key);
      if (found != before.end()) {
        const DataLine* counts = last[k.key];
        add({fileName, k.line->line, k.column}, code,
            what(k.key) + " is given again: " +
                (counts == k.line ? std::string("this line counts, not the one before")
                                  : "the last line for it counts, line " + str(counts->line)),
            {noteAt(fileName, found->second->line, what(k.key) + " was given here before")});
      }
      before[k.key] = k.line;
    }
  }

  void checkText(const std::string& fileName, const SourceFile& file) {
    const std::optional<std::size_t> utf8 = firstUtf8Sequence(file.text);
    if (utf8)
      add(placeIn(fileName, file.text, *utf8), Code::kUtf8Text,
          "the file looks like UTF-8, not Windows-1250: its accented letters will show wrong");
    for (std::size_t cr = file.text.find('\r'); cr != std::string::npos;
         cr = file.text.find('\r', cr + 1)) {
      if (cr + 1 < file.text.size() && file.text[cr + 1] == '\n')
        continue;
      add(placeIn(fileName, file.text, cr), Code::kCrLineEnds,
          "a carriage return without a line feed: a line that ends so is read as one with the "
          "next");
      break;
    }
    for (const DataLine& line : file.lines) {
      const std::string_view stored = line.stored;
      const std::size_t open = stored.find('"');
      const std::size_t close = stored.rfind('"');
      for (std::size_t tab = stored.find('\t'); tab != std::string_view::npos;
           tab = stored.find('\t', tab + 1)) {
        if (open != close && tab > open && tab < close)
          continue;
        add({fileName, line.line, line.offset + static_cast<int32_t>(tab) + 1}, Code::kTab,
            "a tab outside a name: fields are separated by blanks only, so it joins the text "
            "around it");
        break;
      }
      if (const std::optional<std::size_t> at = utf8 ? std::nullopt : firstUtf8Sequence(stored))
        add({fileName, line.line, line.offset + static_cast<int32_t>(*at) + 1}, Code::kUtf8Line,
            "the line is written in UTF-8 in a Windows-1250 file: its accented letters will show "
            "wrong");
    }
  }

  void checkSkills(const SourceFile& file) {
    const std::string& name = files_[DataFile::kSkills];
    if (skillTableEmpty())
      add({name, file.startLine}, Code::kEmptyTable,
          "no skill has a line: every bonus shows as \"?\"");
    std::vector<Keyed> indices;
    for (const DataLine& line : file.lines) {
      numberField(name, line, 0, "the skill index");
      if (const std::size_t blank = line.text.find(' '); blank != std::string::npos)
        numberField(name, line, blank + 1, "the doubling flag");
      indices.push_back({readNumber(line.text), &line, line.column(0)});
    }
    warnRepeats(name, indices, Code::kSkillRepeated,
                [](int64_t index) { return "skill index " + str(index); });
  }

  static std::string fieldName(StdNumberField field) {
    if (field == &StdItemEntry::damageSides)
      return "the damage sides";
    if (field == &StdItemEntry::damageDice)
      return "the damage dice";
    if (field == &StdItemEntry::damageBonus)
      return "the damage bonus";
    return "the skill " + str(ownNumberOf(field).skill) + " bonus";
  }

  // Where the line that counts for a standard item slot gives its fields.
  struct StdPlace {
    const DataLine* line = nullptr;
    std::size_t kindAt = 0;
    KindLayout layout{};
    std::array<std::size_t, 5> fieldAt{};
  };

  void checkStdItems(const SourceFile& file) {
    const std::string& name = files_[DataFile::kStdItems];
    const auto& items = db_.stdItems();
    const int32_t base = db_.specItemCount();
    std::vector<StdPlace> places(items.size());
    std::vector<Keyed> numbers;
    for (const DataLine& line : file.lines) {
      const std::string_view text = line.text;
      const int64_t slot = int64_t{readNumber(text)} - base;
      const std::size_t blank = text.find(' ');
      if (slot < 0 || slot >= std::ssize(items) || blank == std::string_view::npos)
        continue;  // the load would have failed
      numberField(name, line, 0, "the item number");
      numbers.push_back({base + slot, &line, line.column(0)});
      StdPlace place{&line, blank + 1};
      numberField(name, line, place.kindAt, "the kind");
      const int32_t kind = readNumber(text.substr(place.kindAt));
      places[static_cast<std::size_t>(slot)] = place;
      const bool groupBase = db_.groupSize() > 0 && slot % db_.groupSize() == 0;
      if (kind < kFirstKind || kind > kLastKind) {
        add({name, line.line, line.column(place.kindAt)}, Code::kKindOutOfRange,
            "kind " + str(kind) + " is outside " + span(kFirstKind, kLastKind) +
                ", so the rest of the line is ignored" +
                (groupBase ? " and the items of its group are of no kind (no weapon remark, no "
                             "damage line)"
                           : ""));
        continue;
      }
      place.layout = layoutOf(kind);
      std::size_t pos = place.kindAt;
      for (std::size_t f = 0; f < place.layout.count; ++f) {
        pos = std::min(text.find(' ', pos), text.size() - 1) + 1;
        place.fieldAt[f] = pos;
        if (!numberField(name, line, pos, fieldName(place.layout.fields[f])))
          break;
      }
      places[static_cast<std::size_t>(slot)] = place;
      const std::size_t open = text.find('"', pos);
      const std::size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
      if (groupBase || close == std::string_view::npos)
        continue;
      const std::string_view grade = text.substr(open + 1, close - open - 1);
      const auto& baseName = items[static_cast<std::size_t>(slot - slot % db_.groupSize())].name;
      if (!grade.empty() && grade.back() != ' ')
        add({name, line.line, line.column(open)}, Code::kNameRunsOn,
            "the grade's name " + quoted(grade) +
                " does not end with a blank, so it runs into the base name: " +
                quoted(std::string(grade) + baseName.value_or("?")));
    }
    warnRepeats(name, numbers, Code::kStdItemRepeated,
                [](int64_t number) { return "item number " + str(number); });
    warnEmptySlots();
    for (std::size_t slot = 0; slot < items.size(); ++slot)
      checkStdSlot(slot, places[slot]);
  }

  void warnEmptySlots() {
    const auto& items = db_.stdItems();
    const int32_t base = db_.specItemCount();
    std::optional<int32_t> runStart;
    for (int32_t slot = 0; slot <= db_.stdItemCount(); ++slot) {
      if (slot < db_.stdItemCount() && items[static_cast<std::size_t>(slot)].line == 0) {
        runStart = runStart.value_or(slot);
        continue;
      }
      if (runStart)
        add({files_[DataFile::kStdItems]}, Code::kStdSlotEmpty,
            "no line gives item number " + span(base + *runStart, base + slot - 1) +
                ", so its name reads \"?\"");
      runStart.reset();
    }
  }

  void checkStdSlot(std::size_t slot, const StdPlace& place) {
    if (place.line == nullptr)
      return;
    const std::string& name = files_[DataFile::kStdItems];
    const StdItemEntry& item = db_.stdItems()[slot];
    const StdItemEntry& base =
        db_.stdItems()[slot - slot % static_cast<std::size_t>(db_.groupSize())];
    const auto inRange = [](int32_t kind) { return kind >= kFirstKind && kind <= kLastKind; };
    if (&item != &base && item.name && base.name && inRange(item.kind) && inRange(base.kind) &&
        item.kind != base.kind)
      add({name, place.line->line, place.line->column(place.kindAt)}, Code::kGradeKindDiffers,
          "kind " + str(item.kind) + " differs from the group base's kind " + str(base.kind) +
              ", which is the one that counts for the item");
    for (const OwnNumber& own : kOwnNumbers) {
      const StdNumberField field = own.field;
      if (own.skill < 0 || item.*field == 0)
        continue;
      const int32_t skill = own.skill;
      const auto* at = std::find(place.layout.fields.begin(),
                                 place.layout.fields.begin() + place.layout.count, field);
      const std::size_t f = static_cast<std::size_t>(at - place.layout.fields.begin());
      const int32_t column = f < place.layout.count ? place.line->column(place.fieldAt[f]) : 0;
      checkTargetSkill({name, place.line->line, column}, skill,
                       "the item's own bonus of " + str(item.*field));
    }
  }

  void checkTypes(const SourceFile& file) {
    const std::string& name = files_[DataFile::kTypes];
    const std::size_t before = warnings_.size();
    types_ = typeFileLayout(file);
    for (const TypeRecordLines& record : types_.records) {
      numberField(name, *record.id, 0, "the type id");
      if (record.count == nullptr)
        continue;
      numberField(name, *record.count, 0, "the line count");
      if (record.cutShort)
        add({name, record.count->line}, Code::kTypeShort,
            "the file ends after " + str(std::ssize(record.amounts)) + " of this type's " +
                str(std::max(readNumber(record.count->text), 1)) +
                " amount lines, so the record is dropped");
      for (const DataLine* amounts : record.amounts)
        checkAmountLine(*amounts);
    }
    for (const TypeEntry& type : db_.types())
      if (const TypeEntry* first = db_.findType(type.id); first != &type)
        add({name, type.line, 1}, Code::kTypeIdRepeated,
            "type id " + str(type.id) + " is defined again: only the first record counts",
            {noteAt(name, first->line, "type id " + str(type.id) + " was defined here first")});
    // What the walk over the records found after a count that seems wrong
    // follows from that count.
    if (types_.outOfStep != nullptr)
      for (std::size_t w = before; w < warnings_.size(); ++w)
        if (warnings_[w].where.line > types_.outOfStep->count->line)
          warnings_[w].notes.push_back(outOfStepNote(name, *types_.outOfStep));
  }

  void checkAmountLine(const DataLine& line) {
    const std::string& name = files_[DataFile::kTypes];
    const std::vector<Token> tokens = tokensOf(line.text);
    const std::size_t given = std::min<std::size_t>(tokens.size(), kTypeGrades);
    for (std::size_t g = 0; g < given; ++g)
      numberField(name, line, tokens[g].at, "the amount of grade " + str(static_cast<int64_t>(g)));
    if (tokens.size() < kTypeGrades)
      add({name, line.line}, Code::kAmountLineShort,
          "the amount line holds " + str(std::ssize(tokens)) + " of " + str(kTypeGrades) +
              " numbers, so " +
              (tokens.size() + 1 == kTypeGrades
                   ? "grade " + str(kTypeGrades - 1) + " reads 0"
                   : "grades " + span(std::ssize(tokens), kTypeGrades - 1) + " read 0"));
    if (tokens.size() > kTypeGrades)
      add({name, line.line, line.column(tokens[kTypeGrades].at)}, Code::kAmountLineLong,
          "the amount line holds " + str(std::ssize(tokens)) + " numbers: those after the " +
              str(kTypeGrades) + "th are ignored");
    // The chaos grade shows no amount; a number that does not read as
    // written has its warning already.
    for (std::size_t g = 1; g < std::min<std::size_t>(given, kChaosGrade); ++g) {
      if (!isPlainNumber(tokens[g - 1].text) || !isPlainNumber(tokens[g].text))
        continue;
      const int64_t before = readNumber(tokens[g - 1].text);
      const int64_t now = readNumber(tokens[g].text);
      if (std::abs(now) < std::abs(before)) {
        add({name, line.line, line.column(tokens[g].at)}, Code::kAmountFalls,
            "the amount falls from " + str(before) + " at grade " +
                str(static_cast<int64_t>(g) - 1) + " to " + str(now) + " at grade " +
                str(static_cast<int64_t>(g)));
        break;
      }
    }
  }

  void checkRndItems(const SourceFile& file) {
    const std::string& name = files_[DataFile::kRndItems];
    const auto& prefixes = db_.rndItems();
    const int32_t first = db_.specItemCount();
    const int32_t blockSize = db_.stdItemCount();
    // Slot 0 stands for "no prefix": no item number reaches its entry.
    if (std::none_of(prefixes.begin() + std::min<std::ptrdiff_t>(1, std::ssize(prefixes)),
                     prefixes.end(), [](const auto& prefix) { return prefix.has_value(); })) {
      add({name, file.startLine}, Code::kEmptyTable,
          "no random prefix has an entry, so no item number above " + str(first + blockSize - 1) +
              " has a description");
      return;
    }
    std::vector<Keyed> slots;
    std::set<int64_t> cutShort;
    for (const RndEntryLines& entry : rndFileLayout(file, db_)) {
      const std::size_t before = warnings_.size();
      numberField(name, *entry.number, 1, "the item number");
      const int64_t slot =
          blockSize > 0
              ? (int64_t{readNumber(std::string_view(entry.number->text).substr(1))} - first) /
                    blockSize
              : 0;
      slots.push_back({slot, entry.number, entry.number->column(1)});
      if (entry.type != nullptr)
        numberField(name, *entry.type, 0, "the type id");
      const std::string prefix =
          "random prefix " + str(slot) +
          (entry.name != nullptr ? " " + quoted(nameOf(entry.name->text)) : std::string());
      for (std::size_t j = 0; j < entry.skills.size(); ++j) {
        const DataLine& line = *entry.skills[j];
        numberField(name, line, 0, "the skill index");
        if (static_cast<int64_t>(j) < entry.typeEntry->lineCount)
          checkPrefixSkill(line, *entry.typeEntry, j, prefix);
      }
      if (entry.cutShort) {
        cutShort.insert(slot);
        std::vector<DataNote> notes;
        if (entry.typeEntry != nullptr)
          notes.push_back(skillLinesNote(files_[DataFile::kTypes], *entry.typeEntry));
        add({name, entry.number->line}, Code::kPrefixCutShort, cutShortText(entry, slot, prefix),
            std::move(notes));
      }
      if (readOutOfStep(types_, entry.typeEntry))
        for (std::size_t w = before; w < warnings_.size(); ++w)
          warnings_[w].notes.push_back(outOfStepNote(files_[DataFile::kTypes], *types_.outOfStep));
    }
    warnRepeats(name, slots, Code::kPrefixRepeated,
                [](int64_t slot) { return "random prefix " + str(slot); });
    const std::string effect =
        db_.findType(0) != nullptr ? "their names begin with \"?\"" : "they have no description";
    std::optional<int32_t> runStart;
    for (int32_t slot = 1; slot <= db_.rndItemCount(); ++slot) {
      const std::optional<RndItemEntry>* prefix =
          slot < db_.rndItemCount() ? &prefixes[static_cast<std::size_t>(slot)] : nullptr;
      if (prefix != nullptr && !*prefix) {
        runStart = runStart.value_or(slot);
        continue;
      }
      if (runStart)
        add({name}, Code::kPrefixSlotEmpty,
            "no entry gives random prefix " + span(*runStart, slot - 1) + ", item numbers " +
                span(int64_t{first} + int64_t{*runStart} * blockSize,
                     int64_t{first} + int64_t{slot} * blockSize - 1) +
                ", so " + effect);
      runStart.reset();
      if (prefix != nullptr && db_.findType((*prefix)->typeId) == nullptr &&
          !cutShort.contains(slot))
        add({name, (*prefix)->line}, Code::kPrefixTypeMissing,
            "random prefix " + str(slot) + " names type id " + str((*prefix)->typeId) +
                ", which no record has, so its items have no description");
    }
  }

  // What the items of a prefix whose entry the end of the file cuts short show.
  std::string cutShortText(const RndEntryLines& entry, int64_t slot, const std::string& prefix) {
    const std::optional<RndItemEntry>& loaded = db_.rndItems()[static_cast<std::size_t>(slot)];
    if (entry.name == nullptr)
      return "the file ends right after this entry's number line, so " + prefix +
             (loaded ? " keeps its earlier entry" : " has no entry and its items no description");
    const TypeEntry* type = loaded ? db_.findType(loaded->typeId) : nullptr;
    if (entry.type == nullptr)
      return "the file ends before this entry's type line, so " + prefix +
             (type == nullptr ? " has no type and its items no description"
                              : " keeps type " + str(type->id) + " of its earlier entry");
    const auto given = static_cast<int32_t>(entry.skills.size());
    std::string text = "the file ends after " + str(given) + " of the " +
                       str(std::max(entry.typeEntry->lineCount, 1)) +
                       " skill index lines that type " + str(entry.typeEntry->id) + " needs";
    if (!loaded || given >= entry.typeEntry->lineCount)
      return text;
    text += ", so the items of " + prefix + " give amount line " +
            span(given + 1, entry.typeEntry->lineCount) + " to ";
    for (int32_t j = given; j < entry.typeEntry->lineCount; ++j) {
      const int32_t skill = loaded->skillIndex[static_cast<std::size_t>(j)];
      text += (j > given ? ", " : "") + (skill >= 0 && skill < db_.skillCount()
                                             ? skillLabel(skill)
                                             : "skill index " + str(skill));
    }
    return text + ", which no line gives";
  }

  void checkPrefixSkill(const DataLine& line, const TypeEntry& type, std::size_t j,
                        const std::string& prefix) {
    const SourceLine where{files_[DataFile::kRndItems], line.line, line.column(0)};
    const int32_t skill = readNumber(line.text);
    const std::string what = "amount line " + str(static_cast<int64_t>(j) + 1) + " of " + prefix;
    if (skill < 0 || skill >= sumCount()) {
      add(where, Code::kPrefixSkillOutside,
          "skill index " + str(skill) + " of " + prefix + " is outside the bonus table of 0 to " +
              str(sumCount() - 1) + ", so it adds nothing");
    } else if (skill >= db_.skillCount()) {
      add(where, Code::kBonusToDamage,
          "skill index " + str(skill) + " of " + prefix + " is no skill: it adds to a weapon's " +
              damageName(skill) + ", and on other items to nothing");
    } else {
      const auto& amounts = type.amounts[j];
      // The chaos item's grade shows no bonus.
      if (std::any_of(amounts.begin(), amounts.begin() + kChaosGrade,
                      [](int32_t a) { return a != 0; }))
        checkTargetSkill(where, skill, what);
    }
  }

  void checkChanges(const SourceFile& file) {
    const std::string& name = files_[DataFile::kChanges];
    const auto& changes = db_.changes();
    static const std::array<std::string, 4> kFields = {"the item number", "the kind", "the target",
                                                       "the multiplier"};
    for (std::size_t i = 0; i < std::min(file.lines.size(), changes.size()); ++i) {
      const DataLine& line = file.lines[i];
      const std::vector<Token> tokens = tokensOf(line.text);
      for (std::size_t k = 0; k < std::min(tokens.size(), kFields.size()); ++k)
        numberField(name, line, tokens[k].at, kFields[k]);
      const ChangeEntry& change = changes[i];
      const ChangeEntry* first = db_.findChange(change.prefixIndex, change.itemKind);
      if (first != &change) {
        add({name, line.line}, Code::kChangeHidden,
            "an earlier record has the same random prefix and kind, prefix " +
                str(change.prefixIndex) + " and kind " + str(change.itemKind) +
                ", so this one never applies",
            {noteAt(name, first->line, "the record that applies")});
        continue;
      }
      const int32_t prefix = change.prefixIndex;
      if (prefix < 1 || prefix >= db_.rndItemCount())
        add({name, line.line, line.column(0)}, Code::kChangeNoPrefix,
            "the item number is in no random prefix's block, those being " +
                span(db_.specItemCount() + db_.stdItemCount(),
                     db_.specItemCount() + int64_t{db_.rndItemCount()} * db_.stdItemCount() - 1) +
                ", so the record never applies");
      else if (!db_.rndItems()[static_cast<std::size_t>(prefix)])
        add({name, line.line, line.column(0)}, Code::kChangeNoPrefix,
            "random prefix " + str(prefix) + " has no entry, so the record never applies");
      const SourceLine target{name, line.line, tokens.size() > 2 ? line.column(tokens[2].at) : 0};
      const int32_t skill = change.skillIndex;
      if (skill == -1)
        continue;  // the damage bonus, as documented
      if (skill < -sumCount() || skill >= sumCount())
        add(target, Code::kChangeTargetOutside,
            "target " + str(skill) +
                " is outside the bonus table, so it adds nothing (use -1 for the damage bonus, "
                "0 to " +
                str(db_.skillCount() - 1) + " for a skill)");
      else if (const int32_t sum = (skill + sumCount()) % sumCount(); sum >= db_.skillCount())
        add(target, Code::kBonusToDamage,
            "target " + str(skill) + " is no skill: it adds to a weapon's " + damageName(sum) +
                ", and on other items to nothing (use -1 for the damage bonus)");
      else
        checkTargetSkill(target, skill, "the change record's bonus");
    }
  }

  const ItemDatabase& db_;
  const DataFileSet& files_;
  SourceFiles sources_;
  const SourceFile unreadable_{};
  TypeFileLayout types_;
  std::vector<DataWarning> warnings_;
};

}  // namespace

std::vector<DataWarning> findDataWarnings(const ItemDatabase& db, const DataFileSet& files,
                                          const FileReader& readFile) {
  return Checker(db, files, readFile).run();
}

std::vector<DataNote> findLoadFailureNotes(const ItemDatabase& db, const DataFileSet& files,
                                           const FileReader& readFile) {
  const std::optional<LoadFailure>& failure = db.lastFailure();
  if (!failure || failure->line == 0 ||
      (failure->fileName != files[DataFile::kTypes] &&
       failure->fileName != files[DataFile::kRndItems]))
    return {};
  SourceFiles sources(readFile);
  const SourceFile* typeFile = sources.file(files[DataFile::kTypes]);
  if (typeFile == nullptr)
    return {};
  const TypeFileLayout types = typeFileLayout(*typeFile);
  const TypeRecordLines* outOfStep = types.outOfStep;
  std::vector<DataNote> notes;
  if (failure->fileName == files[DataFile::kTypes]) {
    if (outOfStep != nullptr && failure->line > outOfStep->count->line)
      notes.push_back(outOfStepNote(files[DataFile::kTypes], *outOfStep));
    return notes;
  }
  const SourceFile* rndFile = sources.file(files[DataFile::kRndItems]);
  if (rndFile == nullptr)
    return notes;
  // The entry that the failing line belongs to (a line read as a number
  // line begins one), and the one before it.
  const std::vector<RndEntryLines> entries = rndFileLayout(*rndFile, db);
  const auto after = std::find_if(entries.begin(), entries.end(), [&](const RndEntryLines& e) {
    return e.number->line > failure->line;
  });
  const RndEntryLines* current = after == entries.begin() ? nullptr : &*(after - 1);
  const RndEntryLines* previous = after - entries.begin() < 2 ? nullptr : &*(after - 2);
  const RndEntryLines* reading = nullptr;  // the entry whose type decided the line's role
  switch (failure->fault) {
    case LoadFault::kRndTypeZero:
    case LoadFault::kRndTypeUnknown: {
      if (outOfStep != nullptr)
        notes.push_back(outOfStepNote(files[DataFile::kTypes], *outOfStep));
      if (current == nullptr || current->type == nullptr)
        break;
      const int32_t id = readNumber(current->type->text);
      for (const TypeRecordLines& record : types.records)
        if (record.cutShort && readNumber(record.id->text) == id)
          notes.push_back(noteAt(files[DataFile::kTypes], record.count->line,
                                 "the record of type id " + str(id) +
                                     " is dropped: the file ends inside its amount lines"));
      break;
    }
    case LoadFault::kRndSkillNotNumber:
      reading = current;
      break;
    case LoadFault::kRndPrefixOutOfRange:
      reading = previous;
      break;
    default:
      break;
  }
  if (reading != nullptr && reading->typeEntry != nullptr) {
    if (readOutOfStep(types, reading->typeEntry))
      notes.push_back(outOfStepNote(files[DataFile::kTypes], *outOfStep));
    if (outOfStep == nullptr || reading->typeEntry->countLine != outOfStep->count->line)
      notes.push_back(skillLinesNote(files[DataFile::kTypes], *reading->typeEntry));
  }
  return notes;
}

}  // namespace tamrix
