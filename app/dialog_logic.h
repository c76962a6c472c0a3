// The dialog's logic, shared by every front end: what the two output fields
// show for the number read from the number field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "authoring/data_files.h"
#include "database/item_database.h"

namespace tamrix {

// The six data files, relative to the current directory, in the argument
// order of ItemDatabase::loadAll.
inline constexpr const char* kStdItemFile = "Data\\stditem.txt";
inline constexpr const char* kSpecItemFile = "Data\\specitem.txt";
inline constexpr const char* kSkillFile = "Data\\skill.txt";
inline constexpr const char* kRndItemFile = "Data\\rnditem.txt";
inline constexpr const char* kTypeFile = "Data\\type.txt";
inline constexpr const char* kChangeFile = "Data\\change.txt";

// The names of the five files that are read, for the authoring tools.
inline DataFileNames dialogFileNames() {
  return {kStdItemFile, kSkillFile, kTypeFile, kRndItemFile, kChangeFile};
}

// Loads the six data files exactly as the dialog does.
bool loadDataFiles(ItemDatabase& db);

// The texts of the two output fields, in Windows-1250. `nameField` is the
// whole description (the field shows only its first line); `descriptionField`
// is everything after the first line feed.
struct DialogAnswer {
  std::string nameField;
  std::string descriptionField;
};

// Answers one command for the number read from the field; 0 gives
// "Ertelmetlen szam" and an empty name field.
DialogAnswer answerCommand(const ItemDatabase& db, int32_t number);

// The text up to the first line feed.
std::string_view firstLine(std::string_view text);

// Reads a number field where the platform has no GetDlgItemInt: blanks
// around it are ignored (and a carriage return at the end), then an
// optional minus sign and decimal digits; anything else, an empty field and
// a value outside the signed 32-bit range read as 0.
int32_t readNumberField(std::string_view text);

}  // namespace tamrix
