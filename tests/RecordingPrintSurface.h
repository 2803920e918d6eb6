#pragma once
#include <string>
#include <vector>

#include "reports/PrintSurface.h"

namespace qv {

// A printer on paper of our choosing: every character is CharWidth pixels wide, and every call
// is written to Log ("begin Job", "page", "end", "text 10,20 Hello").
class RecordingPrintSurface : public PrintSurface {
public:
  PrinterCaps Caps{600, 600, 4960, 7016, 100, 100, 4760, 6816};
  PrintTextMetrics Metrics{50, 6};
  int CharWidth = 40;
  std::vector<std::string>* Log = &OwnLog;
  std::vector<std::string> OwnLog;
  PrintFont Font;
  int Measured = 0; // TextWidth calls
  int Pages = 0;
  std::string JobName;
  TRect LastClip;

  void BeginDoc(const std::string& jobName) override {
    JobName = jobName;
    Pages = 1;
    Log->push_back("begin " + jobName);
  }
  void NewPage() override {
    ++Pages;
    Log->push_back("page");
  }
  void EndDoc() override { Log->push_back("end"); }
  void SelectFont(const PrintFont& font) override {
    Font = font;
    Log->push_back("font " + font.Name + " " + std::to_string(font.HeightAt(Caps.LogPixelsY)));
  }
  PrintTextMetrics TextMetrics() override { return Metrics; }
  int TextWidth(const std::string& text) override {
    ++Measured;
    return static_cast<int>(text.size()) * CharWidth;
  }
  void TextOutClipped(int x, int y, const TRect& clip, const std::string& text) override {
    LastClip = clip;
    Log->push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + text);
  }
  PrinterCaps DeviceCaps() override { return Caps; }

  // The lines drawn, without their positions.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& entry : *Log)
      if (entry.rfind("text ", 0) == 0) texts.push_back(entry.substr(entry.find(' ', 5) + 1));
    return texts;
  }
};

} // namespace qv
