#include "inventory/ServerReply.h"

#include <algorithm>
#include <cstdint>

#include "inventory/Compression.h"
#include "reports/AnsiText.h"

namespace qv {

namespace {

constexpr std::size_t MaxReply = 1u << 20;
constexpr int MaxDepth = 64;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '.' || c == ':' || static_cast<unsigned char>(c) >= 0x80;
}

// "#65" or "#x41": the character's code point; nothing for anything else.
std::optional<char32_t> CharacterReference(std::string_view name) {
  if (name.size() < 2 || name[0] != '#') return std::nullopt;
  const bool hex = name[1] == 'x';
  const std::string_view digits = name.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t code = 0;
  for (char c : digits) {
    int d = c >= '0' && c <= '9'          ? c - '0'
            : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
            : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                          : -1;
    if (d < 0) return std::nullopt;
    code = code * (hex ? 16 : 10) + static_cast<uint32_t>(d);
  }
  if (code == 0 || code > 0x10FFFF) return std::nullopt;
  return static_cast<char32_t>(code);
}

// A forward-only reader of the document. Every step checks the end, so a cut document fails.
class Reader {
public:
  explicit Reader(std::string_view text) : T(text) {}

  bool AtEnd() const { return P >= T.size(); }
  void Advance(size_t n) { P = std::min(P + n, T.size()); }
  // "<![CDATA[" ... "]]>", its text appended; false when it never ends.
  bool Cdata(std::string& out) {
    Advance(9);
    size_t end = T.find("]]>", P);
    if (end == std::string_view::npos) return false;
    out.append(T.substr(P, end - P));
    P = end + 3;
    return true;
  }
  bool Starts(std::string_view s) const { return T.substr(P, s.size()) == s; }
  void SkipSpace() {
    while (!AtEnd() && IsSpace(T[P])) ++P;
  }
  bool SkipPast(std::string_view s) {
    size_t at = T.find(s, P);
    if (at == std::string_view::npos) return false;
    P = at + s.size();
    return true;
  }
  std::string Name() {
    size_t start = P;
    while (!AtEnd() && IsNameChar(T[P])) ++P;
    return std::string(T.substr(start, P - start));
  }
  // After a start tag's name: past its attributes and ">". Nothing when the tag never ends;
  // true when it closes itself ("/>").
  std::optional<bool> EndOfStartTag() {
    char quote = 0;
    for (; !AtEnd(); ++P) {
      char c = T[P];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '>') {
        ++P;
        return P >= 2 && T[P - 2] == '/';
      }
    }
    return std::nullopt;
  }
  // Text up to the next "<", entities decoded.
  void Text(std::string& out) {
    while (!AtEnd() && T[P] != '<') {
      if (T[P] == '&') {
        Entity(out);
      } else {
        out += T[P++];
      }
    }
  }

private:
  void Entity(std::string& out) {
    size_t semicolon = T.find(';', P);
    if (semicolon == std::string_view::npos || semicolon - P > 10) {
      out += T[P++];
      return;
    }
    std::string_view name = T.substr(P + 1, semicolon - P - 1);
    static const std::pair<std::string_view, char> Named[] = {
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [n, c] : Named)
      if (name == n) {
        out += c;
        P = semicolon + 1;
        return;
      }
    if (auto code = CharacterReference(name)) {
      AppendUtf8(out, *code);
      P = semicolon + 1;
      return;
    }
    out += T[P++]; // not an entity this reader knows: kept as it stands
  }

  std::string_view T;
  size_t P = 0;
};

// Past a comment or a processing instruction; false on one that never ends.
bool SkipMarkup(Reader& r) { return r.SkipPast(r.Starts("<!--") ? "-->" : "?>"); }

// After "</": the name and ">".
bool EndTag(Reader& r, std::string* name = nullptr) {
  r.Advance(2);
  std::string n = r.Name();
  if (name) *name = n;
  r.SkipSpace();
  if (!r.Starts(">")) return false;
  r.Advance(1);
  return true;
}

// The content of an element whose start tag was just read, up to and past its end tag: its text
// when it holds text only, an empty optional inside when it holds elements; nothing on a broken
// document.
std::optional<std::optional<std::string>> ElementContent(Reader& r) {
  std::string text;
  bool elements = false;
  for (int depth = 1; depth > 0;) {
    std::string chunk;
    r.Text(chunk);
    if (depth == 1) text += chunk;
    if (r.AtEnd()) return std::nullopt;
    if (r.Starts("<![CDATA[")) {
      if (!r.Cdata(depth == 1 ? text : chunk)) return std::nullopt;
    } else if (r.Starts("<!--") || r.Starts("<?")) {
      if (!SkipMarkup(r)) return std::nullopt;
    } else if (r.Starts("</")) {
      if (!EndTag(r)) return std::nullopt;
      --depth;
    } else {
      r.Advance(1);
      if (r.Name().empty()) return std::nullopt;
      auto closed = r.EndOfStartTag();
      if (!closed) return std::nullopt;
      elements = true;
      if (!*closed && ++depth > MaxDepth) return std::nullopt;
    }
  }
  if (elements) return std::optional<std::string>();
  return std::optional<std::string>(text);
}

std::string Trimmed(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsSpace(text[first])) ++first;
  while (last > first && IsSpace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The children of REPLY, from just after its start tag.
std::optional<ReplyValues> ReplyChildren(Reader& r) {
  ReplyValues values;
  for (;;) {
    std::string ignored;
    r.Text(ignored);
    if (r.AtEnd()) return std::nullopt;
    if (r.Starts("</")) {
      std::string name;
      if (!EndTag(r, &name) || name != "REPLY") return std::nullopt;
      return values;
    }
    if (r.Starts("<![CDATA[")) {
      if (!r.Cdata(ignored)) return std::nullopt;
      continue;
    }
    if (r.Starts("<!--") || r.Starts("<?")) {
      if (!SkipMarkup(r)) return std::nullopt;
      continue;
    }
    r.Advance(1);
    std::string name = r.Name();
    auto closed = name.empty() ? std::nullopt : r.EndOfStartTag();
    if (!closed) return std::nullopt;
    std::optional<std::optional<std::string>> content;
    if (*closed)
      content.emplace(std::string());
    else if (!(content = ElementContent(r)))
      return std::nullopt;
    if (*content && values.size() < 256) values.emplace_back(name, Trimmed(**content));
  }
}

} // namespace

std::optional<ReplyValues> ParseServerReply(std::string_view body) {
  std::optional<std::string> inflated = Uncompress(body, MaxReply);
  if (!inflated && body.size() > MaxReply) return std::nullopt;
  const std::string text = inflated ? *inflated : std::string(body);
  Reader r(text);
  if (r.Starts("\xEF\xBB\xBF")) r.Advance(3);
  for (;;) {
    r.SkipSpace();
    if (!r.Starts("<?") && !r.Starts("<!--")) break;
    if (!SkipMarkup(r)) return std::nullopt;
  }
  if (!r.Starts("<")) return std::nullopt;
  r.Advance(1);
  if (r.Name() != "REPLY") return std::nullopt;
  auto closed = r.EndOfStartTag();
  if (!closed) return std::nullopt;
  if (*closed) return ReplyValues();
  return ReplyChildren(r);
}

std::string ReplyValue(const ReplyValues& values, const std::string& name) {
  for (const auto& [n, v] : values)
    if (n == name) return v;
  return "";
}

std::string ReplyLine(const ReplyValues& values) {
  const auto shown = [](const std::string& text) {
    std::string out;
    for (char c : text.substr(0, 200)) out += c >= 0x20 && c < 0x7F ? c : '?';
    return out;
  };
  std::string line;
  const auto add = [&](const std::string& name, const std::string& value) {
    line += (line.empty() ? "" : " ") + shown(name) + "=" + shown(value);
  };
  for (const auto& [name, value] : values)
    if (name == "RESPONSE") add(name, value);
  for (const auto& [name, value] : values)
    if (name != "RESPONSE") add(name, value);
  return line;
}

} // namespace qv
