#pragma once
#include <string>

#include "core/Geometry.h"
#include "ui/Win.h"

#include <oleacc.h>

namespace qv {

class TControl;
class TWinControl;

// What a screen reader is told of a control, or of one item drawn inside it (Active Accessibility:
// the role and state values are oleacc's ROLE_SYSTEM_ and STATE_SYSTEM_ constants).
struct AccessibleFacts {
  long Role = 0; // 0: not shown to screen readers
  std::string Name;
  std::string Value;
  std::string DefaultAction; // empty: none
  std::string Shortcut;      // "Alt+I"
  long State = 0;            // what the control adds to the framework's focus, enabled and shown states
  TRect Bounds;              // where it is drawn, in the control's own coordinates
};

// The answer to WM_GETOBJECT for the window's client: its accessible object, or 0 when the window
// should answer as usual (another object asked for, or no oleacc on this system).
LRESULT AccessibleObjectFor(TWinControl& control, WPARAM wp, LPARAM lp);

// Runs a default action that a screen reader asked for; they come posted, so that a long command
// (the gathering pass, a dialog) does not hold the screen reader's call.
bool IsAccessibleActionMessage(UINT msg);
void RunAccessibleAction(TWinControl& control, WPARAM childId);

// Tells screen readers of a change (NotifyWinEvent, where the system has it): the focus, the
// selection or the state of a control, or of its item.
void AnnounceEvent(DWORD event, const TControl& control, int item = -1);

// Lets go of what the first screen reader's question loaded (COM), at the program's end.
void ReleaseAccessibility();

} // namespace qv
