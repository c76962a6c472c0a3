// A database filled in memory with the loaded capacities and empty slots, so
// decoder tests set exactly the slots they need.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "database/item_database.h"

namespace tamrix::test {

class DecoderTest : public ::testing::Test {
 protected:
  DecoderTest() {
    db.specItemCount = 1000;
    db.stdItemCount = 450;
    db.groupSize = 15;
    db.skillCount = 110;
    db.rndItemCount = 64;
    db.stdItems.resize(450);
    db.stdItemPresent.assign(450, 0);
    db.skills.resize(110);
    db.skillPresent.assign(110, 0);
    db.rndItems.resize(64);
    db.rndItemPresent.assign(64, 0);
  }

  StdItemEntry& setStdItem(int32_t slot, const std::string& name, int32_t kind) {
    auto& item = db.stdItems[static_cast<size_t>(slot)];
    item.name = name;
    item.kind = kind;
    db.stdItemPresent[static_cast<size_t>(slot)] = 1;
    return item;
  }

  // A group base with "P" + name as its prefixed form.
  StdItemEntry& setGroupBase(int32_t slot, const std::string& name, int32_t kind) {
    auto& item = setStdItem(slot, name, kind);
    item.prefixedName = "P" + name;
    return item;
  }

  void setSkill(int32_t index, const std::string& name, int32_t doublingFlag = 0) {
    db.skills[static_cast<size_t>(index)] = SkillEntry{name, doublingFlag};
    db.skillPresent[static_cast<size_t>(index)] = 1;
  }

  void setPrefix(int32_t prefix, const std::string& name, int32_t typeId,
                 std::initializer_list<int32_t> skillIndices) {
    auto& entry = db.rndItems[static_cast<size_t>(prefix)];
    entry.name = name;
    entry.typeId = typeId;
    size_t i = 0;
    for (const int32_t k : skillIndices)
      entry.skillIndex[i++] = k;
    db.rndItemPresent[static_cast<size_t>(prefix)] = 1;
  }

  // A type whose amount lines give `amounts` (one per line) at every grade.
  void addType(int32_t id, std::initializer_list<int32_t> amounts) {
    TypeEntry type;
    type.id = id;
    for (const int32_t a : amounts)
      type.amounts[static_cast<size_t>(type.lineCount++)].fill(a);
    db.types.push_back(type);
    db.typeCount = static_cast<int32_t>(db.types.size());
  }

  void addChange(int32_t prefix, int32_t kind, int32_t target, int32_t multiplier) {
    db.changes.push_back(ChangeEntry{prefix, kind, target, multiplier});
    db.changeCount = static_cast<int32_t>(db.changes.size());
  }

  std::string describe(int32_t number) { return db.describe(number); }

  ItemDatabase db;
};

}  // namespace tamrix::test
