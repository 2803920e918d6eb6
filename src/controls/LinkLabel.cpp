#include "controls/LinkLabel.h"

namespace qv {

const std::vector<TUrlCursor>& UrlCursorTable() {
  static const std::vector<TUrlCursor> table = {{15000, "PRO_HANDPOINT"},
                                                {15001, "PRO_SMALLHANDPOINT"},
                                                {15002, "PRO_GRABHAND"},
                                                {15003, "PRO_GRABHANDARROW"},
                                                {15004, "PRO_DRAGHAND"}};
  return table;
}

bool ReleaseOutsideLabel(int x, int y, int width, int height) { return x < 0 || y < 0 || x > width || y > height; }

void TUrlLinkState::SetUnvisitedColor(TColor c) {
  if (c == UnvisitedColor) return;
  UnvisitedColor = c;
  if (!IsVisited) Font = c;
}

void TUrlLinkState::SetVisitedColor(TColor c) {
  if (c == VisitedColor) return;
  VisitedColor = c;
  if (IsVisited) Font = c;
}

void TUrlLinkState::SetCanHover(bool on) {
  Hover = on;
  Underline = !on;
}

void TUrlLinkState::FontChanged(TColor fontColor) {
  Font = fontColor;
  if (Hover || IsPressed) return;
  if (IsVisited)
    VisitedColor = fontColor;
  else
    UnvisitedColor = fontColor;
}

void TUrlLinkState::LeftPress() {
  IsPressed = true;
  Font = ActivatedColor;
}

std::optional<std::string> TUrlLinkState::LeftRelease(int x, int y, int width, int height, const std::string& url,
                                                      const std::string& caption) {
  std::optional<std::string> open;
  if (ReleaseOutsideLabel(x, y, width, height)) {
    Font = IsVisited ? VisitedColor : UnvisitedColor;
  } else if (IsPressed) {
    IsVisited = true;
    Font = Hover ? HoveredColor : VisitedColor;
    open = url.empty() ? caption : url;
  }
  IsPressed = false;
  return open;
}

void TUrlLinkState::MouseEnter() {
  if (Hover) Underline = true;
  if (IsPressed)
    Font = ActivatedColor;
  else if (Hover)
    Font = HoveredColor;
}

void TUrlLinkState::MouseLeave() {
  if (Hover) Underline = false;
  Font = IsVisited ? VisitedColor : UnvisitedColor;
}

} // namespace qv
