// Every JSON text that Tamrix writes is built with nlohmann-json and written
// by jsonLine, so that all of it reads alike.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace tamrix {

// Objects keep their keys in the order they were set.
using Json = nlohmann::ordered_json;

// `value` on one line, then a line feed: no blanks, UTF-8 as it is (a byte
// that is not UTF-8 becomes U+FFFD), control characters escaped.
inline std::string jsonLine(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace tamrix
