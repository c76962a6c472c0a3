// The data sets that the editor's documents belong to: for each, its five
// files (the editor's text where a file is open, the disk's otherwise) and
// the tables loaded from them, as the command line loads them.
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/lsp/document_text.h"
#include "database/data_file_set.h"
#include "database/file_reader.h"
#include "database/item_database.h"

namespace tamrix::lsp {

// A document that the editor has open.
struct OpenDocument {
  std::filesystem::path folder;  // the folder that holds the Data folder
  DataFile file = DataFile::kSkills;
  DocumentText text;
};

// One data set, loaded from its files as they are now.
struct DataSetView {
  std::filesystem::path folder;
  // Per read file: the text the engine reads and the editor's view of it;
  // nothing for a file that is neither open nor on disk.
  std::array<std::optional<DocumentText>, kDataFileCount> texts;
  // Per file: the URI its positions are given for.
  std::array<std::string, kDataFileCount> uris;
  // Per file: whether the editor's text was set aside for the disk's,
  // because the editor decoded the file in another encoding.
  std::array<bool, kDataFileCount> decodedWrongly{};
  std::unique_ptr<ItemDatabase> db;
  bool loaded = false;

  const DocumentText* text(DataFile file) const {
    const auto& t = texts[static_cast<std::size_t>(file)];
    return t ? &*t : nullptr;
  }
  const std::string& uri(DataFile file) const { return uris[static_cast<std::size_t>(file)]; }
};

// The bytes the engine reads for each file of `view`, by the names of
// dialogDataFiles().
FileReader readerOf(const DataSetView& view);

// The data file at `path` and the folder of its set, when it is one.
std::optional<std::pair<std::filesystem::path, DataFile>> dataFileAt(
    const std::filesystem::path& path);

class Workspace {
 public:
  // Opens, replaces or closes the document at `uri`; false when it is no
  // data file (the server then leaves it alone).
  bool open(const std::string& uri, DocumentText text);
  bool close(const std::string& uri);
  const OpenDocument* document(const std::string& uri) const;

  // The set at `folder`, loaded again when a document of it changed.
  const DataSetView& view(const std::filesystem::path& folder);
  // Marks the set at `folder` for loading again (its files on disk changed).
  void touch(const std::filesystem::path& folder) { views_.erase(folder); }

 private:
  std::map<std::string, OpenDocument> documents_;
  std::map<std::filesystem::path, std::unique_ptr<DataSetView>> views_;
};

// file:// URIs and paths.
std::optional<std::filesystem::path> pathOfUri(const std::string& uri);
std::string uriOfPath(const std::filesystem::path& path);

}  // namespace tamrix::lsp
