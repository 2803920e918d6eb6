#include "controls/FlatCheckBox.h"

namespace qv {

TRect CheckBoxRect(TCheckBoxLayout layout, TRect c) {
  if (layout == checkboxLeft) return {c.Left + 1, c.Top + 3, c.Left + 12, c.Top + 14};
  return {c.Right - 12, c.Top + 3, c.Right - 1, c.Top + 14};
}

TRect CheckCaptionRect(TCheckBoxLayout layout, TRect c) {
  if (layout == checkboxLeft) return {c.Left + 16, c.Top + 1, c.Right - 1, c.Bottom - 1};
  return {c.Left + 1, c.Top + 1, c.Right - 16, c.Bottom - 1};
}

TColor CheckBoxFill(bool hasFocus, bool mouseInControl, bool mouseIsDown, const TCheckBoxColors& colors) {
  if (!hasFocus && !mouseInControl) return colors.Color;
  return mouseIsDown ? colors.ColorDown : colors.ColorFocused;
}

std::array<TStroke, 6> CheckStrokes(TPoint p) {
  const int x = p.X, y = p.Y;
  return {{{{x + 2, y + 4}, {x + 6, y + 8}},
           {{x + 2, y + 5}, {x + 5, y + 8}},
           {{x + 2, y + 6}, {x + 5, y + 9}},
           {{x + 8, y + 2}, {x + 4, y + 6}},
           {{x + 8, y + 3}, {x + 4, y + 7}},
           {{x + 8, y + 4}, {x + 5, y + 7}}}};
}

TPaintPlan CheckBoxBoxPlan(TRect client, const TCheckBoxState& s, const TCheckBoxColors& colors) {
  TPaintPlan plan;
  TRect box = CheckBoxRect(s.Layout, client);
  plan.push_back(TPaintOp::Fill(box, CheckBoxFill(s.HasFocus, s.MouseInControl, s.MouseIsDown, colors)));
  if (s.Checked) {
    TColor pen = s.Enabled ? colors.ColorCheck : colors.BtnShadow;
    for (const auto& st : CheckStrokes({box.Left, box.Top})) plan.push_back(TPaintOp::Line({st.From, st.To}, pen));
  }
  plan.push_back(TPaintOp::Frame(box, colors.ColorBorder));
  return plan;
}

TPaintPlan CheckBoxCaptionPlan(TRect client, const std::string& caption, const TCheckBoxState& s, TColor fontColor,
                               const TCheckBoxColors& colors) {
  TRect r = CheckCaptionRect(s.Layout, client);
  unsigned format = tfWordBreak | (s.Layout == checkboxLeft ? tfLeft : tfRight);
  if (s.Enabled) return {TPaintOp::DrawText(r, fontColor, caption, format)};
  return {TPaintOp::DrawText(OffsetRect(r, 1, 1), colors.BtnHighlight, caption, format),
          TPaintOp::DrawText(r, colors.BtnShadow, caption, format)};
}

} // namespace qv
