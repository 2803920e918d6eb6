// Any bytes as an inventory server's answer, plain and compressed: a reply or nothing, and the
// console line of a reply is printable ASCII. The same bytes as a value of the inventory: escaped,
// they always make a document whose value reads back as well-formed UTF-8 with no character XML
// cannot hold, and as the text itself where that was printable ASCII. And as a server address:
// taken only with a host, a port and a path.
#include <algorithm>

#include "FuzzInput.h"
#include "inventory/Compression.h"
#include "inventory/InventoryDocument.h"
#include "inventory/InventoryServer.h"
#include "inventory/ServerReply.h"
#include "reports/AnsiText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const std::string& body : {bytes, qv::Compress(bytes)}) {
    if (auto reply = qv::ParseServerReply(body)) {
      for (const auto& value : *reply) FUZZ_CHECK(!value.first.empty());
      for (char c : qv::ReplyLine(*reply)) FUZZ_CHECK(c >= 0x20 && c < 0x7F);
    }
  }

  auto reply = qv::ParseServerReply("<REPLY><V>" + qv::XmlText(bytes) + "</V></REPLY>");
  FUZZ_CHECK(reply && reply->size() == 1);
  const std::string& value = reply->front().second;
  FUZZ_CHECK(qv::SanitizeUtf8(value) == value);
  FUZZ_CHECK(std::none_of(value.begin(), value.end(),
                          [](char c) { return c >= 0 && c < 0x20 && c != '\t' && c != '\n' && c != '\r'; }));
  const bool printable = std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
  if (printable && (bytes.empty() || (bytes.front() != ' ' && bytes.back() != ' '))) FUZZ_CHECK(value == bytes);

  if (auto url = qv::ParseServerUrl(bytes)) {
    FUZZ_CHECK(!url->Host.empty() && url->Host.find_first_of("/:@ ") == std::string::npos);
    FUZZ_CHECK(url->Port >= 1 && url->Port <= 65535 && !url->Path.empty() && url->Path[0] == '/');
  }
  return 0;
}
