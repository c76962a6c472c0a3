// A place in a data file that the authoring tools point an author at.
#pragma once

#include <cstdint>
#include <string>

namespace tamrix {

// A line of a data file; line 0 stands for the file as a whole. Column 0
// stands for the whole line; otherwise it counts the line's bytes from 1.
struct SourceLine {
  std::string fileName;
  int32_t line = 0;
  int32_t column = 0;
};

}  // namespace tamrix
