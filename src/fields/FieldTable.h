#pragma once
#include <array>
#include <string>
#include <vector>

#include "fields/PageFields.h"

namespace qv {

// Page fields without a window: every field of the inventory with its design-time value. Used by
// quorvel-report and by the tests.
class FieldTable : public PageFields {
public:
  FieldTable();

  std::string Text(Field field) const override;
  void SetText(Field field, const std::string& text) override;
  std::vector<std::string> Lines(Field field) const override;
  void ClearLines(Field field) override;
  void AddLine(Field field, const std::string& line) override;
  void SetLines(Field field, const std::vector<std::string>& lines) override;
  bool Checked(Field field) const override;
  void SetChecked(Field field, bool checked) override;
  int Position(Field field) const override;
  void SetPosition(Field field, int position) override;
  bool Visible(Field field) const override;
  void SetVisible(Field field, bool visible) override;
  std::string Url(Field field) const override;
  void SetUrl(Field field, const std::string& url) override;
  int Top(Field field) const override;
  void SetTop(Field field, int top) override;
  int Height(Field field) const override;
  int ActiveTab() const override { return ActiveTabIndex; }

  int ActiveTabIndex = 0;

private:
  struct Slot {
    std::string Text;
    std::vector<std::string> Lines;
    bool Checked = false;
    int Position = 0;
    bool Visible = true;
    std::string Url;
    int Top = 0;
    int Height = 0;
  };
  Slot& Get(Field field) { return Slots[static_cast<int>(field)]; }
  const Slot& Get(Field field) const { return Slots[static_cast<int>(field)]; }
  std::array<Slot, FieldCount> Slots;
};

} // namespace qv
