#include "app/cli/output.h"

#include <algorithm>

#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "text/encoding.h"

namespace tamrix::cli {

namespace {

void write(std::FILE* out, std::string_view bytes) {
  writeOutput(out, bytes);
}

// The filled slots of a fixed table.
template <typename Slot, typename Filled>
int32_t countFilled(const std::vector<Slot>& slots, Filled filled) {
  return static_cast<int32_t>(std::count_if(slots.begin(), slots.end(), filled));
}

}  // namespace

std::string jsonEscape(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(utf8.size());
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

bool writeAnswer(std::FILE* out, Format format, ItemDatabase& db, int32_t number, bool skipEmpty) {
  if (format == Format::kRaw) {
    const std::string_view text = db.describe(number);
    if (skipEmpty && text.empty())
      return false;
    write(out, text);
    write(out, std::string_view("\0", 1));
    return true;
  }

  const DialogAnswer answer = answerCommand(db, number);
  if (skipEmpty && answer.nameField.empty() && answer.descriptionField.empty())
    return false;
  const std::string name = cp1250ToUtf8(firstLine(answer.nameField));
  const std::string description = cp1250ToUtf8(answer.descriptionField);
  if (format == Format::kJson) {
    std::string line = "{\"number\":" + std::to_string(number) + ",\"name\":\"" + jsonEscape(name) +
                       "\",\"description\":\"" + jsonEscape(description) + "\"}\n";
    write(out, line);
    return true;
  }
  // The description field may or may not end in a line feed (a text with an
  // empty bonus list ends with the header's); every line gets exactly one.
  std::string record = name + '\n' + description;
  if (!description.empty() && description.back() != '\n')
    record += '\n';
  record += '\n';
  write(out, record);
  return true;
}

std::string loadSummary(const ItemDatabase& db, Format format) {
  const auto hasValue = [](const auto& slot) { return slot.has_value(); };
  const int32_t skills = countFilled(db.skills(), hasValue);
  const int32_t stdItems =
      countFilled(db.stdItems(), [](const StdItemEntry& item) { return item.name.has_value(); });
  const int32_t prefixes = countFilled(db.rndItems(), hasValue);
  if (format == Format::kJson) {
    return "{\"skills\":" + std::to_string(skills) +
           ",\"standardItems\":" + std::to_string(stdItems) +
           ",\"types\":" + std::to_string(db.typeCount()) +
           ",\"randomPrefixes\":" + std::to_string(prefixes) +
           ",\"changeRecords\":" + std::to_string(db.changeCount()) + "}\n";
  }
  return "Data loaded: " + std::to_string(skills) + " skills, " + std::to_string(stdItems) +
         " standard items, " + std::to_string(db.typeCount()) + " types, " +
         std::to_string(prefixes) + " random prefixes, " + std::to_string(db.changeCount()) +
         " change records\n";
}

}  // namespace tamrix::cli
