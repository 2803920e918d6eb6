#include "controls/PaintOps_win32.h"

namespace qv {

void RunPaintPlan(TCanvas& canvas, const TPaintPlan& plan) {
  for (const auto& op : plan) {
    switch (op.Kind) {
      case TPaintOp::FillRect:
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = op.Color;
        canvas.FillRect(op.Rect);
        break;
      case TPaintOp::FrameRect:
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = op.Color;
        canvas.FrameRect(op.Rect);
        break;
      case TPaintOp::Polyline:
        canvas.Pen.Color = op.Color;
        canvas.Pen.Style = psSolid;
        canvas.Pen.Width = 1;
        canvas.Polyline(op.Points);
        break;
      case TPaintOp::Text: {
        canvas.Brush.Style = bsClear;
        canvas.Font.Color = op.Color;
        TRect r = op.Rect;
        canvas.DrawText(op.Caption, r, op.Format);
        break;
      }
    }
  }
}

SystemColorResolver WindowsSystemColors() {
  return [](int index) {
    DWORD c = GetSysColor(index);
    return RGBColor(GetRValue(c), GetGValue(c), GetBValue(c));
  };
}

void PaintDirect(TControl& control, const std::function<void(TCanvas&)>& paint) {
  if (!control.Showing()) return;
  if (control.IsWindowed()) {
    auto& w = static_cast<TWinControl&>(control);
    if (!w.HandleAllocated()) return;
    WindowDc dc(w.Handle());
    TCanvas canvas(dc.Get());
    canvas.Font = control.Font();
    paint(canvas);
    return;
  }
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  WindowDc dc(parent->Handle());
  int saved = SaveDC(dc.Get());
  TRect b = control.Bounds();
  IntersectClipRect(dc.Get(), b.Left, b.Top, b.Right, b.Bottom);
  OffsetViewportOrgEx(dc.Get(), b.Left, b.Top, nullptr);
  TCanvas canvas(dc.Get());
  canvas.Font = control.Font();
  paint(canvas);
  RestoreDC(dc.Get(), saved);
}

} // namespace qv
