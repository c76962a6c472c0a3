#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "authoring/data_warnings.h"
#include "authoring/hungarian.h"
#include "authoring/message_text.h"
#include "authoring/shape_notes.h"
#include "authoring/warning_context.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

// The notes that trace a failure to a type's line count.
std::vector<DataNote> lineCountNotes(const ItemDatabase& db, const DataFileSet& files,
                                     const FileReader& readFile) {
  const std::optional<LoadFailure>& failure = db.lastFailure();
  if (!failure || failure->line == 0 ||
      (failure->fileName != files[DataFile::kTypes] &&
       failure->fileName != files[DataFile::kRndItems]))
    return {};
  SourceFiles sources(readFile);
  const SourceFile* typeFile = sources.file(files[DataFile::kTypes]);
  if (typeFile == nullptr)
    return {};
  const TypeFileLayout types = typeFileLayout(*typeFile);
  const std::optional<TypeOutOfStep>& outOfStep = types.outOfStep;
  std::vector<DataNote> notes;
  if (failure->fileName == files[DataFile::kTypes]) {
    if (outOfStep && failure->line > outOfStep->countLine)
      notes.push_back(outOfStepNote(files[DataFile::kTypes], *outOfStep));
    return notes;
  }
  const SourceFile* rndFile = sources.file(files[DataFile::kRndItems]);
  if (rndFile == nullptr)
    return notes;
  // The entry that the failing line belongs to (a line read as a number
  // line begins one), and the one before it.
  const std::vector<RndEntryLines> entries = rndFileLayout(*rndFile, db);
  const auto after = std::find_if(entries.begin(), entries.end(), [&](const RndEntryLines& e) {
    return e.number->line > failure->line;
  });
  const RndEntryLines* current = after == entries.begin() ? nullptr : &*(after - 1);
  const RndEntryLines* previous = after - entries.begin() < 2 ? nullptr : &*(after - 2);
  const RndEntryLines* reading = nullptr;  // the entry whose type decided the line's role
  switch (failure->fault) {
    case LoadFault::kRndTypeZero:
    case LoadFault::kRndTypeUnknown: {
      if (outOfStep)
        notes.push_back(outOfStepNote(files[DataFile::kTypes], *outOfStep));
      if (current == nullptr || current->type == nullptr)
        break;
      const int32_t id = readNumber(current->type->text());
      for (const TypeRecordLines& record : types.records)
        if (record.cutShort && readNumber(record.id->text()) == id)
          notes.push_back(noteAt(files[DataFile::kTypes], record.count()->line,
                                 "the record of type id " + str(id) +
                                     " is dropped: the file ends inside its amount lines",
                                 hu("a(z) ") + str(id) +
                                     hu(" azonosítójú típus kimarad: a fájl a mennyiségsorai "
                                        "közben véget ér")));
      break;
    }
    case LoadFault::kRndSkillNotNumber:
      reading = current;
      break;
    case LoadFault::kRndPrefixOutOfRange:
      reading = previous;
      break;
    default:
      break;
  }
  if (reading != nullptr && reading->typeEntry != nullptr) {
    if (readOutOfStep(outOfStep, reading->typeEntry))
      notes.push_back(outOfStepNote(files[DataFile::kTypes], *outOfStep));
    if (!outOfStep || reading->typeEntry->countLine != outOfStep->countLine)
      notes.push_back(skillLinesNote(files[DataFile::kTypes], *reading->typeEntry));
  }
  return notes;
}

}  // namespace

std::vector<DataNote> findLoadFailureNotes(const ItemDatabase& db, const DataFileSet& files,
                                           const FileReader& readFile) {
  std::vector<DataNote> notes = lineCountNotes(db, files, readFile);
  for (DataNote& note : findShapeNotes(db, files, readFile))
    notes.push_back(std::move(note));
  return notes;
}

}  // namespace tamrix
