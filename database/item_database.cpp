// PLACEHOLDER: replaced by the real implementation.
#include "database/item_database.h"

namespace tamrix {
bool ItemDatabase::loadAll(const std::string&, const std::string&, const std::string&,
                           const std::string&, const std::string&, const std::string&) {
  return false;
}
bool ItemDatabase::loadSpecItems(const std::string&) { return false; }
bool ItemDatabase::loadSkills(const std::string&) { return false; }
bool ItemDatabase::loadStdItems(const std::string&) { return false; }
bool ItemDatabase::loadTypes(const std::string&) { return false; }
bool ItemDatabase::loadRndItems(const std::string&) { return false; }
bool ItemDatabase::loadChanges(const std::string&) { return false; }
void ItemDatabase::normalizeLine(std::string&) {}
void ItemDatabase::setLoadError(std::string_view, std::string_view) {}
const TypeEntry* ItemDatabase::findType(int32_t) const { return nullptr; }
const ChangeEntry* ItemDatabase::findChange(int32_t, int32_t) const { return nullptr; }
}  // namespace tamrix
