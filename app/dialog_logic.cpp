// PLACEHOLDER: replaced by the real implementation.
#include "app/dialog_logic.h"

namespace tamrix {
bool loadDataFiles(ItemDatabase&) { return false; }
DialogAnswer answerCommand(ItemDatabase&, int32_t) { return {}; }
std::string_view firstLine(std::string_view text) { return text; }
int32_t readNumberField(std::string_view) { return 0; }
}  // namespace tamrix
