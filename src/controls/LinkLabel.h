#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/Colour.h"

namespace qv {

// The hand cursors of the link labels: index in the screen's cursor table and resource name.
struct TUrlCursor {
  int Index;
  const char* ResourceName;
};
constexpr int crHandPoint = 15000;
const std::vector<TUrlCursor>& UrlCursorTable();

// A release at (x, y) lies outside a w x h label only beyond its edges; the edges count as inside.
bool ReleaseOutsideLabel(int x, int y, int width, int height);

// The link label's colour and underline by state, and what a click opens. The window layer
// applies FontColor() and Underlined() to its font after every step.
class TUrlLinkState {
public:
  TColor UnvisitedColor = 0xFF0000;
  TColor ActivatedColor = 0x0000FF;
  TColor VisitedColor = 0x800000;
  TColor HoveredColor = 0xFFFFFF;

  bool Visited() const { return IsVisited; }
  bool Pressed() const { return IsPressed; }
  bool CanHover() const { return Hover; }
  TColor FontColor() const { return Font; }
  bool Underlined() const { return Underline; }

  void SetFontColor(TColor c) { Font = c; }
  void SetUnvisitedColor(TColor c);
  void SetVisitedColor(TColor c);
  void SetCanHover(bool on);
  // The font was given a colour: it becomes the colour of the current state.
  void FontChanged(TColor fontColor);

  void LeftPress();
  // Returns the text to open (the URL, or the caption when the URL is empty) for a release inside
  // after a press on the label.
  std::optional<std::string> LeftRelease(int x, int y, int width, int height, const std::string& url,
                                         const std::string& caption);
  void MouseEnter();
  void MouseLeave();

private:
  TColor Font = 0xFF0000;
  bool Underline = true;
  bool IsVisited = false;
  bool IsPressed = false;
  bool Hover = false;
};

} // namespace qv
