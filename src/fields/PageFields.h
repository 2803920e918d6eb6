#pragma once
#include <string>
#include <vector>

#include "fields/Field.h"

namespace qv {

// The page fields are the program's only store of gathered values. The main window implements this
// over its controls, FieldTable over plain values (for quorvel-report and the tests). Asking a field
// for what its kind of control does not hold (the lines of a label) is an Exception.
class PageFields {
public:
  virtual ~PageFields() = default;

  // Caption of a label, check box or hyperlink label.
  virtual std::string Text(Field field) const = 0;
  virtual void SetText(Field field, const std::string& text) = 0;

  // Lines of a memo.
  virtual std::vector<std::string> Lines(Field field) const = 0;
  virtual void ClearLines(Field field) = 0;
  virtual void AddLine(Field field, const std::string& line) = 0;
  // All the lines at once: a memo then lays its text out once, not once per line.
  virtual void SetLines(Field field, const std::vector<std::string>& lines) {
    ClearLines(field);
    for (const auto& line : lines) AddLine(field, line);
  }

  // State of an indicator check box.
  virtual bool Checked(Field field) const = 0;
  virtual void SetChecked(Field field, bool checked) = 0;

  // Position of a progress bar (0..100).
  virtual int Position(Field field) const = 0;
  virtual void SetPosition(Field field, int position) = 0;

  virtual bool Visible(Field field) const = 0;
  virtual void SetVisible(Field field, bool visible) = 0;

  // Link of a hyperlink label.
  virtual std::string Url(Field field) const = 0;
  virtual void SetUrl(Field field, const std::string& url) = 0;

  // Vertical place and height of a control inside its parent (the credits scroll box).
  virtual int Top(Field field) const = 0;
  virtual void SetTop(Field field, int top) = 0;
  virtual int Height(Field field) const = 0;

  // Index of the tab control's active tab (0 = "Welcome" ... 5 = "More ...").
  virtual int ActiveTab() const = 0;
};

} // namespace qv
