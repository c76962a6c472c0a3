// PLACEHOLDER: replaced by the real implementation.
#include "database/item_database.h"

namespace tamrix {
const char* ItemDatabase::describe(int32_t) {
  descriptionBuffer = std::string();
  return descriptionBuffer->c_str();
}
}  // namespace tamrix
