// The server's loop: a framed message is read, its method looked up in one
// table, and the handler's answer written; nothing a client sends stops it
// but the exit notification.
#include "app/lsp/server.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

#include "app/lsp/capabilities.h"
#include "app/lsp/framing.h"
#include "app/version.h"

namespace tamrix::lsp {

namespace {

// The protocol's error codes.
enum ErrorCode {
  kParseError = -32700,
  kInvalidRequest = -32600,
  kMethodNotFound = -32601,
  kInvalidParams = -32602,
  kServerNotInitialized = -32002,
};

// The largest document text taken; a larger one is refused with a diagnostic.
constexpr std::size_t kMaxDocumentBytes = std::size_t{8} << 20;

struct Session {
  explicit Session(std::FILE* output) : out(output) {}
  std::FILE* out;
  Workspace workspace;
  PositionEncoding encoding = PositionEncoding::kUtf16;
  bool initialized = false;
  bool shutDown = false;
  bool exited = false;

  Context context() { return {workspace, encoding}; }
  void send(const Json& message) const { writeMessage(out, message); }
  void notify(std::string_view method, Json params) const {
    send({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
  }
  void publish(const std::filesystem::path& folder) {
    for (auto& [uri, list] : diagnosticsOf(workspace.view(folder), encoding))
      notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", std::move(list)}});
  }
};

struct Error {
  int code;
  std::string message;
};

// A request's result, or its error.
struct Reply {
  Json result;
  std::optional<Error> error;
};

Reply invalidParams() {
  return {nullptr, Error{kInvalidParams, "the parameters are missing or of the wrong type"}};
}

Reply fromHandler(const std::optional<Json>& result) {
  return result ? Reply{*result, std::nullopt} : invalidParams();
}

Reply initialize(Session& s, const Json& params) {
  // UTF-8 when the client offers it, UTF-16 as the protocol's default.
  const Json* general = member(params, "capabilities");
  general = general ? member(*general, "general") : nullptr;
  const Json* offered = general ? member(*general, "positionEncodings") : nullptr;
  const bool utf8 = offered && offered->is_array() &&
                    std::find(offered->begin(), offered->end(), Json("utf-8")) != offered->end();
  s.encoding = utf8 ? PositionEncoding::kUtf8 : PositionEncoding::kUtf16;
  s.initialized = true;
  return {{{"capabilities",
            {{"positionEncoding", utf8 ? "utf-8" : "utf-16"},
             {"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", true}}},
             {"hoverProvider", true},
             {"definitionProvider", true},
             {"documentSymbolProvider", true},
             {"codeActionProvider", {{"codeActionKinds", {"quickfix", "source.fixAll"}}}}}},
           {"serverInfo", {{"name", "tamrix-cli"}, {"version", TAMRIX_VERSION}}}},
          std::nullopt};
}

Reply shutdown(Session& s, const Json&) {
  s.shutDown = true;
  return {nullptr, std::nullopt};
}

// The document's text as the client sent it; nothing when it is missing or
// too large (the client then hears why).
std::optional<std::string> documentText(const Session& s, const std::string& uri,
                                        const Json* text) {
  if (!text || !text->is_string())
    return std::nullopt;
  if (text->get_ref<const std::string&>().size() > kMaxDocumentBytes) {
    s.notify("window/showMessage",
             {{"type", 1}, {"message", "tamrix-cli: " + uri + " is too large for a data file"}});
    return std::nullopt;
  }
  return text->get<std::string>();
}

void didOpen(Session& s, const Json& params) {
  const Json* doc = member(params, "textDocument");
  const std::optional<std::string> uri = doc ? stringMember(*doc, "uri") : std::nullopt;
  const std::optional<std::string> text =
      uri ? documentText(s, *uri, member(*doc, "text")) : std::nullopt;
  if (text && s.workspace.open(*uri, DocumentText::fromEditor(*text)))
    s.publish(s.workspace.document(*uri)->folder);
}

void didChange(Session& s, const Json& params) {
  const Json* doc = member(params, "textDocument");
  const std::optional<std::string> uri = doc ? stringMember(*doc, "uri") : std::nullopt;
  const Json* changes = member(params, "contentChanges");
  if (!uri || !changes || !changes->is_array() || changes->empty() || !s.workspace.document(*uri))
    return;
  // The server asks for the whole text with every change: the last one holds it.
  const std::optional<std::string> text = documentText(s, *uri, member(changes->back(), "text"));
  if (text && s.workspace.open(*uri, DocumentText::fromEditor(*text)))
    s.publish(s.workspace.document(*uri)->folder);
}

void didClose(Session& s, const Json& params) {
  const Json* doc = member(params, "textDocument");
  const std::optional<std::string> uri = doc ? stringMember(*doc, "uri") : std::nullopt;
  const OpenDocument* open = uri ? s.workspace.document(*uri) : nullptr;
  if (!open)
    return;
  const std::filesystem::path folder = open->folder;
  s.workspace.close(*uri);
  s.publish(folder);
}

void didSave(Session& s, const Json& params) {
  const Json* doc = member(params, "textDocument");
  const std::optional<std::string> uri = doc ? stringMember(*doc, "uri") : std::nullopt;
  if (const OpenDocument* open = uri ? s.workspace.document(*uri) : nullptr) {
    // The other files may have changed on disk meanwhile.
    s.workspace.touch(open->folder);
    s.publish(open->folder);
  }
}

void exitNotification(Session& s, const Json&) {
  s.exited = true;
}

struct MethodRow {
  std::string_view name;
  Reply (*request)(Session&, const Json&) = nullptr;
  void (*notification)(Session&, const Json&) = nullptr;
};

// Every method the server knows.
const std::array kMethods = {
    MethodRow{.name = "initialize", .request = initialize},
    MethodRow{.name = "initialized", .notification = [](Session&, const Json&) {}},
    MethodRow{.name = "shutdown", .request = shutdown},
    MethodRow{.name = "exit", .notification = exitNotification},
    MethodRow{.name = "textDocument/didOpen", .notification = didOpen},
    MethodRow{.name = "textDocument/didChange", .notification = didChange},
    MethodRow{.name = "textDocument/didClose", .notification = didClose},
    MethodRow{.name = "textDocument/didSave", .notification = didSave},
    MethodRow{
        .name = "textDocument/hover",
        .request = [](Session& s, const Json& p) { return fromHandler(hover(s.context(), p)); }},
    MethodRow{.name = "textDocument/definition",
              .request = [](Session& s,
                            const Json& p) { return fromHandler(definition(s.context(), p)); }},
    MethodRow{
        .name = "textDocument/documentSymbol",
        .request = [](Session& s,
                      const Json& p) { return fromHandler(documentSymbols(s.context(), p)); }},
    MethodRow{.name = "textDocument/codeAction",
              .request = [](Session& s,
                            const Json& p) { return fromHandler(codeActions(s.context(), p)); }},
};

const MethodRow* findMethod(std::string_view name) {
  const auto found = std::find_if(kMethods.begin(), kMethods.end(),
                                  [name](const MethodRow& row) { return row.name == name; });
  return found == kMethods.end() ? nullptr : &*found;
}

void sendError(const Session& s, const Json& id, int code, std::string message) {
  s.send({{"jsonrpc", "2.0"},
          {"id", id},
          {"error", {{"code", code}, {"message", std::move(message)}}}});
}

void handle(Session& s, const std::string& body) {
  const Json message = Json::parse(body, nullptr, false);
  if (message.is_discarded()) {
    sendError(s, nullptr, kParseError, "the message is not JSON");
    return;
  }
  const Json* idMember = member(message, "id");
  const bool validId = idMember && (idMember->is_string() || idMember->is_number_integer());
  const Json id = validId ? *idMember : Json(nullptr);
  const std::optional<std::string> method = stringMember(message, "method");
  if (!method || (idMember && !validId)) {
    // A response to a request of ours (the server sends none) is dropped.
    if (!method && (member(message, "result") || member(message, "error")))
      return;
    sendError(s, id, kInvalidRequest,
              "a message needs a method and an id that is a number or a string");
    return;
  }
  const Json* paramsMember = member(message, "params");
  const Json params = paramsMember ? *paramsMember : Json::object();
  const MethodRow* row = findMethod(*method);
  if (!idMember) {  // a notification: never answered
    if (row && row->notification && (s.initialized || *method == "exit"))
      row->notification(s, params);
    return;
  }
  if (!row || !row->request) {
    sendError(s, id, kMethodNotFound, "no such method: " + *method);
    return;
  }
  if (!s.initialized && *method != "initialize") {
    sendError(s, id, kServerNotInitialized, "the server has not been initialized");
    return;
  }
  if ((s.initialized && *method == "initialize") || s.shutDown) {
    sendError(s, id, kInvalidRequest,
              s.shutDown ? "the server is shut down" : "the server is initialized already");
    return;
  }
  if (!params.is_object() && !params.is_array() && !params.is_null()) {
    sendError(s, id, kInvalidParams, "params must be an object");
    return;
  }
  const Reply reply = row->request(s, params);
  if (reply.error)
    sendError(s, id, reply.error->code, reply.error->message);
  else
    s.send({{"jsonrpc", "2.0"}, {"id", id}, {"result", reply.result}});
}

}  // namespace

int runLanguageServer(std::FILE* in, std::FILE* out) {
  Session session(out);
  MessageReader reader(in);
  std::string body;
  while (!session.exited) {
    const FrameStatus status = reader.read(body);
    if (status == FrameStatus::kEnd)
      break;
    if (status == FrameStatus::kBadFrame)
      sendError(session, nullptr, kParseError, "a header block without a valid Content-Length");
    else if (status == FrameStatus::kTooLarge)
      sendError(session, nullptr, kInvalidRequest, "the message is too large");
    else
      handle(session, body);
  }
  return session.shutDown ? 0 : 1;
}

}  // namespace tamrix::lsp
