// A database with the loaded capacities and empty slots, so that decoder
// tests set exactly the slots they need.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "database/item_database.h"

namespace tamrix::test {

class DecoderTest : public ::testing::Test {
 protected:
  DecoderTest() {
    db.specItemCount = 1000, db.stdItemCount = 450, db.groupSize = 15;
    db.skillCount = 110, db.rndItemCount = 64;
    db.stdItems.resize(450), db.stdItemPresent.assign(450, 0);
    db.skills.resize(110), db.skillPresent.assign(110, 0);
    db.rndItems.resize(64), db.rndItemPresent.assign(64, 0);
  }

  // A group base's prefixed form is "P" + its name.
  StdItemEntry& setStdItem(size_t slot, const std::string& name, int32_t kind) {
    db.stdItemPresent[slot] = 1;
    db.stdItems[slot] = StdItemEntry{name, "P" + name, kind, 0, 0, 0, 0, 0, 0};
    return db.stdItems[slot];
  }
  void setSkill(size_t index, const std::string& name, int32_t doublingFlag = 0) {
    db.skills[index] = SkillEntry{name, doublingFlag};
    db.skillPresent[index] = 1;
  }
  void setPrefix(size_t prefix, const std::string& name, int32_t typeId,
                 std::initializer_list<int32_t> skills) {
    db.rndItems[prefix] = RndItemEntry{name, typeId, {}};
    std::copy(skills.begin(), skills.end(), db.rndItems[prefix].skillIndex.begin());
    db.rndItemPresent[prefix] = 1;
  }
  // One amount line per element of `amounts`, the same at every grade.
  void setType(int32_t id, std::initializer_list<int32_t> amounts) {
    std::erase_if(db.types, [id](const TypeEntry& t) { return t.id == id; });
    TypeEntry& type = db.types.emplace_back(TypeEntry{id, 0, {}});
    for (const int32_t a : amounts)
      type.amounts[static_cast<size_t>(type.lineCount++)].fill(a);
    db.typeCount = static_cast<int32_t>(db.types.size());
  }
  void setChanges(std::initializer_list<ChangeEntry> changes) {
    db.changes = changes;
    db.changeCount = static_cast<int32_t>(db.changes.size());
  }
  std::string describe(int32_t number) { return db.describe(number); }

  ItemDatabase db;
};

}  // namespace tamrix::test
