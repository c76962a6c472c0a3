// The Hungarian side of the authoring tools' messages. The texts are written
// in UTF-8 here and used in Windows-1250, like the names they quote.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tamrix {

// `utf8`, text of this program's own, in Windows-1250.
std::string hu(std::string_view utf8);

// "A", or "A-B" for a range of several, as Hungarian writes it.
std::string huSpan(int64_t first, int64_t last);

}  // namespace tamrix
