#pragma once
#include <string>
#include <vector>

namespace qv {

// The page fields are the program's only store of gathered values. Every field is reached by the
// name of its control ("LabelComputer", "MemoDrives", "CheckBoxMMX", "ProgressBarPhysical"). The
// main form implements this over its controls, FieldTable over plain values (for quorvel-report
// and the tests). Asking for a name that is not a field of the right kind is an Exception.
class PageFields {
public:
  virtual ~PageFields() = default;

  // Caption of a label, check box or hyperlink label.
  virtual std::string Text(const std::string& name) const = 0;
  virtual void SetText(const std::string& name, const std::string& text) = 0;

  // Lines of a memo.
  virtual std::vector<std::string> Lines(const std::string& name) const = 0;
  virtual void ClearLines(const std::string& name) = 0;
  virtual void AddLine(const std::string& name, const std::string& line) = 0;
  // All the lines at once: a memo then lays its text out once, not once per line.
  virtual void SetLines(const std::string& name, const std::vector<std::string>& lines) {
    ClearLines(name);
    for (const auto& line : lines) AddLine(name, line);
  }

  // State of an indicator check box.
  virtual bool Checked(const std::string& name) const = 0;
  virtual void SetChecked(const std::string& name, bool checked) = 0;

  // Position of a progress bar (0..100).
  virtual int Position(const std::string& name) const = 0;
  virtual void SetPosition(const std::string& name, int position) = 0;

  virtual bool Visible(const std::string& name) const = 0;
  virtual void SetVisible(const std::string& name, bool visible) = 0;

  // Link of a hyperlink label.
  virtual std::string Url(const std::string& name) const = 0;
  virtual void SetUrl(const std::string& name, const std::string& url) = 0;

  // Vertical place and height of a control inside its parent (the credits scroll box).
  virtual int Top(const std::string& name) const = 0;
  virtual void SetTop(const std::string& name, int top) = 0;
  virtual int Height(const std::string& name) const = 0;

  // Index of the tab control's active tab (0 = "Welcome" ... 5 = "More ...").
  virtual int ActiveTab() const = 0;
};

} // namespace qv
