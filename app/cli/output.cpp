#include "app/cli/output.h"

#include <algorithm>

#include "app/cli/stream_output.h"
#include "app/dialog_logic.h"
#include "app/item_json.h"
#include "app/json.h"
#include "decoder/describe.h"
#include "search/csv.h"
#include "text/encoding.h"

namespace tamrix::cli {

namespace {

// The filled slots of a fixed table.
template <typename Slot, typename Filled>
int32_t countFilled(const std::vector<Slot>& slots, Filled filled) {
  return static_cast<int32_t>(std::count_if(slots.begin(), slots.end(), filled));
}

}  // namespace

bool writeAnswer(std::FILE* out, Format format, const ItemDatabase& db, int32_t number,
                 bool skipEmpty) {
  if (format == Format::kRaw) {
    const std::string text = describeItem(db, number);
    if (skipEmpty && text.empty())
      return false;
    writeOutput(out, text);
    writeOutput(out, std::string_view("\0", 1));
    return true;
  }

  if (format == Format::kJson) {
    const Json record = itemRecordJson(db, number);
    const auto text = [&](const char* key) { return record.at(key).get_ref<const std::string&>(); };
    if (skipEmpty && text("name").empty() && text("description").empty())
      return false;
    writeOutput(out, jsonLine(record));
    return true;
  }
  const DialogAnswer answer = answerCommand(db, number);
  if (skipEmpty && answer.nameField.empty() && answer.descriptionField.empty())
    return false;
  const std::string name = cp1250ToUtf8(firstLine(answer.nameField));
  const std::string description = cp1250ToUtf8(answer.descriptionField);
  // The description field may or may not end in a line feed (a text with an
  // empty bonus list ends with the header's); every line gets exactly one.
  std::string record = name + '\n' + description;
  if (!description.empty() && description.back() != '\n')
    record += '\n';
  record += '\n';
  writeOutput(out, record);
  return true;
}

void writeFieldAnswer(std::FILE* out, Format format, const ItemDatabase& db,
                      std::string_view field) {
  if (format == Format::kJson)
    writeOutput(out, jsonLine(itemFieldJson(db, field)));
  else
    writeAnswer(out, format, db, readNumberField(field));
}

void writeCsv(std::FILE* out, const Catalogue& catalogue, std::span<const int32_t> numbers) {
  // Written in pieces of some size: the whole catalogue is megabytes.
  constexpr std::size_t kPieceSize = 1 << 16;
  std::string piece = csvHeader(catalogue);
  for (const int32_t number : numbers) {
    appendCsvRow(catalogue, number, piece);
    if (piece.size() >= kPieceSize) {
      writeOutput(out, piece);
      piece.clear();
    }
  }
  writeOutput(out, piece);
}

std::string loadSummary(const ItemDatabase& db, Format format) {
  const auto hasValue = [](const auto& slot) { return slot.has_value(); };
  const int32_t skills = countFilled(db.skills(), hasValue);
  const int32_t stdItems =
      countFilled(db.stdItems(), [](const StdItemEntry& item) { return item.name.has_value(); });
  const int32_t prefixes = countFilled(db.rndItems(), hasValue);
  if (format == Format::kJson) {
    Json summary;
    summary["skills"] = skills;
    summary["standardItems"] = stdItems;
    summary["types"] = db.typeCount();
    summary["randomPrefixes"] = prefixes;
    summary["changeRecords"] = db.changeCount();
    return jsonLine(summary);
  }
  return "Data loaded: " + std::to_string(skills) + " skills, " + std::to_string(stdItems) +
         " standard items, " + std::to_string(db.typeCount()) + " types, " +
         std::to_string(prefixes) + " random prefixes, " + std::to_string(db.changeCount()) +
         " change records\n";
}

std::string utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::filesystem::path pathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace tamrix::cli
