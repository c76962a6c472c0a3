#include "authoring/load_error.h"

#include "database/limits.h"

namespace tamrix {

namespace {

// "A to B".
std::string span(int64_t first, int64_t last) {
  return std::to_string(first) + " to " + std::to_string(last);
}

}  // namespace

std::string explainLoadFault(LoadFault fault) {
  switch (fault) {
    case LoadFault::kCannotOpen:
      return "the file cannot be opened: it is missing, a folder, or not readable";
    case LoadFault::kNoStartLine:
      return "no line contains the -start- marker that ends the header";
    case LoadFault::kSkillIndexNotNumber:
      return "the skill index is not a number (a 0 must be written with the digit 0)";
    case LoadFault::kSkillIndexOutOfRange:
      return "the skill index is outside " + span(0, kSkillSlots - 1);
    case LoadFault::kSkillNoBlank:
      return "the skill line has no blank after its index";
    case LoadFault::kSkillFlagNotNumber:
      return "the doubling flag after the index is not a number";
    case LoadFault::kSkillNoName:
      return "no double quote after the index: the skill name is missing";
    case LoadFault::kSkillOneQuote:
      return "the skill name has only one double quote";
    case LoadFault::kStdNumberNotNumber:
      return "the item number is not a number";
    case LoadFault::kStdNumberOutOfRange:
      return "the item number is outside " +
             span(kFirstItemNumber, kFirstItemNumber + kStdItemSlots - 1);
    case LoadFault::kStdNoKind:
      return "the line has no blank after the item number: the kind is missing";
    case LoadFault::kStdKindNotNumber:
      return "the kind is not a number";
    case LoadFault::kStdTooFewNumbers:
      return "the line has fewer numbers after the kind than the kind needs";
    case LoadFault::kStdNoName:
      return "no name between double quotes after the numbers";
    case LoadFault::kStdNoPrefixedName:
      return "a group base needs a second quoted name, the form shown after a prefix";
    case LoadFault::kTypeEndsAfterId:
      return "the file ends right after this type's id line: its line count is missing";
    case LoadFault::kTypeTooManyLines:
      return "the type's line count is above " + std::to_string(kTypeMaxLines);
    case LoadFault::kRndPrefixOutOfRange:
      return "the item number gives a random prefix outside " + span(0, kRndItemSlots - 1) +
             " (use " + span(kFirstItemNumber, kEndItemNumber - 1) +
             ", after one marker character)";
    case LoadFault::kRndNoName:
      return "the prefix name line has no double quote";
    case LoadFault::kRndOneQuote:
      return "the prefix name line has only one double quote";
    case LoadFault::kRndTypeZero:
      return "the type id is 0 or not a number; a prefix needs the id of a type record";
    case LoadFault::kRndTypeUnknown:
      return "no type record has this id";
    case LoadFault::kRndSkillNotNumber:
      return "the skill index of an amount line is not a number";
    case LoadFault::kChangeNotNumber:
      return "this field of the change record is not a number";
    case LoadFault::kChangeTooFewNumbers:
      return "a change record needs four numbers separated by blanks: item number, kind, "
             "target, multiplier";
    case LoadFault::kChangeNoStdItems:
      return "no standard item table to give the prefix of this item number";
  }
  return "the line breaks a rule of its file";
}

}  // namespace tamrix
