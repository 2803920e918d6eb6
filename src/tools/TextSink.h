#pragma once
#include <cstdio>
#include <cstring>
#include <string>

namespace qv {

// Where quorvel-report writes the report and its messages. Not a C++ stream: the standard streams
// bring the library's whole locale machinery into the program, about half its size.
class TextSink {
public:
  virtual ~TextSink() = default;
  virtual void Write(const char* data, size_t size) = 0;
  // False once anything could not be written.
  virtual bool Flush() = 0;
  TextSink& operator<<(const std::string& text) {
    Write(text.data(), text.size());
    return *this;
  }
  TextSink& operator<<(const char* text) {
    Write(text, std::strlen(text));
    return *this;
  }
};

// Standard output or standard error.
class FileSink : public TextSink {
public:
  explicit FileSink(std::FILE* file) : File(file) {}
  void Write(const char* data, size_t size) override {
    if (size && std::fwrite(data, 1, size, File) != size) Failed = true;
  }
  bool Flush() override {
    if (std::fflush(File) != 0 || std::ferror(File)) Failed = true;
    return !Failed;
  }

private:
  std::FILE* File;
  bool Failed = false;
};

// Keeps what was written.
class StringSink : public TextSink {
public:
  void Write(const char* data, size_t size) override { Text.append(data, size); }
  bool Flush() override { return true; }
  const std::string& str() const { return Text; }

private:
  std::string Text;
};

} // namespace qv
