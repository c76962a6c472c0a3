#include "authoring/text_checks.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

#include "authoring/hungarian.h"
#include "text/utf8.h"

namespace tamrix {

namespace {

// Where the first multi-byte sequence starts when all of `text` is
// well-formed UTF-8; nothing otherwise. Accented Windows-1250 text almost
// never passes: its letters are single bytes above 0x7F followed by ASCII.
std::optional<std::size_t> firstUtf8Sequence(std::string_view text) {
  // The bytes before the first above 0x7F are ASCII, and so well-formed.
  const auto high = std::find_if(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (high == text.end())
    return std::nullopt;
  const auto first = static_cast<std::size_t>(high - text.begin());
  for (std::size_t i = first; i < text.size();)
    if (!nextUtf8CodePoint(text, i))
      return std::nullopt;
  return first;
}

// The line and column of byte `pos` of a file's text.
SourceLine placeIn(const std::string& fileName, std::string_view text, std::size_t pos) {
  const std::size_t lineStart = pos == 0 ? 0 : text.rfind('\n', pos - 1) + 1;  // npos + 1 is 0
  return {fileName,
          1 + static_cast<int32_t>(std::count(text.begin(), text.begin() + lineStart, '\n')),
          static_cast<int32_t>(pos - lineStart) + 1};
}

}  // namespace

void checkText(WarningContext& context, DataFile dataFile) {
  const std::string& fileName = context.name(dataFile);
  const SourceFile& file = context.text(dataFile);
  const std::optional<std::size_t> utf8 = firstUtf8Sequence(file.text);
  if (utf8)
    context.add(placeIn(fileName, file.text, *utf8), WarningCode::kUtf8Text, [&] {
      return WarningTexts{
          "the file looks like UTF-8, not Windows-1250: its accented letters will show wrong",
          hu("a fájl UTF-8 kódolásúnak látszik, nem Windows-1250-nek: az ékezetes betűi hibásan "
             "jelennek meg")};
    });
  for (std::size_t cr = file.text.find('\r'); cr != std::string::npos;
       cr = file.text.find('\r', cr + 1)) {
    if (cr + 1 < file.text.size() && file.text[cr + 1] == '\n')
      continue;
    // CR CR LF: the last CR goes with the LF, the first stays in the line.
    const bool beforeCrLf = file.text.compare(cr + 1, 2, "\r\n") == 0;
    context.add(placeIn(fileName, file.text, cr), WarningCode::kCrLineEnds, [&] {
      if (beforeCrLf)
        return WarningTexts{
            "the line ends in CR CR LF: the carriage return before the CR LF stays in the line as "
            "its last byte (a line of nothing else looks empty but is read as data)",
            hu("a sor CR CR LF-re végződik: a CR LF előtti kocsivissza a sor utolsó bájtjaként "
               "benne marad (egy csak ebből álló sor üresnek látszik, de adatként olvasódik)")};
      return WarningTexts{
          "a carriage return without a line feed: a line that ends so is read as one with the "
          "next",
          hu("soremelés nélküli kocsivissza: az így végződő sort a program a következővel "
             "együtt egy sornak olvassa")};
    });
    break;
  }
  file.forEachLine([&](const DataLine& line) {
    const std::string_view stored = line.stored();
    // With one quote or none, no tab is both after `open` and before `close`.
    const std::size_t open = stored.find('"');
    const std::size_t close = stored.rfind('"');
    for (std::size_t tab = stored.find('\t'); tab != std::string_view::npos;
         tab = stored.find('\t', tab + 1)) {
      if (tab > open && tab < close)
        continue;
      context.add(
          {fileName, line.line, line.offset() + static_cast<int32_t>(tab) + 1}, WarningCode::kTab,
          [&] {
            return WarningTexts{
                "a tab outside a name: fields are separated by blanks only, so it joins the "
                "text around it",
                hu("tabulátor a néven kívül: a mezőket csak a szóköz választja el, ezért "
                   "egybeolvad a körülötte álló szöveggel")};
          });
      break;
    }
    if (const std::optional<std::size_t> at = utf8 ? std::nullopt : firstUtf8Sequence(stored))
      context.add({fileName, line.line, line.offset() + static_cast<int32_t>(*at) + 1},
                  WarningCode::kUtf8Line, [&] {
                    return WarningTexts{
                        "the line is written in UTF-8 in a Windows-1250 file: its accented letters "
                        "will show wrong",
                        hu("a sor UTF-8 kódolással áll egy Windows-1250 fájlban: az ékezetes betűi "
                           "hibásan jelennek meg")};
                  });
  });
}

}  // namespace tamrix
