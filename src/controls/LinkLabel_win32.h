#pragma once
#include <functional>
#include <string>

#include "controls/EffectLabel_win32.h"
#include "controls/LinkLabel.h"

namespace qv {

// Puts the five hand cursors of the link labels into the screen's cursor table (once).
void LoadUrlCursors();

// An effect label that behaves as a link: underlined in its link colour, a hand cursor, the
// activated colour while held, and on release over it the shell opens URL (or the caption).
class TLinkLabel : public TEffectLabel {
public:
  explicit TLinkLabel(TComponent* owner);

  std::string URL;
  TUrlLinkState& Link() { return State; }
  void SetUnvisitedColor(TColor c);
  void SetVisitedColor(TColor c);
  void SetActivatedColor(TColor c) { State.ActivatedColor = c; }
  void SetHoveredColor(TColor c) { State.HoveredColor = c; }
  void SetCanHover(bool on);

  void MouseDown(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseUp(TMouseButton button, unsigned shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Paint(TCanvas& canvas) override;
  // Enter or Space: opened as by a click.
  void KeyPress() override;
  void Describe(AccessibleFacts& facts) const override;
  bool DoAccessibleAction(int item) override;

  // How a link is opened; the shell's "open" verb unless replaced (tests record instead).
  static std::function<void(const std::string&)> OpenLink;

protected:
  void FontChanged() override;

private:
  void ApplyState();
  TUrlLinkState State;
  bool Applying = false;
};

} // namespace qv
