#include "authoring/line_accounting.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "authoring/hungarian.h"
#include "authoring/warning_context.h"
#include "authoring/warning_keeper.h"
#include "authoring/wording.h"
#include "database/kind_layout.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

using Code = WarningCode;
constexpr std::size_t npos = std::string_view::npos;

std::string str(int64_t value) {
  return std::to_string(value);
}

std::string quoted(std::string_view text) {
  return std::string("\"").append(text).append("\"");
}

// The end of the blank-separated token that starts at `at`.
std::size_t tokenEnd(std::string_view text, std::size_t at) {
  return std::min(text.find(' ', at), text.size());
}

// The line and column (from 1) of byte `pos` of `text`.
SourceLine placeIn(const std::string& fileName, std::string_view text, std::size_t pos) {
  const std::size_t lineStart = pos == 0 ? 0 : text.rfind('\n', pos - 1) + 1;  // npos + 1 is 0
  return {fileName,
          1 + static_cast<int32_t>(std::count(text.begin(), text.begin() + lineStart, '\n')),
          static_cast<int32_t>(pos - lineStart) + 1};
}

class Accounting {
 public:
  Accounting(const std::string& fileName, const ItemDatabase& db, WarningKeeper& sink)
      : fileName_(fileName), db_(db), sink_(sink) {}

  // Bytes `from` to `to` of `line` that nothing reads, when they hold more
  // than blanks; `where` says where they stand.
  void unread(const DataLine& line, std::size_t from, std::size_t to, const std::string& where,
              const std::string& whereHu, std::vector<DataNote> notes = {}) {
    const std::string_view text = std::string_view(line.text()).substr(0, to);
    while (from < text.size() && text[from] == ' ')
      ++from;
    std::string_view rest = text.substr(std::min(from, text.size()));
    while (!rest.empty() && rest.back() == ' ')
      rest.remove_suffix(1);
    if (rest.empty())
      return;
    add({fileName_, line.line, line.column(from)}, Code::kUnreadText, [&] {
      return WarningTexts{
          quoted(rest) + " stands " + where + ", where nothing is read",
          quoted(rest) + hu(" áll ") + whereHu + hu(", ahol a program semmit sem olvas"),
          std::move(notes)};
    });
  }

  // A remark that begins with a number is a field too many.
  void remark(const DataLine& line, std::size_t after, const std::string& field,
              const std::string& fieldHu) {
    const std::string_view text = line.text();
    if (after >= text.size())
      return;
    const std::size_t at = after + 1;
    const std::string_view first = text.substr(at, tokenEnd(text, at) - at);
    if (isPlainNumber(first))
      add({fileName_, line.line, line.column(at)}, Code::kUnreadText, [&] {
        return WarningTexts{"the number " + quoted(first) + " after " + field +
                                " is not read: the text after it is a remark",
                            hu("a ") + fieldHu + hu(" utáni ") + quoted(first) +
                                hu(" számot a program nem olvassa: ami utána áll, megjegyzés")};
      });
  }

  // A name's closing quote followed by more than a blank.
  void gluedAfter(const DataLine& line, std::size_t quote) {
    const std::string_view text = line.text();
    // A tab or a carriage return there has a warning of its own.
    if (quote + 1 < text.size() && text.find_first_of(" \t\r", quote + 1) != quote + 1)
      unread(line, quote + 1, tokenEnd(text, quote + 1), "right after the name's closing quote",
             hu("közvetlenül a név záró idézőjele után"));
  }

  // A name between the first and the last quote that holds a quote itself.
  void nameHoldsNoQuote(const DataLine& line, std::size_t open, std::size_t close) {
    const std::size_t inner = line.text().find('"', open + 1);
    if (inner < close)
      add({fileName_, line.line, line.column(inner)}, Code::kNameQuote, [&] {
        return WarningTexts{
            "the name holds a double quote, so it runs on to the line's last one: " +
                quoted(std::string_view(line.text()).substr(open + 1, close - open - 1)),
            hu("a név idézőjelet tartalmaz, ezért a sor utolsó idézőjeléig tart: ") +
                quoted(std::string_view(line.text()).substr(open + 1, close - open - 1))};
      });
  }

  void skillLine(const DataLine& line) {
    const std::string_view text = line.text();
    const std::size_t blank = text.find(' ');
    const std::size_t open = text.find('"');
    const std::size_t close = text.rfind('"');
    if (blank == npos || open == npos || open == close || open < blank)
      return;  // the load fails, or the flag's own warning says it
    const std::size_t flagEnd = tokenEnd(text, blank + 1);
    if (flagEnd < open)
      unread(line, flagEnd, open, "between the doubling flag and the name",
             hu("a duplázás és a név között"));
    nameHoldsNoQuote(line, open, close);
    gluedAfter(line, close);
  }

  void stdItemLine(const DataLine& line) {
    const std::string_view text = line.text();
    const int64_t slot = int64_t{readNumber(text)} - db_.specItemCount();
    const std::size_t blank = text.find(' ');
    if (blank == npos || slot < 0 || slot >= db_.stdItemCount())
      return;
    const int32_t kind = readNumber(text.substr(blank + 1));
    if (kind < kFirstKind || kind > kLastKind)
      return;  // the rest of the line is ignored, as its own warning says
    const KindLayout layout = layoutOf(kind);
    std::size_t pos = blank + 1;
    for (std::size_t f = 0; f < layout.count && pos < text.size(); ++f)
      pos = std::min(text.find(' ', pos), text.size() - 1) + 1;
    const std::size_t open = text.find('"', pos);
    const std::size_t close = open == npos ? npos : text.find('"', open + 1);
    if (close == npos)
      return;
    const std::string numbers = layout.count == 0
                                    ? "kind " + str(kind) + " reads no numbers"
                                    : "kind " + str(kind) + " reads " +
                                          str(static_cast<int64_t>(layout.count)) +
                                          (layout.count == 1 ? " number" : " numbers");
    const std::string numbersHu =
        layout.count == 0 ? hu("a(z) ") + str(kind) + hu(" fajta nem olvas számot")
                          : hu("a(z) ") + str(kind) + hu(" fajta ") +
                                str(static_cast<int64_t>(layout.count)) + hu(" számot olvas");
    unread(line, tokenEnd(text, pos), open, "between the last field and the name (" + numbers + ")",
           hu("az utolsó mező és a név között (") + numbersHu + ")");
    std::size_t last = close;
    if (db_.groupSize() > 0 && slot % db_.groupSize() == 0) {
      const std::size_t open2 = text.find('"', close + 1);
      const std::size_t close2 = open2 == npos ? npos : text.find('"', open2 + 1);
      if (close2 == npos)
        return;
      unread(line, close + 1, open2, "between the two names", hu("a két név között"));
      last = close2;
    }
    gluedAfter(line, last);
  }

  // An id or count line that holds more than its number is an amount line
  // out of place: the first line whose shape does not fit its role.
  void typeFile(const SourceFile& file) {
    forEachTypeRecord(file, [&](const TypeRecordLines& record, const TypeRecordLines* before,
                                std::size_t) {
      if (const std::size_t end = tokenEnd(record.id->text(), 0); end < record.id->text().size()) {
        std::vector<DataNote> notes;
        if (before != nullptr && before->count() != nullptr)
          notes.push_back(noteAt(fileName_, before->count()->line,
                                 "the line count of type " + str(readNumber(before->id->text())) +
                                     " is " + str(readNumber(before->count()->text())) +
                                     ", so the line after its amount lines is read as the next id",
                                 hu("a(z) ") + str(readNumber(before->id->text())) +
                                     hu(" azonosítójú típus sorainak száma ") +
                                     str(readNumber(before->count()->text())) +
                                     hu(", ezért a mennyiségsorai utáni sor a következő típus "
                                        "azonosítója lesz")));
        unread(*record.id, end, record.id->text().size(),
               "after the id of a type record (is an amount line too many above it?)",
               hu("egy típus azonosítója után (nincs fölötte eggyel több mennyiségsor?)"),
               std::move(notes));
      }
      if (record.count() != nullptr)
        if (const std::size_t end = tokenEnd(record.count()->text(), 0);
            end < record.count()->text().size())
          unread(*record.count(), end, record.count()->text().size(),
                 "after the line count of type " + str(readNumber(record.id->text())) +
                     " (is its count line missing?)",
                 hu("a(z) ") + str(readNumber(record.id->text())) +
                     hu(" azonosítójú típus sorainak száma után (hiányzik ez a sora?)"));
    });
  }

  void rndFile(const SourceFile& file) {
    for (const RndEntryLines& entry : rndFileLayout(file, db_)) {
      const std::string_view number = entry.number->text();
      const std::size_t numberAt = number.size() > 1 && number[1] == ' ' ? 2 : 1;
      unread(*entry.number, tokenEnd(number, numberAt), number.size(),
             "after the item number of a random prefix", hu("az előtag tárgyszáma után"));
      if (entry.name != nullptr) {
        const std::string_view name = entry.name->text();
        const std::size_t open = name.find('"');
        const std::size_t close = name.rfind('"');
        if (open != npos && open != close) {
          unread(*entry.name, 0, open, "before the random prefix's name",
                 hu("az előtag neve előtt"));
          nameHoldsNoQuote(*entry.name, open, close);
          gluedAfter(*entry.name, close);
        }
      }
      if (entry.type != nullptr)
        unread(*entry.type, tokenEnd(entry.type->text(), 0), entry.type->text().size(),
               "after the type id of a random prefix", hu("az előtag típusazonosítója után"));
      for (const DataLine& skill : entry.skills)
        remark(skill, tokenEnd(skill.text(), 0), "the skill index", hu("képesség-sorszám"));
    }
  }

  void changeLine(const DataLine& line) {
    const std::vector<Token> tokens = tokensOf(line.text());
    if (tokens.size() > 4)
      remark(line, tokens[3].at + tokens[3].text.size(), "the multiplier", hu("szorzó"));
  }

  // Bytes that the reader never reaches: after a Ctrl-Z, and after a NUL
  // byte in the data part.
  void unreached(const SourceFile& file) {
    const std::size_t data = file.afterEnd.find_first_not_of(" \t\r\n\x1A");
    if (data != npos) {
      const std::string_view whole = *file.bytes;
      add(placeIn(fileName_, whole, file.text.size() + data), Code::kAfterEnd, [&] {
        return WarningTexts{
            "this text stands after a Ctrl-Z byte, where the file ends for the program, so it is "
            "not read",
            hu("ez a szöveg egy Ctrl-Z bájt után áll, ahol a fájl a program számára véget ér, "
               "ezért nem olvassa"),
            {{placeIn(fileName_, whole, file.text.size()), "the Ctrl-Z byte that ends the file",
              hu("a fájlt lezáró Ctrl-Z bájt")}}};
      });
    }
    std::size_t start = 0;  // the data part's first byte
    for (int32_t l = 0; l < file.startLine && start != npos; ++l)
      if ((start = file.text.find('\n', start)) != npos)
        ++start;
    const std::size_t nul = start == npos ? npos : file.text.find('\0', start);
    if (nul == npos)
      return;
    const std::size_t lineEnd = std::min(file.text.find('\n', nul), file.text.size());
    const std::string_view after = file.text.substr(nul, lineEnd - nul);
    const std::size_t lost = after.find_first_not_of(std::string_view(" \r\0", 3));
    std::string message;
    std::string hungarian;
    if (file.text.find_first_not_of(std::string_view("\0 \r\n", 4), nul) == npos) {
      message =
          "the file ends in NUL bytes, as an editor that stopped while saving leaves it: "
          "what stood there is lost";
      hungarian =
          hu("a fájl NUL bájtokkal végződik, ahogy egy mentés közben leállt szerkesztő "
             "hagyja: ami ott állt, elveszett");
    } else if (lost != npos) {
      message = "a NUL byte ends the line's text here, so " + quoted(after.substr(lost)) +
                " after it is not read";
      hungarian = hu("egy NUL bájt itt lezárja a sor szövegét, ezért az utána álló ") +
                  quoted(after.substr(lost)) + hu(" szöveget a program nem olvassa");
    } else {
      message = "a NUL byte in a data line";
      hungarian = hu("NUL bájt egy adatsorban");
    }
    add(placeIn(fileName_, file.text, nul), Code::kNulByte, [&] {
      return WarningTexts{message, hungarian};
    });
  }

 private:
  template <typename BuildTexts>
  void add(const SourceLine& where, Code code, BuildTexts&& build) {
    sink_.add(where, code, std::forward<BuildTexts>(build));
  }

  const std::string& fileName_;
  const ItemDatabase& db_;
  WarningKeeper& sink_;
};

}  // namespace

void findUnreadBytes(const SourceFile& file, DataFile role, const std::string& fileName,
                     const ItemDatabase& db, WarningKeeper& sink) {
  Accounting accounting(fileName, db, sink);
  accounting.unreached(file);
  switch (role) {
    case DataFile::kSkills:
      file.forEachLine([&](const DataLine& line) { accounting.skillLine(line); });
      break;
    case DataFile::kStdItems:
      file.forEachLine([&](const DataLine& line) { accounting.stdItemLine(line); });
      break;
    case DataFile::kTypes:
      accounting.typeFile(file);
      break;
    case DataFile::kRndItems:
      accounting.rndFile(file);
      break;
    case DataFile::kChanges:
      file.forEachLine([&](const DataLine& line) { accounting.changeLine(line); });
      break;
    case DataFile::kSpecItems:
      break;
  }
}

}  // namespace tamrix
