// How tamrix-cli writes one answer in each of its output formats.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "database/item_database.h"

namespace tamrix::cli {

enum class Format { kText, kRaw, kJson };

// Writes the answer for `number` to `out`:
//  kText: the name line, the lines of the description field, one empty line
//         (UTF-8, every line ended by a line feed);
//  kRaw:  describe()'s exact Windows-1250 bytes and one NUL byte;
//  kJson: {"number":N,"name":"...","description":"..."} and a line feed.
// Returns false when describe() gave the empty text and `skipEmpty` is set,
// in which case nothing is written.
bool writeAnswer(std::FILE* out, Format format, ItemDatabase& db, int32_t number,
                 bool skipEmpty = false);

// The one-line summary of the loaded tables.
std::string loadSummary(const ItemDatabase& db, Format format);

// `text` as the contents of a JSON string: quotes, backslashes and control
// characters escaped, everything else as it is.
std::string jsonEscape(std::string_view utf8);

}  // namespace tamrix::cli
