// The language server's wire: JSON-RPC messages, each behind a header block
// with its Content-Length, as the editors frame them.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "app/json.h"

namespace tamrix::lsp {

// The largest message body read; a longer one is read past and refused.
inline constexpr std::size_t kMaxMessageBytes = std::size_t{64} << 20;

enum class FrameStatus {
  kMessage,   // a body was read
  kBadFrame,  // a header block without a usable Content-Length; read past
  kTooLarge,  // a body above kMaxMessageBytes; read past
  kEnd,       // the input ended (also within a header or a body)
};

class MessageReader {
 public:
  explicit MessageReader(std::FILE* in) : in_(in) {}
  // Reads the next header block and its body into `body`.
  FrameStatus read(std::string& body);

 private:
  // One header line without its line end; false at the end of the input.
  bool readHeaderLine(std::string& line);
  std::FILE* in_;
};

// Writes `message` with its header and flushes.
void writeMessage(std::FILE* out, const Json& message);

}  // namespace tamrix::lsp
