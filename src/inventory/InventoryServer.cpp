#include "inventory/InventoryServer.h"

#include "inventory/Compression.h"
#include "inventory/InventoryDocument.h"
#include "inventory/ServerReply.h"

namespace qv {

namespace {

// Plain ASCII tests: the C library's would follow the locale.
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHostChar(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '.' || c == '_';
}

// prefix is lower case.
bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != prefix[i]) return false;
  }
  return true;
}

// Why a request came to nothing, or nothing when the server answered 200.
std::optional<SendResult> Failure(const HttpAnswer& answer, const ServerUrl& url, const char* step) {
  SendResult failed;
  failed.Result = SendResult::Outcome::Unreachable;
  const std::string server = "The server at " + url.Text;
  switch (answer.Result) {
    case HttpAnswer::Kind::NoTransport:
      failed.Message =
          "The inventory cannot be sent from this Windows: it has no WinInet (wininet.dll, which comes "
          "with Internet Explorer). Write it to a file with --ocs FILE instead, and load that into the "
          "server with its injector.";
      return failed;
    case HttpAnswer::Kind::Unreachable:
      failed.Message = server + " could not be reached" + (answer.Reason.empty() ? "" : ": " + answer.Reason) +
                       ". Nothing was sent.";
      return failed;
    case HttpAnswer::Kind::Answered:
      break;
  }
  if (answer.Status == 200) return std::nullopt;
  const std::string status = "HTTP status " + std::to_string(answer.Status);
  // A gateway's answer: the proxy is there, the server behind it is not.
  if (answer.Status == 502 || answer.Status == 503 || answer.Status == 504) {
    failed.Message = server + " could not be reached: the answer was " + status + ". Nothing was sent.";
    return failed;
  }
  failed.Result = SendResult::Outcome::Refused;
  failed.Message = server + " refused the inventory: it answered the " + step + " with " + status + ".";
  if (answer.Status == 400 && std::string(step) == "PROLOG")
    failed.Message += std::string(" A server takes an agent it does not know once that agent's name, ") +
                      InventoryUserAgent + ", is a line of its extra_useragents file.";
  return failed;
}

} // namespace

std::optional<ServerUrl> ParseServerUrl(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return std::nullopt;
  ServerUrl url;
  url.Text = text;
  std::string rest = text;
  if (StartsWithIgnoringCase(rest, "http://")) {
    rest.erase(0, 7);
  } else if (StartsWithIgnoringCase(rest, "https://")) {
    rest.erase(0, 8);
    url.Secure = true;
    url.Port = 443;
  } else if (rest.find("://") != std::string::npos) {
    return std::nullopt;
  }
  const size_t slash = rest.find('/');
  std::string authority = rest.substr(0, slash);
  if (slash != std::string::npos && rest.size() > slash + 1) url.Path = rest.substr(slash);
  if (url.Path.find_first_of("#") != std::string::npos) return std::nullopt;
  if (const size_t colon = authority.find(':'); colon != std::string::npos) {
    const std::string port = authority.substr(colon + 1);
    if (port.empty() || port.size() > 5) return std::nullopt;
    url.Port = 0;
    for (char c : port) {
      if (!IsDigit(c)) return std::nullopt;
      url.Port = url.Port * 10 + (c - '0');
    }
    if (url.Port < 1 || url.Port > 65535) return std::nullopt;
    authority.resize(colon);
  }
  if (authority.empty()) return std::nullopt;
  for (char c : authority)
    if (!IsHostChar(c)) return std::nullopt;
  url.Host = authority;
  return url;
}

SendResult SendInventory(InventoryTransport& transport, const ServerUrl& url, const std::string& deviceId,
                         const std::string& inventoryXml) {
  SendResult result;
  for (const char* step : {"PROLOG", "INVENTORY"}) {
    const bool prolog = std::string(step) == "PROLOG";
    HttpAnswer answer = transport.Post(url, Compress(prolog ? PrologXml(deviceId) : inventoryXml));
    if (auto failed = Failure(answer, url, step)) {
      failed->Answers = result.Answers;
      return *failed;
    }
    std::optional<ReplyValues> reply = ParseServerReply(answer.Body);
    if (!reply) {
      result.Result = SendResult::Outcome::Refused;
      result.Message = "The server at " + url.Text + " refused the inventory: its answer to the " + step +
                       " is not an inventory server's reply.";
      return result;
    }
    result.Answers.push_back(std::string(step) + ": " + ReplyLine(*reply));
    if (prolog && ReplyValue(*reply, "RESPONSE") != "SEND") {
      result.Result = SendResult::Outcome::NotWanted;
      result.Message = "The server wants no inventory from this machine now; nothing was sent.";
      return result;
    }
  }
  return result;
}

} // namespace qv
