#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "fields/FieldInventory.h"
#include "fields/PageFields.h"

namespace qv::fuzz {

// Page fields that only remember what was set, over the design values of the inventory (taken
// once): much cheaper to make than the full field table, which a target would otherwise build
// again for every input.
class FuzzFields : public PageFields {
public:
  std::string Text(Field name) const override {
    auto it = Texts.find(name);
    return it != Texts.end() ? it->second : Design().Texts.at(name);
  }
  void SetText(Field name, const std::string& text) override { Texts[name] = text; }
  std::vector<std::string> Lines(Field name) const override {
    auto it = Memos.find(name);
    return it != Memos.end() ? it->second : Design().Memos.at(name);
  }
  void ClearLines(Field name) override { Memos[name].clear(); }
  void AddLine(Field name, const std::string& line) override { Memos[name].push_back(line); }
  bool Checked(Field name) const override { return Checks.count(name) && Checks.at(name); }
  void SetChecked(Field name, bool checked) override { Checks[name] = checked; }
  int Position(Field) const override { return 0; }
  void SetPosition(Field, int) override {}
  bool Visible(Field) const override { return true; }
  void SetVisible(Field, bool) override {}
  std::string Url(Field name) const override {
    auto it = Urls.find(name);
    return it != Urls.end() ? it->second : name == Field::HomePage ? HomePageUrl : "";
  }
  void SetUrl(Field name, const std::string& url) override { Urls[name] = url; }
  int Top(Field) const override { return 0; }
  void SetTop(Field, int) override {}
  int Height(Field) const override { return 0; }
  int ActiveTab() const override { return 0; }

  std::unordered_map<Field, std::string> Texts;
  std::unordered_map<Field, std::vector<std::string>> Memos;
  std::unordered_map<Field, bool> Checks;
  std::unordered_map<Field, std::string> Urls;

private:
  struct DesignValues {
    std::unordered_map<Field, std::string> Texts;
    std::unordered_map<Field, std::vector<std::string>> Memos;
  };
  static const DesignValues& Design() {
    static const DesignValues design = [] {
      DesignValues d;
      for (const auto& field : FieldInventory()) {
        d.Texts[field.Id] = field.Text;
        if (field.Kind == FieldKind::fkMemo) d.Memos[field.Id] = field.Lines;
      }
      return d;
    }();
    return design;
  }
};

} // namespace qv::fuzz
