// Items as CSV for spreadsheets (RFC 4180): UTF-8 with a byte order mark, so
// that the accents show on any system, and CR LF line ends.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "search/catalogue.h"

namespace tamrix {

// The header line, after the byte order mark: number, name, kind, grade,
// prefix, group base, damage, then each present skill's name by index.
std::string csvHeader(const Catalogue& catalogue);

// Appends the line of `number`: its name line, kind, grade, prefix, group
// base's number, damage figure ("2d6+2"; empty without a damage line), then
// under each skill the sum shown, empty where none. A number that is no item
// has only its number.
void appendCsvRow(const Catalogue& catalogue, int32_t number, std::string& out);

// The header and the line of every number, in their order.
std::string csvTable(const Catalogue& catalogue, std::span<const int32_t> numbers);

}  // namespace tamrix
