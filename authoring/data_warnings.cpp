#include "authoring/data_warnings.h"

#include <algorithm>
#include <cstddef>
#include <tuple>
#include <utility>

#include "authoring/change_checks.h"
#include "authoring/hungarian.h"
#include "authoring/line_accounting.h"
#include "authoring/name_checks.h"
#include "authoring/rnd_item_checks.h"
#include "authoring/skill_checks.h"
#include "authoring/std_item_checks.h"
#include "authoring/text_checks.h"
#include "authoring/type_checks.h"
#include "authoring/value_meaning.h"
#include "authoring/warning_context.h"

namespace tamrix {

std::vector<DataWarning> findDataWarnings(const ItemDatabase& db, const DataFileSet& files,
                                          const FileReader& readFile) {
  SourceFiles sources(readFile);
  const SourceFile unreadable;
  WarningContext context(db, files);
  for (const DataFile file : kReadFiles) {
    const SourceFile*& text = context.texts[static_cast<std::size_t>(file)];
    text = sources.file(files[file]);
    if (text == nullptr) {
      // It loaded, but is gone or locked now: what it would warn of is unknown.
      context.add({files[file]}, WarningCode::kFileUnreadable,
                  "the file cannot be read again to look for warnings: check it once more",
                  hu("a fájl nem olvasható újra a figyelmeztetésekhez: ellenőrizzük még egyszer"));
      text = &unreadable;
    }
    checkText(context, file);
    for (auto* check : {findUnreadBytes, findMeaninglessValues, findNameSlips})
      for (DataWarning& w : check(*text, file, files[file], db))
        context.warnings.push_back(std::move(w));
  }
  context.types = typeFileLayout(context.text(DataFile::kTypes));
  checkSkills(context);
  checkStdItems(context);
  checkTypes(context);
  checkRndItems(context);
  checkChanges(context);
  // In load order, then by place.
  const auto rank = [&files](const DataWarning& w) {
    const DataFile* file = files.find(w.where.fileName);
    return std::tuple(file != nullptr ? static_cast<std::size_t>(*file) : kDataFileCount,
                      w.where.line, w.where.column);
  };
  std::stable_sort(context.warnings.begin(), context.warnings.end(),
                   [&](const DataWarning& a, const DataWarning& b) { return rank(a) < rank(b); });
  return std::move(context.warnings);
}

}  // namespace tamrix
