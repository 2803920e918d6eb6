#pragma once
#include <map>
#include <string>
#include <vector>

#include "fields/PageFields.h"

namespace qv {

// Page fields without a window: every field of the inventory with its design-time value. Used by
// quorvel-report and by the tests.
class FieldTable : public PageFields {
public:
  FieldTable();

  std::string Text(const std::string& name) const override;
  void SetText(const std::string& name, const std::string& text) override;
  std::vector<std::string> Lines(const std::string& name) const override;
  void ClearLines(const std::string& name) override;
  void AddLine(const std::string& name, const std::string& line) override;
  void SetLines(const std::string& name, const std::vector<std::string>& lines) override;
  bool Checked(const std::string& name) const override;
  void SetChecked(const std::string& name, bool checked) override;
  int Position(const std::string& name) const override;
  void SetPosition(const std::string& name, int position) override;
  bool Visible(const std::string& name) const override;
  void SetVisible(const std::string& name, bool visible) override;
  std::string Url(const std::string& name) const override;
  void SetUrl(const std::string& name, const std::string& url) override;
  int Top(const std::string& name) const override;
  void SetTop(const std::string& name, int top) override;
  int Height(const std::string& name) const override;
  int ActiveTab() const override { return ActiveTabIndex; }

  int ActiveTabIndex = 0;

private:
  struct Field {
    std::string Text;
    std::vector<std::string> Lines;
    bool Checked = false;
    int Position = 0;
    bool Visible = true;
    std::string Url;
    int Top = 0;
    int Height = 0;
  };
  Field& Get(const std::string& name);
  const Field& Get(const std::string& name) const;
  std::map<std::string, Field> Fields;
};

} // namespace qv
