#pragma once
// A strict JSON reader for the tests and the fuzz target: the grammar of RFC 8259 and nothing
// more (no comments, no trailing commas, no raw control characters in strings, no lone
// surrogates, well-formed UTF-8 throughout, no duplicate member names), giving the value tree.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::test {

struct JsonMember;

struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object } Type = Kind::Null;
  bool Bool = false;
  std::string Text; // the string, or the number as written
  std::vector<JsonValue> Items;
  std::vector<JsonMember> Members;

  const JsonValue* Find(const std::string& name) const;
};

struct JsonMember {
  std::string first;
  JsonValue second;
};

inline const JsonValue* JsonValue::Find(const std::string& name) const {
  for (const auto& [key, value] : Members)
    if (key == name) return &value;
  return nullptr;
}

class StrictJsonReader {
public:
  explicit StrictJsonReader(std::string_view text) : S(text) {}

  std::optional<JsonValue> Read(std::string* error = nullptr) {
    JsonValue v;
    Space();
    bool ok = Value(v, 0);
    if (ok) {
      Space();
      if (P != S.size()) ok = Fail("text after the document");
    }
    if (!ok) {
      if (error) *error = Error + " at byte " + std::to_string(P);
      return std::nullopt;
    }
    return v;
  }

private:
  bool Fail(const char* what) {
    if (Error.empty()) Error = what;
    return false;
  }
  bool More() const { return P < S.size(); }
  unsigned char Peek() const { return static_cast<unsigned char>(S[P]); }
  void Space() {
    while (More() && (S[P] == ' ' || S[P] == '\t' || S[P] == '\n' || S[P] == '\r')) ++P;
  }
  bool Literal(std::string_view word) {
    if (S.substr(P, word.size()) != word) return Fail("bad literal");
    P += word.size();
    return true;
  }

  bool Value(JsonValue& v, int depth) {
    if (depth > 64) return Fail("nested too deep");
    if (!More()) return Fail("document ends early");
    switch (S[P]) {
      case '{':
        return Object(v, depth);
      case '[':
        return Array(v, depth);
      case '"':
        v.Type = JsonValue::Kind::String;
        return String(v.Text);
      case 't':
        v.Type = JsonValue::Kind::Bool;
        v.Bool = true;
        return Literal("true");
      case 'f':
        v.Type = JsonValue::Kind::Bool;
        return Literal("false");
      case 'n':
        v.Type = JsonValue::Kind::Null;
        return Literal("null");
      default:
        v.Type = JsonValue::Kind::Number;
        return Number(v.Text);
    }
  }

  bool Object(JsonValue& v, int depth) {
    v.Type = JsonValue::Kind::Object;
    ++P;
    Space();
    if (More() && S[P] == '}') return ++P, true;
    for (;;) {
      Space();
      std::string name;
      if (!More() || S[P] != '"') return Fail("member name expected");
      if (!String(name)) return false;
      if (v.Find(name)) return Fail("duplicate member name");
      Space();
      if (!More() || S[P] != ':') return Fail("colon expected");
      ++P;
      Space();
      JsonValue member;
      if (!Value(member, depth + 1)) return false;
      v.Members.push_back({std::move(name), std::move(member)});
      Space();
      if (!More()) return Fail("object not closed");
      if (S[P] == '}') return ++P, true;
      if (S[P] != ',') return Fail("comma expected in object");
      ++P;
    }
  }

  bool Array(JsonValue& v, int depth) {
    v.Type = JsonValue::Kind::Array;
    ++P;
    Space();
    if (More() && S[P] == ']') return ++P, true;
    for (;;) {
      Space();
      JsonValue item;
      if (!Value(item, depth + 1)) return false;
      v.Items.push_back(std::move(item));
      Space();
      if (!More()) return Fail("array not closed");
      if (S[P] == ']') return ++P, true;
      if (S[P] != ',') return Fail("comma expected in array");
      ++P;
    }
  }

  bool Digits() {
    size_t start = P;
    while (More() && S[P] >= '0' && S[P] <= '9') ++P;
    return P > start;
  }
  bool Number(std::string& out) {
    size_t start = P;
    if (More() && S[P] == '-') ++P;
    if (More() && S[P] == '0') {
      ++P;
    } else if (!(More() && S[P] >= '1' && S[P] <= '9') || !Digits()) {
      return Fail("bad number");
    }
    if (More() && S[P] == '.') {
      ++P;
      if (!Digits()) return Fail("bad fraction");
    }
    if (More() && (S[P] == 'e' || S[P] == 'E')) {
      ++P;
      if (More() && (S[P] == '+' || S[P] == '-')) ++P;
      if (!Digits()) return Fail("bad exponent");
    }
    out.assign(S.substr(start, P - start));
    return true;
  }

  static void Put(std::string& out, uint32_t c) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  bool Hex4(uint32_t& value) {
    if (S.size() - P < 4) return Fail("short \\u escape");
    value = 0;
    for (int i = 0; i < 4; ++i) {
      char c = S[P++];
      int d = c >= '0' && c <= '9'   ? c - '0'
              : c >= 'a' && c <= 'f' ? c - 'a' + 10
              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                     : -1;
      if (d < 0) return Fail("bad \\u escape");
      value = value * 16 + static_cast<uint32_t>(d);
    }
    return true;
  }
  // One well-formed UTF-8 sequence, copied.
  bool Utf8(std::string& out) {
    unsigned char b = Peek();
    size_t length;
    uint32_t c, min;
    if (b >= 0xC2 && b <= 0xDF)
      length = 2, c = b & 0x1F, min = 0x80;
    else if (b >= 0xE0 && b <= 0xEF)
      length = 3, c = b & 0x0F, min = 0x800;
    else if (b >= 0xF0 && b <= 0xF4)
      length = 4, c = b & 0x07, min = 0x10000;
    else
      return Fail("ill-formed UTF-8");
    if (S.size() - P < length) return Fail("UTF-8 cut short");
    for (size_t k = 1; k < length; ++k) {
      auto n = static_cast<unsigned char>(S[P + k]);
      if ((n & 0xC0) != 0x80) return Fail("ill-formed UTF-8");
      c = (c << 6) | (n & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return Fail("ill-formed UTF-8");
    out.append(S.substr(P, length));
    P += length;
    return true;
  }
  bool String(std::string& out) {
    ++P;
    for (;;) {
      if (!More()) return Fail("string not closed");
      unsigned char b = Peek();
      if (b == '"') return ++P, true;
      if (b < 0x20) return Fail("raw control character in string");
      if (b >= 0x80) {
        if (!Utf8(out)) return false;
        continue;
      }
      ++P;
      if (b != '\\') {
        out += static_cast<char>(b);
        continue;
      }
      if (!More()) return Fail("escape cut short");
      char e = S[P++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case '/':
          out += '/';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          uint32_t c;
          if (!Hex4(c)) return false;
          if (c >= 0xDC00 && c <= 0xDFFF) return Fail("lone low surrogate");
          if (c >= 0xD800 && c <= 0xDBFF) {
            uint32_t low;
            if (S.substr(P, 2) != "\\u") return Fail("lone high surrogate");
            P += 2;
            if (!Hex4(low)) return false;
            if (low < 0xDC00 || low > 0xDFFF) return Fail("lone high surrogate");
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          }
          Put(out, c);
          break;
        }
        default:
          return Fail("bad escape");
      }
    }
  }

  std::string_view S;
  size_t P = 0;
  std::string Error;
};

inline std::optional<JsonValue> ParseStrictJson(std::string_view text, std::string* error = nullptr) {
  return StrictJsonReader(text).Read(error);
}

} // namespace qv::test
