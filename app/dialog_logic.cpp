#include "app/dialog_logic.h"

#include <utility>

#include "decoder/describe.h"

namespace tamrix {

namespace {

constexpr const char* kMeaninglessNumber = "Ertelmetlen szam";

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

}  // namespace

const DataFileSet& dialogDataFiles() {
  static const DataFileSet files = DataFileSet::inFolder("Data");
  return files;
}

bool loadDataFiles(ItemDatabase& db) {
  return db.loadAll(dialogDataFiles());
}

DialogAnswer answerCommand(const ItemDatabase& db, int32_t number) {
  if (number == 0)
    return dialogAnswer(number, std::string());
  return dialogAnswer(number, describeItem(db, number));
}

DialogAnswer dialogAnswer(int32_t number, std::string description) {
  if (number == 0)
    return DialogAnswer{std::string(), kMeaninglessNumber};
  DialogAnswer answer;
  answer.nameField = std::move(description);
  const size_t lineFeed = answer.nameField.find('\n');
  if (lineFeed != std::string::npos)
    answer.descriptionField = answer.nameField.substr(lineFeed + 1);
  return answer;
}

std::string_view firstLine(std::string_view text) {
  return text.substr(0, text.find('\n'));
}

std::optional<int32_t> parseNumberField(std::string_view text) {
  text = trimBlanks(text);
  // A line of standard input may end in CR LF; blanks may stand before the CR.
  if (!text.empty() && text.back() == '\r')
    text = trimBlanks(text.substr(0, text.size() - 1));

  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.empty())
    return std::nullopt;
  // The magnitude is bounded as soon as it leaves the 32-bit range, so any
  // number of digits is read without overflow.
  constexpr int64_t kLimit = int64_t{1} << 31;
  int64_t magnitude = 0;
  for (const char c : text) {
    if (c < '0' || c > '9')
      return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit)
      return std::nullopt;
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX)
    return std::nullopt;
  return static_cast<int32_t>(value);
}

int32_t readNumberField(std::string_view text) {
  return parseNumberField(text).value_or(0);
}

}  // namespace tamrix
