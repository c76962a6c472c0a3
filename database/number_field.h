// The two conventions for numeric fields of the data files.
#pragma once

#include <cstdint>
#include <string_view>

namespace tamrix {

// Reads a number the way the C library's atoi reads it: leading white space
// (blank, tab, LF, VT, FF, CR) is skipped, an optional sign is taken, then
// decimal digits up to the first other character. A field that does not begin
// with digits reads as 0; a value beyond the 32-bit range saturates.
int32_t readNumber(std::string_view field);

// Whether a field read as `value` holds a number: any value but 0, or a 0
// written with the digit 0 as the field's first character.
bool passesNumberCheck(std::string_view field, int32_t value);

}  // namespace tamrix
