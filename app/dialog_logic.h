// The dialog's logic, shared by every front end: what the two output fields
// show for the number read from the number field.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "database/data_file_set.h"
#include "database/item_database.h"

namespace tamrix {

// The data files as the dialog names them: "Data\skill.txt" and so on,
// relative to the current directory.
const DataFileSet& dialogDataFiles();

// Loads the data files exactly as the dialog does, through the database's
// reader.
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

// The same answer, for a description already written (describeItem's).
DialogAnswer dialogAnswer(int32_t number, std::string description);

// The text up to the first line feed.
std::string_view firstLine(std::string_view text);

// Reads a number field where the platform has no GetDlgItemInt: blanks
// around it are ignored (and a carriage return at the end), then an
// optional minus sign and decimal digits; anything else, an empty field and
// a value outside the signed 32-bit range read as 0.
int32_t readNumberField(std::string_view text);

// The same reading, with nothing for a field that holds no number (so that
// "abc" and "0" differ).
std::optional<int32_t> parseNumberField(std::string_view text);

}  // namespace tamrix
