#include "app/lsp/data_set.h"

#include <cctype>

#include "app/dialog_logic.h"
#include "disk/data_path.h"
#include "disk/file_bytes.h"

namespace tamrix::lsp {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::filesystem::path> pathOfUri(const std::string& uri) {
  constexpr std::string_view kScheme = "file://";
  if (!uri.starts_with(kScheme))
    return std::nullopt;
  std::string path;
  for (std::size_t i = kScheme.size(); i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && hexValue(uri[i + 1]) >= 0 &&
        hexValue(uri[i + 2]) >= 0) {
      path.push_back(static_cast<char>(hexValue(uri[i + 1]) * 16 + hexValue(uri[i + 2])));
      i += 2;
    } else {
      path.push_back(uri[i]);
    }
  }
  if (path.empty() || path[0] != '/')
    return std::nullopt;  // another host, or no path
#ifdef _WIN32
  if (path.size() > 2 && path[2] == ':')
    path.erase(0, 1);  // file:///C:/...
#endif
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string uriOfPath(const std::filesystem::path& path) {
  const std::u8string u8 = path.generic_u8string();
  const std::string text(u8.begin(), u8.end());
  std::string uri = "file://";
  if (!text.starts_with('/'))
    uri += '/';
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u) || std::string_view("/-._~").find(c) != std::string_view::npos) {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[u >> 4];
      uri += kHex[u & 15];
    }
  }
  return uri;
}

std::optional<std::pair<std::filesystem::path, DataFile>> dataFileAt(
    const std::filesystem::path& path) {
  const std::filesystem::path folder = path.lexically_normal().parent_path().parent_path();
  for (const DataFile file : kReadFiles)
    if (dataFilePath(folder, dialogDataFiles()[file]) == path.lexically_normal())
      return std::pair{folder, file};
  return std::nullopt;
}

FileReader readerOf(const DataSetView& view) {
  return [&view](const std::string& name) -> SharedBytes {
    const DataFile* file = dialogDataFiles().find(name);
    const DocumentText* text = file ? view.text(*file) : nullptr;
    if (!text)
      return nullptr;
    return text->sharedBytes();
  };
}

bool Workspace::open(const std::string& uri, DocumentText text) {
  const std::optional<std::filesystem::path> path = pathOfUri(uri);
  const auto found = path ? dataFileAt(*path) : std::nullopt;
  if (!found)
    return false;
  views_.erase(found->first);
  documents_.insert_or_assign(uri, OpenDocument{found->first, found->second, std::move(text)});
  return true;
}

bool Workspace::close(const std::string& uri) {
  const auto found = documents_.find(uri);
  if (found == documents_.end())
    return false;
  views_.erase(found->second.folder);
  documents_.erase(found);
  return true;
}

const OpenDocument* Workspace::document(const std::string& uri) const {
  const auto found = documents_.find(uri);
  return found == documents_.end() ? nullptr : &found->second;
}

const DataSetView& Workspace::view(const std::filesystem::path& folder) {
  std::unique_ptr<DataSetView>& slot = views_[folder];
  if (slot)
    return *slot;
  slot = std::make_unique<DataSetView>();
  DataSetView& view = *slot;
  view.folder = folder;
  const DataFileSet& files = dialogDataFiles();
  for (const DataFile file : kReadFiles)
    view.uris[static_cast<std::size_t>(file)] = uriOfPath(dataFilePath(folder, files[file]));
  for (const auto& [uri, doc] : documents_) {
    if (doc.folder != folder)
      continue;
    const auto i = static_cast<std::size_t>(doc.file);
    view.uris[i] = uri;
    if (doc.text.decodedWrongly())
      view.decodedWrongly[i] = true;
    else
      view.texts[i] = doc.text;
  }
  for (const DataFile file : kReadFiles) {
    const auto i = static_cast<std::size_t>(file);
    if (view.texts[i])
      continue;
    if (std::optional<std::string> bytes = readFileBytes(dataFilePath(folder, files[file])))
      view.texts[i] = DocumentText::fromBytes(std::move(*bytes));
  }
  view.db = std::make_unique<ItemDatabase>(readerOf(view));
  view.loaded = loadDataFiles(*view.db);
  return view;
}

}  // namespace tamrix::lsp
