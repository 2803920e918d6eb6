#include "fields/FieldTable.h"

#include "fields/FieldInventory.h"
#include "core/Errors.h"

namespace qv {

FieldTable::FieldTable() {
  for (const auto& field : FieldInventory()) {
    Field f;
    f.Text = field.Text;
    f.Lines = field.Lines;
    f.Top = field.Bounds.Top;
    f.Height = field.Bounds.Height();
    if (field.Kind == FieldKind::fkUrl && std::string(field.Name) == "HomePageLabel") f.Url = HomePageUrl;
    Fields.emplace(field.Name, std::move(f));
  }
}

FieldTable::Field& FieldTable::Get(const std::string& name) {
  auto it = Fields.find(name);
  if (it == Fields.end()) throw Exception("No page field named " + name);
  return it->second;
}

const FieldTable::Field& FieldTable::Get(const std::string& name) const {
  return const_cast<FieldTable*>(this)->Get(name);
}

std::string FieldTable::Text(const std::string& name) const { return Get(name).Text; }
void FieldTable::SetText(const std::string& name, const std::string& text) { Get(name).Text = text; }
std::vector<std::string> FieldTable::Lines(const std::string& name) const { return Get(name).Lines; }
void FieldTable::ClearLines(const std::string& name) { Get(name).Lines.clear(); }
void FieldTable::AddLine(const std::string& name, const std::string& line) { Get(name).Lines.push_back(line); }
void FieldTable::SetLines(const std::string& name, const std::vector<std::string>& lines) { Get(name).Lines = lines; }
bool FieldTable::Checked(const std::string& name) const { return Get(name).Checked; }
void FieldTable::SetChecked(const std::string& name, bool checked) { Get(name).Checked = checked; }
int FieldTable::Position(const std::string& name) const { return Get(name).Position; }
void FieldTable::SetPosition(const std::string& name, int position) { Get(name).Position = position; }
bool FieldTable::Visible(const std::string& name) const { return Get(name).Visible; }
void FieldTable::SetVisible(const std::string& name, bool visible) { Get(name).Visible = visible; }
std::string FieldTable::Url(const std::string& name) const { return Get(name).Url; }
void FieldTable::SetUrl(const std::string& name, const std::string& url) { Get(name).Url = url; }
int FieldTable::Top(const std::string& name) const { return Get(name).Top; }
void FieldTable::SetTop(const std::string& name, int top) { Get(name).Top = top; }
int FieldTable::Height(const std::string& name) const { return Get(name).Height; }

} // namespace qv
