#include "app/MainWindow_win32.h"
#include "core/Errors.h"

namespace qv {

template <typename T>
T* TMainWindow::FieldAs(Field field) const {
  auto* c = dynamic_cast<T*>(ControlOf(field));
  if (!c) throw Exception(std::string("No such control for the page field ") + FieldName(field));
  return c;
}

std::string TMainWindow::Text(Field field) const { return FieldAs<TControl>(field)->Caption(); }
void TMainWindow::SetText(Field field, const std::string& text) { FieldAs<TControl>(field)->SetCaption(text); }
std::vector<std::string> TMainWindow::Lines(Field field) const { return FieldAs<TMemo>(field)->Lines(); }
void TMainWindow::ClearLines(Field field) { FieldAs<TMemo>(field)->ClearLines(); }
void TMainWindow::AddLine(Field field, const std::string& line) { FieldAs<TMemo>(field)->AddLine(line); }
void TMainWindow::SetLines(Field field, const std::vector<std::string>& lines) {
  FieldAs<TMemo>(field)->SetLines(lines);
}
bool TMainWindow::Checked(Field field) const { return FieldAs<TFlatCheckBox>(field)->Checked(); }
void TMainWindow::SetChecked(Field field, bool checked) { FieldAs<TFlatCheckBox>(field)->SetChecked(checked); }
int TMainWindow::Position(Field field) const { return FieldAs<TGradientBar>(field)->Position(); }
void TMainWindow::SetPosition(Field field, int position) { FieldAs<TGradientBar>(field)->SetPosition(position); }
bool TMainWindow::Visible(Field field) const { return FieldAs<TControl>(field)->Visible(); }
void TMainWindow::SetVisible(Field field, bool visible) { FieldAs<TControl>(field)->SetVisible(visible); }
std::string TMainWindow::Url(Field field) const { return FieldAs<TLinkLabel>(field)->URL; }
void TMainWindow::SetUrl(Field field, const std::string& url) { FieldAs<TLinkLabel>(field)->URL = url; }
int TMainWindow::Top(Field field) const { return FieldAs<TControl>(field)->Top(); }
void TMainWindow::SetTop(Field field, int top) { FieldAs<TControl>(field)->SetTop(top); }
int TMainWindow::Height(Field field) const { return FieldAs<TControl>(field)->Height(); }

} // namespace qv
