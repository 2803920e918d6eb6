#include "tools/helpc/HelpSource.h"

#include <cstdlib>
#include <map>
#include <set>

namespace qv::help {

namespace {

// Windows-1252's 0x80..0x9F; 0 where the code page has no character.
const uint16_t HighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                   0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

bool ValidId(const std::string& id) {
  if (id.empty()) return false;
  for (char c : id)
    if (!IsContextIdChar(c)) return false;
  return true;
}

struct PendingJump {
  std::string Id;
  int Line;
  size_t Topic;
};

// Splits one paragraph's text into plain runs and [text](ID) jumps.
std::vector<Run> Runs(const std::string& text, int line, size_t topic, std::vector<PendingJump>& jumps) {
  std::vector<Run> runs;
  std::string plain;
  size_t i = 0;
  while (i < text.size()) {
    size_t open = text.find('[', i);
    if (open == std::string::npos) break;
    size_t close = text.find(']', open + 1);
    if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != '(') {
      plain += text.substr(i, open + 1 - i); // a bracket of the text itself, as in [--html]
      i = open + 1;
      continue;
    }
    size_t end = text.find(')', close + 2);
    if (end == std::string::npos) throw HelpError(line, "a jump is left open: " + text.substr(open));
    std::string label = text.substr(open + 1, close - open - 1);
    std::string id = text.substr(close + 2, end - close - 2);
    if (!ValidId(id)) throw HelpError(line, "bad jump target \"" + id + "\"");
    if (label.empty()) throw HelpError(line, "a jump to " + id + " has no text");
    plain += text.substr(i, open - i);
    if (!plain.empty()) runs.push_back({plain, ""});
    plain.clear();
    runs.push_back({label, id});
    jumps.push_back({id, line, topic});
    i = end + 1;
  }
  plain += text.substr(i);
  if (!plain.empty()) runs.push_back({plain, ""});

  // **bold** inside the plain runs; a jump keeps the weight around it.
  std::vector<Run> weighted;
  bool bold = false;
  for (Run& run : runs) {
    if (!run.Jump.empty()) {
      run.Bold = bold;
      weighted.push_back(run);
      continue;
    }
    size_t from = 0;
    for (;;) {
      size_t mark = run.Text.find("**", from);
      std::string piece = run.Text.substr(from, mark == std::string::npos ? std::string::npos : mark - from);
      if (!piece.empty()) weighted.push_back({piece, "", bold});
      if (mark == std::string::npos) break;
      bold = !bold;
      from = mark + 2;
    }
  }
  if (bold) throw HelpError(line, "bold text is left open (** without its closing **)");
  return weighted;
}

} // namespace

std::string ToWindows1252(const std::string& utf8, int line) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    uint32_t code;
    int length;
    if (c < 0x80)
      code = c, length = 1;
    else if ((c & 0xE0) == 0xC0)
      code = c & 0x1F, length = 2;
    else if ((c & 0xF0) == 0xE0)
      code = c & 0x0F, length = 3;
    else if ((c & 0xF8) == 0xF0)
      code = c & 0x07, length = 4;
    else
      throw HelpError(line, "the text is not UTF-8");
    if (i + length > utf8.size()) throw HelpError(line, "the text is not UTF-8");
    for (int k = 1; k < length; ++k) {
      unsigned char more = static_cast<unsigned char>(utf8[i + k]);
      if ((more & 0xC0) != 0x80) throw HelpError(line, "the text is not UTF-8");
      code = (code << 6) | (more & 0x3F);
    }
    i += length;
    // Each string of a text record ends at a zero byte; and a longer form than a character needs
    // is no UTF-8 (C0 80 would smuggle a zero in).
    static const uint32_t Least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < Least[length]) throw HelpError(line, "the text is not UTF-8");
    if (code == 0) throw HelpError(line, "a zero byte in the text");
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
      out += static_cast<char>(code);
      continue;
    }
    int found = -1;
    for (int k = 0; k < 32; ++k)
      if (HighControls[k] && HighControls[k] == code) found = 0x80 + k;
    if (found < 0) throw HelpError(line, "character U+" + std::to_string(code) + " is not in Windows-1252");
    out += static_cast<char>(found);
  }
  return out;
}

namespace {

// Ids are told apart as their hashes are, whatever the case: by their upper-case form.
std::string IdKey(const std::string& id) {
  std::string key;
  for (char c : id) key += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return key;
}

void CheckNotEmpty(const Topic& topic) {
  if (topic.Paragraphs.empty()) throw HelpError(topic.Line, "topic " + topic.Id + " is empty");
}

// Reads the source a line at a time into the book; jumps are only collected here, and checked once
// every topic is known.
class SourceReader {
public:
  void Read(const std::string& text) {
    size_t at = 0;
    while (at < text.size()) {
      size_t nl = text.find('\n', at);
      std::string raw = text.substr(at, nl == std::string::npos ? std::string::npos : nl - at);
      at = nl == std::string::npos ? text.size() : nl + 1;
      ++LineNo;
      if (!raw.empty() && raw.back() == '\r') raw.pop_back();
      if (StartsWith(raw, "#")) continue;
      ReadLine(ToWindows1252(Trim(raw), LineNo));
    }
    CloseParagraph();
  }

  // The book once every line is read: no topic empty, every jump landing on a topic, every topic
  // reachable from the contents.
  Book Finish() {
    if (Result.Topics.empty()) throw HelpError(LineNo, "no topics");
    CheckNotEmpty(Result.Topics.back());
    if (Result.Title.empty()) Result.Title = Result.Topics.front().Title;
    CheckReachable(JumpsBetweenTopics());
    return std::move(Result);
  }

private:
  void ReadLine(const std::string& line) {
    if (line.empty()) {
      CloseParagraph();
    } else if (StartsWith(line, "== ")) {
      StartTopic(line);
    } else if (StartsWith(line, "@")) {
      Setting(line);
    } else if (StartsWith(line, "* ")) {
      StartParagraph(Style::Heading, Trim(line.substr(2)));
      CloseParagraph(); // a heading is one line
    } else if (StartsWith(line, "| ")) {
      StartParagraph(Style::Code, line.substr(2));
      CloseParagraph(); // each command line stands alone
    } else if (StartsWith(line, "- ")) {
      StartParagraph(Style::Bullet, Trim(line.substr(2)));
    } else if (Open) {
      OpenText += " " + line;
    } else {
      StartParagraph(Style::Body, line);
    }
  }

  // "== ID Title"
  void StartTopic(const std::string& line) {
    CloseParagraph();
    std::string rest = Trim(line.substr(3));
    size_t space = rest.find(' ');
    std::string id = rest.substr(0, space);
    std::string title = space == std::string::npos ? "" : Trim(rest.substr(space));
    if (!ValidId(id)) throw HelpError(LineNo, "bad context id \"" + id + "\" (letters, digits, '.' and '_')");
    if (title.empty()) throw HelpError(LineNo, "topic " + id + " has no title");
    std::string key = IdKey(id);
    if (TopicOf.count(key))
      throw HelpError(LineNo, "duplicate context id " + id + " (first at line " +
                                  std::to_string(Result.Topics[TopicOf[key]].Line) + ")");
    uint32_t hash = ContextHash(id);
    if (Hashes.count(hash)) throw HelpError(LineNo, "context id " + id + " has the same hash as " + Hashes[hash]);
    if (!Result.Topics.empty()) CheckNotEmpty(Result.Topics.back());
    Hashes[hash] = id;
    TopicOf[key] = Result.Topics.size();
    Result.Topics.push_back({id, title, 0, {}, LineNo});
  }

  // "@name value"
  void Setting(const std::string& line) {
    CloseParagraph();
    size_t space = line.find(' ');
    std::string name = line.substr(0, space);
    std::string value = space == std::string::npos ? "" : Trim(line.substr(space));
    if (name == "@title" || name == "@copyright") {
      if (!Result.Topics.empty()) throw HelpError(LineNo, name + " belongs before the first topic");
      (name == "@title" ? Result.Title : Result.Copyright) = value;
    } else if (name == "@map") {
      MapNumber(value);
    } else {
      throw HelpError(LineNo, "unknown setting " + name);
    }
  }

  void MapNumber(const std::string& value) {
    if (Result.Topics.empty()) throw HelpError(LineNo, "@map outside a topic");
    char* end = nullptr;
    unsigned long n = std::strtoul(value.c_str(), &end, 10);
    if (value.empty() || *end || n == 0 || n > 0xFFFFFFFFul) throw HelpError(LineNo, "bad map number " + value);
    if (!MapIds.insert(static_cast<uint32_t>(n)).second) throw HelpError(LineNo, "map number " + value + " used twice");
    Result.Topics.back().MapId = static_cast<uint32_t>(n);
  }

  void StartParagraph(Style kind, const std::string& body) {
    CloseParagraph();
    if (Result.Topics.empty()) throw HelpError(LineNo, "text before the first topic");
    auto& paragraphs = Result.Topics.back().Paragraphs;
    paragraphs.push_back({kind, {}, LineNo});
    Open = &paragraphs.back();
    OpenText = body;
  }

  // The paragraph's text is split into runs only here, once all its lines are in.
  void CloseParagraph() {
    if (!Open) return;
    Open->Runs = Runs(OpenText, Open->Line, Result.Topics.size() - 1, Jumps);
    Open = nullptr;
    OpenText.clear();
  }

  // For each topic, the topics its jumps lead to.
  std::vector<std::vector<size_t>> JumpsBetweenTopics() const {
    std::vector<std::vector<size_t>> edges(Result.Topics.size());
    for (const PendingJump& j : Jumps) {
      auto found = TopicOf.find(IdKey(j.Id));
      if (found == TopicOf.end()) throw HelpError(j.Line, "jump to unknown topic " + j.Id);
      edges[j.Topic].push_back(found->second);
    }
    return edges;
  }

  void CheckReachable(const std::vector<std::vector<size_t>>& edges) const {
    std::vector<bool> reached(Result.Topics.size(), false);
    std::vector<size_t> queue = {0};
    reached[0] = true;
    for (size_t q = 0; q < queue.size(); ++q)
      for (size_t next : edges[queue[q]])
        if (!reached[next]) reached[next] = true, queue.push_back(next);
    for (size_t t = 0; t < Result.Topics.size(); ++t)
      if (!reached[t])
        throw HelpError(Result.Topics[t].Line, "topic " + Result.Topics[t].Id + " cannot be reached from the contents");
  }

  Book Result;
  std::map<std::string, size_t> TopicOf; // by IdKey
  std::map<uint32_t, std::string> Hashes;
  std::set<uint32_t> MapIds;
  std::vector<PendingJump> Jumps;
  Paragraph* Open = nullptr; // the paragraph that further lines continue
  std::string OpenText;
  int LineNo = 0;
};

} // namespace

Book ReadHelpSource(const std::string& text) {
  SourceReader reader;
  reader.Read(text);
  return reader.Finish();
}

} // namespace qv::help
