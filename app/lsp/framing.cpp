#include "app/lsp/framing.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

namespace tamrix::lsp {

namespace {

// A header line longer than this is not a header; the rest of it is dropped.
constexpr std::size_t kMaxHeaderLine = 1024;

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

bool MessageReader::readHeaderLine(std::string& line) {
  line.clear();
  for (int c = std::fgetc(in_); c != EOF; c = std::fgetc(in_)) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      return true;
    }
    if (line.size() < kMaxHeaderLine)
      line.push_back(static_cast<char>(c));
  }
  return false;
}

FrameStatus MessageReader::read(std::string& body) {
  std::string line;
  std::optional<std::size_t> length;
  bool bad = false;
  bool any = false;
  for (;;) {
    if (!readHeaderLine(line))
      return FrameStatus::kEnd;
    if (line.empty()) {
      if (any)
        break;
      continue;  // blank lines between messages
    }
    any = true;
    constexpr std::string_view kLength = "Content-Length:";
    if (!startsWithNoCase(line, kLength))
      continue;  // Content-Type and any other header
    std::string_view value = std::string_view(line).substr(kLength.size());
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
      value.remove_prefix(1);
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (error != std::errc() || end != value.data() + value.size() || value.empty())
      bad = true;
    else
      length = n;
  }
  if (bad || !length)
    return FrameStatus::kBadFrame;
  if (*length > kMaxMessageBytes) {
    for (std::size_t left = *length; left > 0; --left)
      if (std::fgetc(in_) == EOF)
        return FrameStatus::kEnd;
    return FrameStatus::kTooLarge;
  }
  body.resize(*length);
  if (std::fread(body.data(), 1, body.size(), in_) != body.size())
    return FrameStatus::kEnd;
  return FrameStatus::kMessage;
}

void writeMessage(std::FILE* out, const Json& message) {
  const std::string body = message.dump(-1, ' ', false, Json::error_handler_t::replace);
  const std::string header = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  std::fwrite(header.data(), 1, header.size(), out);
  std::fwrite(body.data(), 1, body.size(), out);
  std::fflush(out);
}

}  // namespace tamrix::lsp
