// Numbers and names as the authoring tools' English messages write them.
// Messages never put a colon right after a number: editors would read
// "kind 11:" as a place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tamrix {

inline std::string str(int64_t value) {
  return std::to_string(value);
}

// "A", or "A to B" for a range of several.
inline std::string span(int64_t first, int64_t last) {
  return first == last ? str(first) : str(first) + " to " + str(last);
}

// An amount, always with its sign: "+0" for nothing. Appended rather than
// added: MinGW's GCC 12 warns falsely of an overlapping copy otherwise.
inline std::string withSign(int64_t value) {
  return std::string(value >= 0 ? "+" : "").append(str(value));
}

inline std::string quoted(std::string_view name) {
  return std::string("\"").append(name).append("\"");
}

}  // namespace tamrix
