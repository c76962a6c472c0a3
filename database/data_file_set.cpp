#include "database/data_file_set.h"

#include <algorithm>

namespace tamrix {

std::string_view dataFileName(DataFile file) {
  switch (file) {
    case DataFile::kSpecItems:
      return "specitem.txt";
    case DataFile::kSkills:
      return "skill.txt";
    case DataFile::kStdItems:
      return "stditem.txt";
    case DataFile::kTypes:
      return "type.txt";
    case DataFile::kRndItems:
      return "rnditem.txt";
    case DataFile::kChanges:
      return "change.txt";
  }
  return {};
}

DataFileSet DataFileSet::inFolder(std::string_view folder) {
  return namedBy([folder](DataFile file) {
    std::string name(folder);
    if (!name.empty())
      name += '\\';
    return name.append(dataFileName(file));
  });
}

DataFileSet DataFileSet::namedBy(const std::function<std::string(DataFile)>& nameOf) {
  DataFileSet set;
  for (const DataFile file : kLoadOrder)
    set.names_[static_cast<std::size_t>(file)] = nameOf(file);
  return set;
}

const DataFile* DataFileSet::find(std::string_view name) const {
  const auto at = std::find(names_.begin(), names_.end(), name);
  return at == names_.end() ? nullptr : &kLoadOrder[static_cast<std::size_t>(at - names_.begin())];
}

}  // namespace tamrix
