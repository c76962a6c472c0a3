// The names under which a data set's files were loaded, so that the
// authoring tools can name a file and read its text again.
#pragma once

#include <cstdint>
#include <string>

namespace tamrix {

struct DataFileNames {
  std::string stdItems;
  std::string skills;
  std::string types;
  std::string rndItems;
  std::string changes;
};

// A line of a data file; line 0 stands for the file as a whole. Column 0
// stands for the whole line; otherwise it counts the line's bytes from 1.
struct SourceLine {
  std::string fileName;
  int32_t line = 0;
  int32_t column = 0;
};

}  // namespace tamrix
