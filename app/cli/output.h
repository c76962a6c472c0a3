// How tamrix-cli writes an answer and a summary in each output format.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "app/cli/options.h"
#include "database/item_database.h"
#include "search/catalogue.h"

namespace tamrix::cli {

// Writes the answer for `number` to `out`:
//  kText: the name line, the lines of the description field, one empty line
//         (UTF-8, every line ended by a line feed);
//  kRaw:  the description's exact Windows-1250 bytes and one NUL byte;
//  kJson: the item record (app/item_json.h) on one line.
// Returns false when the description is the empty text and `skipEmpty` is
// set, in which case nothing is written.
bool writeAnswer(std::FILE* out, Format format, const ItemDatabase& db, int32_t number,
                 bool skipEmpty = false);

// Writes the answer for the number field `field` (an argument or a line of
// standard input); in JSON, a text that holds no number is kept as given.
void writeFieldAnswer(std::FILE* out, Format format, const ItemDatabase& db,
                      std::string_view field);

// Writes the CSV header and the line of every number to `out`, as it goes.
void writeCsv(std::FILE* out, const Catalogue& catalogue, std::span<const int32_t> numbers);

// The one-line summary of the loaded tables.
std::string loadSummary(const ItemDatabase& db, Format format);

// The path as tamrix-cli prints it: UTF-8 on every platform.
std::string utf8Path(const std::filesystem::path& path);

// The path named by UTF-8 text, such as an argument.
std::filesystem::path pathFromUtf8(std::string_view utf8);

}  // namespace tamrix::cli
