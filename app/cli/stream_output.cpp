#include "app/cli/stream_output.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "app/cli/console.h"

namespace tamrix::cli {

namespace {

struct StreamState {
  std::FILE* stream;
  const char* name;
  Payload payload = Payload::kText;
  bool escape = false;
  // Looked up once, at the first use: whether the stream is a terminal and
  // whether it is a wide console.
  bool known = false;
  bool terminal = false;
  bool wideConsole = false;
};

// The exit status of a failed write.
int writeFailureStatus = 1;

StreamState standardOutput{stdout, "standard output"};
StreamState standardError{stderr, "standard error"};

StreamState& stateOf(std::FILE* stream) {
  return stream == stderr ? standardError : standardOutput;
}

void lookUp(StreamState& state) {
  if (state.known)
    return;
  state.terminal = isTerminal(state.stream);
  state.wideConsole = isWideConsole(state.stream);
  state.known = true;
}

bool writeRaw(StreamState& state, std::string_view bytes) {
  lookUp(state);
  if (state.payload == Payload::kText && state.wideConsole) {
    // Whatever the C library holds goes first, so the order stays.
    return std::fflush(state.stream) == 0 && writeConsoleText(state.stream, bytes);
  }
  return std::fwrite(bytes.data(), 1, bytes.size(), state.stream) == bytes.size();
}

[[noreturn]] void failWrite(StreamState& state, int error) {
  if (&state != &standardError) {
    // One message; if standard error fails too, the exit status alone says it.
    const std::string message = std::string("tamrix-cli: cannot write to ") + state.name +
                                (error != 0 ? std::string(": ") + std::strerror(error) : "") + "\n";
    writeRaw(standardError, message);
    std::fflush(stderr);
  }
  // Nothing more is written: what the C library still holds for the
  // failed stream is dropped rather than tried again.
  std::_Exit(writeFailureStatus);
}

void flushState(StreamState& state) {
  errno = 0;
  if (std::fflush(state.stream) != 0 || std::ferror(state.stream))
    failWrite(state, errno);
}

}  // namespace

void setUpStream(std::FILE* stream, Payload payload, bool escapeOnTerminal) {
  StreamState& state = stateOf(stream);
  state.payload = payload;
  state.escape = escapeOnTerminal;
}

void setWriteFailureStatus(int status) {
  writeFailureStatus = status;
}

void writeOutput(std::FILE* stream, std::string_view bytes) {
  StreamState& state = stateOf(stream);
  lookUp(state);
  errno = 0;
  const bool written = state.escape && state.terminal && state.payload == Payload::kText
                           ? writeRaw(state, escapeControls(bytes))
                           : writeRaw(state, bytes);
  if (!written)
    failWrite(state, errno);
}

void flushOutput(std::FILE* stream) {
  flushState(stateOf(stream));
}

int finishOutput(int status) {
  flushState(standardOutput);
  flushState(standardError);
  return status;
}

std::string escapeControls(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(utf8.size());
  const auto escaped = [&out](unsigned codePoint) {
    out += "\\x";
    out += kHex[codePoint >> 4];
    out += kHex[codePoint & 0xF];
  };
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0u;
    if ((byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F) {
      escaped(byte);
    } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      escaped(next);  // U+0080 to U+009F
      ++i;
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

}  // namespace tamrix::cli
