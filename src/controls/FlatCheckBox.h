#pragma once
#include <array>
#include <string>

#include "controls/PaintOps.h"

namespace qv {

enum TCheckBoxLayout { checkboxLeft, checkboxRight };

// The 11 x 11 box; it keeps its place at the top whatever the control's height.
TRect CheckBoxRect(TCheckBoxLayout layout, TRect client);
TRect CheckCaptionRect(TCheckBoxLayout layout, TRect client);

struct TCheckBoxColors {
  TColor Color = 0; // all RGB
  TColor ColorFocused = 0;
  TColor ColorDown = 0;
  TColor ColorCheck = 0;
  TColor ColorBorder = 0;
  TColor BtnShadow = 0;
  TColor BtnHighlight = 0;
};

// Idle fill unless focused or hovered; then the pressed fill while the left button is held.
TColor CheckBoxFill(bool hasFocus, bool mouseInControl, bool mouseIsDown, const TCheckBoxColors& colors);

struct TStroke {
  TPoint From, To; // To is not drawn
  friend bool operator==(const TStroke&, const TStroke&) = default;
};

// The check mark: three strokes falling to the bottom of the mark, three rising to the upper
// right, each arm three pixels thick; `corner` is the box's top-left pixel.
std::array<TStroke, 6> CheckStrokes(TPoint corner);

struct TCheckBoxState {
  TCheckBoxLayout Layout = checkboxLeft;
  bool Checked = false;
  bool Enabled = true;
  bool HasFocus = false;
  bool MouseInControl = false;
  bool MouseIsDown = false;
};

// Box fill, mark and frame.
TPaintPlan CheckBoxBoxPlan(TRect client, const TCheckBoxState& state, const TCheckBoxColors& colors);
// The caption: once in the font colour, or embossed when disabled.
TPaintPlan CheckBoxCaptionPlan(TRect client, const std::string& caption, const TCheckBoxState& state, TColor fontColor,
                               const TCheckBoxColors& colors);

} // namespace qv
