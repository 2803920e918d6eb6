#include "inventory/InventoryServer.h"
#include "ui/OptionalCalls.h"
#include "ui/Win.h"

// clang-format off: needs the types of ui/Win.h before it
#include <wininet.h>
// clang-format on

namespace qv {

namespace {

// WinInet comes with Internet Explorer, not with every Windows (the first 95 has none), so it is
// loaded when the inventory is sent, never imported.
struct WinInetCalls {
  decltype(&::InternetOpenA) Open = nullptr;
  decltype(&::InternetConnectA) Connect = nullptr;
  decltype(&::HttpOpenRequestA) OpenRequest = nullptr;
  decltype(&::HttpSendRequestA) SendRequest = nullptr;
  decltype(&::HttpQueryInfoA) QueryInfo = nullptr;
  decltype(&::InternetReadFile) ReadFile = nullptr;
  decltype(&::InternetCloseHandle) CloseHandle = nullptr;
  decltype(&::InternetSetOptionA) SetOption = nullptr; // the time-outs; optional
};

struct InternetTraits {
  using Type = HINTERNET;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { Calls.CloseHandle(h); }
  static inline WinInetCalls Calls;
};
using UniqueInternet = UniqueHandle<InternetTraits>;

constexpr size_t MaxAnswer = 1u << 20;

class WinInetTransport : public InventoryTransport {
public:
  HttpAnswer Post(const ServerUrl& url, const std::string& body) override {
    if (!Load()) return {HttpAnswer::Kind::NoTransport, 0, "", ""};
    const WinInetCalls& c = InternetTraits::Calls;
    // The user's own settings: a proxy, if Internet Explorer has one.
    UniqueInternet session(c.Open(InventoryUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return Unreachable();
    if (c.SetOption) {
      DWORD connect = 30000, transfer = 120000;
      c.SetOption(session.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
      c.SetOption(session.Get(), INTERNET_OPTION_SEND_TIMEOUT, &transfer, sizeof transfer);
      c.SetOption(session.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &transfer, sizeof transfer);
    }
    UniqueInternet connection(c.Connect(session.Get(), url.Host.c_str(), static_cast<INTERNET_PORT>(url.Port), nullptr,
                                        nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return Unreachable();
    const DWORD flags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES |
                        INTERNET_FLAG_NO_UI | (url.Secure ? INTERNET_FLAG_SECURE : 0);
    const char* accept[] = {"*/*", nullptr};
    UniqueInternet request(
        c.OpenRequest(connection.Get(), "POST", url.Path.c_str(), nullptr, nullptr, accept, flags, 0));
    if (!request) return Unreachable();
    static const char Headers[] = "Content-Type: application/x-compress\r\nPragma: no-cache\r\n";
    if (!c.SendRequest(request.Get(), Headers, sizeof Headers - 1, const_cast<char*>(body.data()),
                       static_cast<DWORD>(body.size())))
      return Unreachable();
    DWORD status = 0, size = sizeof status;
    if (!c.QueryInfo(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
      return Unreachable();
    HttpAnswer answer{HttpAnswer::Kind::Answered, static_cast<int>(status), "", ""};
    char chunk[8192];
    for (DWORD got = 0; answer.Body.size() <= MaxAnswer; answer.Body.append(chunk, got)) {
      // A connection lost in the middle of the answer is one that did not come.
      if (!c.ReadFile(request.Get(), chunk, sizeof chunk, &got)) return Unreachable();
      if (got == 0) break;
    }
    return answer;
  }

private:
  bool Load() {
    if (Module) return true;
    UniqueLibrary module(LoadLibraryA("wininet.dll"));
    WinInetCalls& c = InternetTraits::Calls;
    HMODULE m = module.Get();
    c.Open = LookUp<decltype(c.Open)>(m, "InternetOpenA");
    c.Connect = LookUp<decltype(c.Connect)>(m, "InternetConnectA");
    c.OpenRequest = LookUp<decltype(c.OpenRequest)>(m, "HttpOpenRequestA");
    c.SendRequest = LookUp<decltype(c.SendRequest)>(m, "HttpSendRequestA");
    c.QueryInfo = LookUp<decltype(c.QueryInfo)>(m, "HttpQueryInfoA");
    c.ReadFile = LookUp<decltype(c.ReadFile)>(m, "InternetReadFile");
    c.CloseHandle = LookUp<decltype(c.CloseHandle)>(m, "InternetCloseHandle");
    c.SetOption = LookUp<decltype(c.SetOption)>(m, "InternetSetOptionA");
    if (!c.Open || !c.Connect || !c.OpenRequest || !c.SendRequest || !c.QueryInfo || !c.ReadFile || !c.CloseHandle)
      return false;
    Module = std::move(module);
    return true;
  }

  // The last error in WinInet's words (its messages live in wininet.dll), else the system's.
  HttpAnswer Unreachable() const {
    const DWORD error = GetLastError();
    char* buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                                      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  Module.Get(), error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.')) text.pop_back();
    if (text.empty()) text = "error " + std::to_string(error);
    return {HttpAnswer::Kind::Unreachable, 0, "", text};
  }

  // Kept loaded while the transport lives: the handles' close call is in it.
  UniqueLibrary Module;
};

} // namespace

std::unique_ptr<InventoryTransport> MakeWinInetTransport() { return std::make_unique<WinInetTransport>(); }

} // namespace qv
