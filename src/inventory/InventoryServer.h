#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fields/ProgramIdentity.h"

namespace qv {

// How the program names itself to the server: its own name and version, not another agent's. The
// server accepts a name it does not know once that exact text is a line of its extra_useragents.
constexpr const char* InventoryUserAgent = "Quorvel_v" QUORVEL_VERSION_TEXT;

// Where the server listens. "http://ocs.example/ocsinventory", "https://ocs.example:8443/ocsinventory";
// the path is /ocsinventory when none is given, and http:// is taken when no scheme is.
struct ServerUrl {
  bool Secure = false;
  std::string Host;
  int Port = 80;
  std::string Path = "/ocsinventory";
  std::string Text; // as the user gave it, for messages
};
// Nothing for an address that is not one (another scheme, no host, a bad port, a blank or a
// control character anywhere).
std::optional<ServerUrl> ParseServerUrl(const std::string& text);

// What one POST came to.
struct HttpAnswer {
  enum class Kind { Answered, Unreachable, NoTransport };
  Kind Result = Kind::Answered;
  int Status = 0;     // the HTTP status, when answered
  std::string Body;   // when answered
  std::string Reason; // why not, in the system's words where it has some
};

// The system's HTTP library behind the two requests.
class InventoryTransport {
public:
  virtual ~InventoryTransport() = default;
  // POSTs a zlib-compressed body with InventoryUserAgent, "Pragma: no-cache" and
  // "Content-Type: application/x-compress".
  virtual HttpAnswer Post(const ServerUrl& url, const std::string& body) = 0;
};

// WinInet, looked up when first used: the proxies and HTTPS of the user's Windows come with it
// (Windows builds only).
std::unique_ptr<InventoryTransport> MakeWinInetTransport();

struct SendResult {
  enum class Outcome {
    Sent,        // the server stored the inventory
    NotWanted,   // the server answered the PROLOG with no wish for one; nothing was sent
    Refused,     // the server answered, but not with a yes
    Unreachable, // no answer (or a proxy's answer that the server could not be reached)
  };
  Outcome Result = Outcome::Sent;
  std::vector<std::string> Answers; // "PROLOG: RESPONSE=SEND ...", one line per request answered
  std::string Message;              // for every outcome but Sent: what happened, in words
};

// A PROLOG, then, when the server answers SEND, the INVENTORY: each compressed, each answer read.
SendResult SendInventory(InventoryTransport& transport, const ServerUrl& url, const std::string& deviceId,
                         const std::string& inventoryXml);

} // namespace qv
