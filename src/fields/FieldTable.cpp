#include "fields/FieldTable.h"

#include "fields/FieldInventory.h"

namespace qv {

FieldTable::FieldTable() {
  for (const auto& field : FieldInventory()) {
    Slot& s = Get(field.Id);
    s.Text = field.Text;
    s.Lines = field.Lines;
    s.Top = field.Bounds.Top;
    s.Height = field.Bounds.Height();
    if (field.Id == Field::HomePage) s.Url = HomePageUrl;
  }
}

std::string FieldTable::Text(Field field) const { return Get(field).Text; }
void FieldTable::SetText(Field field, const std::string& text) { Get(field).Text = text; }
std::vector<std::string> FieldTable::Lines(Field field) const { return Get(field).Lines; }
void FieldTable::ClearLines(Field field) { Get(field).Lines.clear(); }
void FieldTable::AddLine(Field field, const std::string& line) { Get(field).Lines.push_back(line); }
void FieldTable::SetLines(Field field, const std::vector<std::string>& lines) { Get(field).Lines = lines; }
bool FieldTable::Checked(Field field) const { return Get(field).Checked; }
void FieldTable::SetChecked(Field field, bool checked) { Get(field).Checked = checked; }
int FieldTable::Position(Field field) const { return Get(field).Position; }
void FieldTable::SetPosition(Field field, int position) { Get(field).Position = position; }
bool FieldTable::Visible(Field field) const { return Get(field).Visible; }
void FieldTable::SetVisible(Field field, bool visible) { Get(field).Visible = visible; }
std::string FieldTable::Url(Field field) const { return Get(field).Url; }
void FieldTable::SetUrl(Field field, const std::string& url) { Get(field).Url = url; }
int FieldTable::Top(Field field) const { return Get(field).Top; }
void FieldTable::SetTop(Field field, int top) { Get(field).Top = top; }
int FieldTable::Height(Field field) const { return Get(field).Height; }

} // namespace qv
