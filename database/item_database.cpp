#include "database/item_database.h"

#include <algorithm>

#include "database/load_support.h"

namespace tamrix {

namespace {

constexpr int32_t kSpecItemSlots = 1000;

// How many records of a growable table a lookup may look at: the count, but
// never more than the array holds.
std::size_t usableCount(std::size_t size, int32_t count) {
  return count <= 0 ? 0 : std::min(size, static_cast<std::size_t>(count));
}

void resetIndex(RecordIndex& index, std::size_t& indexedCount) {
  index.clear();
  indexedCount = 0;
}

// The pairs of prefix index and item kind that have a cell of their own.
constexpr int32_t kChangeGridPrefixes = 64;
constexpr int32_t kChangeGridKinds = 16;

// The cell of the change grid for a prefix index and an item kind, or
// nothing when the pair lies outside the grid.
std::optional<std::size_t> changeGridCell(int32_t prefixIndex, int32_t itemKind) {
  if (prefixIndex < 0 || prefixIndex >= kChangeGridPrefixes || itemKind < 0 ||
      itemKind >= kChangeGridKinds)
    return std::nullopt;
  return static_cast<std::size_t>(prefixIndex) * kChangeGridKinds +
         static_cast<std::size_t>(itemKind);
}

uint64_t typeKey(int32_t id) {
  return static_cast<uint32_t>(id);
}

uint64_t changeKey(int32_t prefixIndex, int32_t itemKind) {
  return (uint64_t{static_cast<uint32_t>(prefixIndex)} << 32) | static_cast<uint32_t>(itemKind);
}

}  // namespace

bool ItemDatabase::loadAll(const std::string& stdItemFile, const std::string& specItemFile,
                           const std::string& skillFile, const std::string& rndItemFile,
                           const std::string& typeFile, const std::string& changeFile) {
  // Later loaders compute slots from the capacities that earlier ones set, and
  // random items look up types, so this order is fixed.
  return loadSpecItems(specItemFile) && loadSkills(skillFile) && loadStdItems(stdItemFile) &&
         loadTypes(typeFile) && loadRndItems(rndItemFile) && loadChanges(changeFile);
}

// The special range has no file of its own: the table only provides the
// item-number base, so the name is not used.
bool ItemDatabase::loadSpecItems(const std::string&) {
  createFixedTable(kSpecItemSlots, specItemCount, specItems, specItemPresent);
  return true;
}

void ItemDatabase::setLoadError(std::string_view line, std::string_view fileName) {
  std::string text;
  text.reserve(fileName.size() + 3 + line.size());
  text.append(fileName).append(" : ").append(line);
  lastError = std::move(text);
}

void ItemDatabase::resetTypeIndex() {
  resetIndex(typeIndex_, typeIndexedCount_);
}

void ItemDatabase::resetChangeIndex() const {
  resetIndex(changeIndex_, changeIndexedCount_);
  changeGrid_.assign(kChangeGridPrefixes * kChangeGridKinds, 0);
}

void ItemDatabase::indexTypes() const {
  const std::size_t count = usableCount(types.size(), typeCount);
  if (count == typeIndexedCount_)
    return;  // the usual case: nothing added since the load
  if (count < typeIndexedCount_)
    resetIndex(typeIndex_, typeIndexedCount_);
  typeIndex_.reserve(count);
  for (; typeIndexedCount_ < count; ++typeIndexedCount_)
    typeIndex_.addFirst(typeKey(types[typeIndexedCount_].id), typeIndexedCount_);
}

void ItemDatabase::indexChanges() const {
  const std::size_t count = usableCount(changes.size(), changeCount);
  if (count == changeIndexedCount_ && !changeGrid_.empty())
    return;
  if (count < changeIndexedCount_ || changeGrid_.empty())
    resetChangeIndex();
  changeIndex_.reserve(count);
  for (; changeIndexedCount_ < count; ++changeIndexedCount_) {
    const ChangeEntry& c = changes[changeIndexedCount_];
    if (const std::optional<std::size_t> cell = changeGridCell(c.prefixIndex, c.itemKind)) {
      if (changeGrid_[*cell] == 0)
        changeGrid_[*cell] = changeIndexedCount_ + 1;
    } else {
      changeIndex_.addFirst(changeKey(c.prefixIndex, c.itemKind), changeIndexedCount_);
    }
  }
}

const TypeEntry* ItemDatabase::findType(int32_t id) const {
  indexTypes();
  const std::optional<std::size_t> found = typeIndex_.find(typeKey(id));
  if (!found)
    return nullptr;
  if (types[*found].id == id)
    return &types[*found];
  // A record was changed in place after it was indexed: answer by a scan.
  const std::size_t count = usableCount(types.size(), typeCount);
  for (std::size_t i = 0; i < count; ++i)
    if (types[i].id == id)
      return &types[i];
  return nullptr;
}

const ChangeEntry* ItemDatabase::findChange(int32_t prefixIndex, int32_t itemKind) const {
  indexChanges();
  std::optional<std::size_t> found;
  if (const std::optional<std::size_t> cell = changeGridCell(prefixIndex, itemKind)) {
    if (changeGrid_[*cell] != 0)
      found = changeGrid_[*cell] - 1;
  } else {
    found = changeIndex_.find(changeKey(prefixIndex, itemKind));
  }
  if (!found)
    return nullptr;
  const ChangeEntry& change = changes[*found];
  if (change.prefixIndex == prefixIndex && change.itemKind == itemKind)
    return &change;
  const std::size_t count = usableCount(changes.size(), changeCount);
  for (std::size_t i = 0; i < count; ++i)
    if (changes[i].prefixIndex == prefixIndex && changes[i].itemKind == itemKind)
      return &changes[i];
  return nullptr;
}

}  // namespace tamrix
