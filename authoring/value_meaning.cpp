#include "authoring/value_meaning.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "authoring/hungarian.h"
#include "authoring/wording.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

using Code = WarningCode;

std::string str(int64_t value) {
  return std::to_string(value);
}

class Meaning {
 public:
  Meaning(const std::string& fileName, const ItemDatabase& db, WarningKeeper& sink)
      : fileName_(fileName), db_(db), sink_(sink) {}

  void skillLine(const DataLine& line) {
    const std::size_t blank = line.text().find(' ');
    if (blank == std::string::npos)
      return;
    const int32_t flag = readNumber(std::string_view(line.text()).substr(blank + 1));
    if (flag != 0 && flag != 1)
      add(line, blank + 1, Code::kDoublingFlag, [&] {
        return WarningTexts{
            "the doubling flag is " + str(flag) + ": only 1 doubles, so it reads as 0",
            hu("a duplázás értéke ") + str(flag) + hu(": csak az 1 dupláz, ez 0-nak számít")};
      });
  }

  // The item number `number` at byte `at` of `line`, which names a random
  // prefix by its block.
  void blockNumber(const DataLine& line, std::size_t at, int32_t number, bool entry) {
    const int64_t first = db_.specItemCount();
    const int64_t size = db_.stdItemCount();
    if (size <= 0 || number < first + size || number >= first + size * db_.rndItemCount()) {
      // Below: the plain items' block, which no prefix has; the load or the
      // change record's own warning says what is beyond.
      if (entry && number >= first && number < first + size)
        add(line, at, Code::kPrefixUnreachable, [&] {
          return WarningTexts{
              "item number " + str(number) + " lies in the block of the plain items, " +
                  str(first) + " to " + str(first + size - 1) +
                  ", which no random prefix has: no item number reaches this entry (a random "
                  "prefix's block begins at " +
                  str(first + size) + ")",
              hu("a(z) ") + str(number) +
                  hu(" tárgyszám az előtag nélküli tárgyak blokkjába esik (") + str(first) + "-" +
                  str(first + size - 1) +
                  hu("): ezt a bejegyzést egyetlen tárgyszám sem éri el (az előtagok blokkjai ") +
                  str(first + size) + hu("-nál kezdődnek)")};
        });
      return;
    }
    const int64_t blockStart = number - (number - first) % size;
    if (blockStart != number)
      add(line, at, Code::kNumberInsideBlock, [&] {
        return WarningTexts{
            "item number " + str(number) + " stands for the block of random prefix " +
                str((number - first) / size) + ", " + str(blockStart) + " to " +
                str(blockStart + size - 1) + ": write its first number, " + str(blockStart),
            hu("a(z) ") + str(number) + hu(" tárgyszám a(z) ") + str((number - first) / size) +
                hu(". előtag blokkját jelenti (") + str(blockStart) + "-" +
                str(blockStart + size - 1) + hu("): írjuk az első számát, ") + str(blockStart)};
      });
  }

  void rndNumberLine(const DataLine& line) {
    if (line.text().size() < 2)
      return;
    const std::size_t at = line.text()[1] == ' ' ? 2 : 1;
    blockNumber(line, at, readNumber(std::string_view(line.text()).substr(1)), true);
  }

  void changeLine(const DataLine& line, const std::set<int32_t>& kinds) {
    blockNumber(line, 0, readNumber(line.text()), false);
    const std::vector<Token> tokens = tokensOf(line.text());
    if (tokens.size() < 2)
      return;
    const int32_t kind = readNumber(tokens[1].text);
    if (!kinds.contains(kind)) {
      const bool swapped = tokens.size() > 2 && kinds.contains(readNumber(tokens[2].text));
      add(line, tokens[1].at, Code::kChangeKindUnused, [&] {
        return WarningTexts{"kind " + str(kind) +
                                " is the kind of no group base, so the record never applies" +
                                (swapped ? " (are the kind and the target swapped?)" : ""),
                            hu("a(z) ") + str(kind) +
                                hu(" fajta egyik alaptárgyé sem, ezért a sor sosem érvényesül") +
                                (swapped ? hu(" (nincs felcserélve a fajta és a cél?)") : "")};
      });
    }
  }

 private:
  template <typename BuildTexts>
  void add(const DataLine& line, std::size_t at, Code code, BuildTexts&& build) {
    sink_.add({fileName_, line.line, line.column(at)}, code, std::forward<BuildTexts>(build));
  }

  const std::string& fileName_;
  const ItemDatabase& db_;
  WarningKeeper& sink_;
};

// The kinds of the group bases: the only kinds a change record can match.
std::set<int32_t> groupBaseKinds(const ItemDatabase& db) {
  std::set<int32_t> kinds;
  for (int32_t slot = 0; db.groupSize() > 0 && slot < db.stdItemCount(); slot += db.groupSize())
    if (db.stdItems()[static_cast<std::size_t>(slot)].name)
      kinds.insert(db.stdItems()[static_cast<std::size_t>(slot)].kind);
  return kinds;
}

}  // namespace

void findMeaninglessValues(const SourceFile& file, DataFile role, const std::string& fileName,
                           const ItemDatabase& db, WarningKeeper& sink) {
  Meaning meaning(fileName, db, sink);
  switch (role) {
    case DataFile::kSkills:
      file.forEachLine([&](const DataLine& line) { meaning.skillLine(line); });
      break;
    case DataFile::kRndItems:
      for (const RndEntryLines& entry : rndFileLayout(file, db))
        meaning.rndNumberLine(*entry.number);
      break;
    case DataFile::kChanges: {
      const std::set<int32_t> kinds = groupBaseKinds(db);
      // Only the records loaded: a file the load failed in has no warnings.
      std::size_t records = db.changes().size();
      file.forEachLine([&](const DataLine& line) {
        if (records > 0) {
          --records;
          meaning.changeLine(line, kinds);
        }
      });
      break;
    }
    default:
      break;
  }
}

}  // namespace tamrix
