#include "controls/ImageButton.h"

namespace qv {

bool PaintsDisabledImage(bool enabled, const TButtonImages& p) { return !enabled && p.Disabled; }

std::optional<TButtonImage> ImageOnEnter(bool enabled, const TButtonImages& p) {
  if (enabled && p.Over) return biOver;
  return std::nullopt;
}

std::optional<TButtonImage> ImageOnLeave(bool enabled, const TButtonImages& p) {
  if (enabled && p.Normal) return biNormal;
  return std::nullopt;
}

std::optional<TButtonImage> ImageOnPress(bool enabled, const TButtonImages& p) {
  if (enabled && p.Down) return biDown;
  return std::nullopt;
}

TButtonImage ImageOnRelease(const TButtonImages& p, bool pointerOnButton) {
  if (!p.Up) return biOver;
  return pointerOnButton ? biUp : biNormal;
}

} // namespace qv
