#pragma once
#include <unordered_map>
#include <string>
#include <vector>

#include "fields/FieldInventory.h"
#include "fields/PageFields.h"

namespace qv::fuzz {

// Page fields that only remember what was set, over the design values of the inventory (taken
// once): much cheaper to make than the full field table, which a target would otherwise build
// again for every input.
class FuzzFields : public PageFields {
public:
  std::string Text(const std::string& name) const override {
    auto it = Texts.find(name);
    return it != Texts.end() ? it->second : Design().Texts.at(name);
  }
  void SetText(const std::string& name, const std::string& text) override { Texts[name] = text; }
  std::vector<std::string> Lines(const std::string& name) const override {
    auto it = Memos.find(name);
    return it != Memos.end() ? it->second : Design().Memos.at(name);
  }
  void ClearLines(const std::string& name) override { Memos[name].clear(); }
  void AddLine(const std::string& name, const std::string& line) override { Memos[name].push_back(line); }
  bool Checked(const std::string& name) const override { return Checks.count(name) && Checks.at(name); }
  void SetChecked(const std::string& name, bool checked) override { Checks[name] = checked; }
  int Position(const std::string&) const override { return 0; }
  void SetPosition(const std::string&, int) override {}
  bool Visible(const std::string&) const override { return true; }
  void SetVisible(const std::string&, bool) override {}
  std::string Url(const std::string& name) const override {
    auto it = Urls.find(name);
    return it != Urls.end() ? it->second : name == "HomePageLabel" ? HomePageUrl : "";
  }
  void SetUrl(const std::string& name, const std::string& url) override { Urls[name] = url; }
  int Top(const std::string&) const override { return 0; }
  void SetTop(const std::string&, int) override {}
  int Height(const std::string&) const override { return 0; }
  int ActiveTab() const override { return 0; }

  std::unordered_map<std::string, std::string> Texts;
  std::unordered_map<std::string, std::vector<std::string>> Memos;
  std::unordered_map<std::string, bool> Checks;
  std::unordered_map<std::string, std::string> Urls;

private:
  // Asking for a field the inventory lacks throws, as it does with the real fields.
  struct DesignValues {
    std::unordered_map<std::string, std::string> Texts;
    std::unordered_map<std::string, std::vector<std::string>> Memos;
  };
  static const DesignValues& Design() {
    static const DesignValues design = [] {
      DesignValues d;
      for (const auto& field : FieldInventory()) {
        d.Texts[field.Name] = field.Text;
        if (field.Kind == FieldKind::fkMemo) d.Memos[field.Name] = field.Lines;
      }
      return d;
    }();
    return design;
  }
};

} // namespace qv::fuzz
