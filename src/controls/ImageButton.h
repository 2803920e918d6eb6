#pragma once
#include <optional>

namespace qv {

// The five faces of an image button.
enum TButtonImage { biNormal, biOver, biDown, biUp, biDisabled };

struct TButtonImages {
  bool Normal = false, Over = false, Down = false, Up = false, Disabled = false; // present (width > 0)
};

// What a paint draws: the disabled face whenever there is one and the button is disabled,
// otherwise the current image.
bool PaintsDisabledImage(bool enabled, const TButtonImages& present);
// The image shown on the pointer entering, leaving, and a left press; none: keep the current one.
std::optional<TButtonImage> ImageOnEnter(bool enabled, const TButtonImages& present);
std::optional<TButtonImage> ImageOnLeave(bool enabled, const TButtonImages& present);
std::optional<TButtonImage> ImageOnPress(bool enabled, const TButtonImages& present);
// The image drawn on a left release (the current image stays the pressed one): the Up face if
// the pointer is still on the button, else the normal face; without an Up face, the Over face.
TButtonImage ImageOnRelease(const TButtonImages& present, bool pointerOnButton);

} // namespace qv
