#include "app/cli/option_table.h"

#include <algorithm>

namespace tamrix::cli {

const OptionRow& modeRow(Mode mode) {
  return *std::find_if(kOptions.begin(), kOptions.end(), [mode](const OptionRow& row) {
    return row.role == Role::kMode && row.mode == mode;
  });
}

std::string modeName(Mode mode) {
  const OptionRow& row = modeRow(mode);
  return row.name.empty() ? "NUMBER arguments" : std::string(row.name);
}

std::string withArgument(const OptionRow& row) {
  std::string text(row.name);
  if (row.argument != Argument::kNone)
    text.append(" ").append(row.argumentName);
  return text;
}

}  // namespace tamrix::cli
