// The numbers the engine is built on: the sizes of the fixed tables, the item
// numbers they give, the kinds, and the skills with a meaning of their own.
// Every other file takes them from here.
#pragma once

#include <cstdint>

namespace tamrix {

// Slots of the fixed tables, as their loaders create them.
inline constexpr int32_t kSpecItemSlots = 1000;  // the numbers below the first item
inline constexpr int32_t kStdItemSlots = 450;
inline constexpr int32_t kGroupSlots = 15;  // a group base and its 14 grades
inline constexpr int32_t kSkillSlots = 110;
inline constexpr int32_t kRndItemSlots = 64;  // slot 0 stands for "no prefix"

// A type record's amount lines, each with one amount per grade.
inline constexpr int32_t kTypeMaxLines = 6;
inline constexpr int32_t kTypeGrades = kGroupSlots;

// The most bytes a data set's files may hold together. Real sets are a few
// hundred kilobytes; a set past this is refused before it is parsed, so that
// a wrong folder or a runaway generator cannot exhaust the memory.
inline constexpr int64_t kMaxDataSetBytes = int64_t{64} << 20;

// The item numbers that the tables describe: from the first to one before
// the end, one block of standard item slots per random prefix slot.
inline constexpr int32_t kFirstItemNumber = kSpecItemSlots;
inline constexpr int32_t kEndItemNumber = kFirstItemNumber + kRndItemSlots * kStdItemSlots;

// A grade of this number with a random prefix is the chaos item.
inline constexpr int32_t kChaosGrade = 14;

// The kinds a standard item line may have; a line with another kind keeps
// only its kind.
inline constexpr int32_t kFirstKind = 1;
inline constexpr int32_t kLastKind = 13;
// The weapon kinds: the description adds a remark and a damage line.
inline constexpr int32_t kFirstWeaponKind = 11;
inline constexpr int32_t kLastWeaponKind = 12;
inline constexpr bool isWeaponKind(int32_t kind) {
  return kind >= kFirstWeaponKind && kind <= kLastWeaponKind;
}

// The skills that a standard item's own numbers go to. The hit chance and
// the defence are written with a percent sign.
inline constexpr int32_t kDurabilitySkill = 6;
inline constexpr int32_t kHitChanceSkill = 7;
inline constexpr int32_t kDefenceSkill = 8;
inline constexpr int32_t kOwnSkillCount = 3;

}  // namespace tamrix
