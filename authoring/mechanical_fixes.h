// The slips in a data file that have one right repair, found and made
// without a human: line ends, a line pasted as UTF-8, tabs and no-break
// spaces between fields, typographic quotes around a name. The editor's code
// actions and tamrix-cli --fix both make them from here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamrix {

struct TextFix {
  std::size_t at = 0;       // byte offset in the file
  std::size_t length = 0;   // bytes replaced
  std::string replacement;  // Windows-1250
  int32_t line = 0;         // of the file, from 1, counting line feeds
  int32_t column = 0;       // bytes of that line before `at`, plus 1
  std::string what;         // English: "a tab between fields becomes a blank"
};

// The repairs for the Windows-1250 bytes of a data file, in file order, none
// overlapping another. Text after a Ctrl-Z or a NUL byte is left alone, and
// so is the header before the -start- line but for its line ends and a
// whole file written in UTF-8.
std::vector<TextFix> findMechanicalFixes(std::string_view bytes);

// `bytes` with `fixes` (in file order, none overlapping) made.
std::string applyFixes(std::string_view bytes, const std::vector<TextFix>& fixes);

}  // namespace tamrix
