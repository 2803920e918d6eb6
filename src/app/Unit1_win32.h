#pragma once
#include <map>
#include <memory>
#include <string>

#include "app/GatherPass.h"
#include "fields/PageFields.h"
#include "app/WindowsSources.h"
#include "controls/Controls_win32.h"
#include "probes/KeyState.h"
#include "reports/ReportDialogs_win32.h"

namespace qv {

class TSplashForm;

// The skinned main window. Its controls are the page fields; the gathering pass, the refresh and
// the reports reach them by name through PageFields.
class TSysForm : public TForm, public PageFields, public PassHost {
public:
  explicit TSysForm(TComponent* owner);
  ~TSysForm() override;

  // Controls on the form.
  TImage* BackGroundImage;
  TImage* Image1;
  TLabel* Label27;
  TImage* TitleBar;
  TImageButton* CloseButton;
  TImageButton* InfoButton;
  TImageButton* PrintButton;
  TImageButton* ExportButton;
  TImageButton* HelpButton;
  TFlatTabControl* FlatTabControl;
  TLabel* LabelNotice;
  TProUrlLabel* HomePageLabel;
  TPanel* InfoPanel[6];
  TLabel* Label7;
  TLabel* VersionLabel;
  TPanel* Panel1;
  TScrollBox* ScrollBoxParent;
  TPanel* ScrollBoxChild;
  TTimer* QuorvelTimer;
  std::unique_ptr<TKeyState> KeyStat;
  TKeshHint* KeshHint;

  TSplashForm* SplashForm = nullptr;
  SysFormState State;
  SaveDialogState SaveDialog;
  PrintDialogState PrintDialog;
  TBrellLinePrinter LP;   // margins 15 mm, word wrap on, no page numbers, no title


  void FormCreate();
  void Button1Click(TControl* sender);
  void CloseButtonClick(TControl* sender);
  void HelpButtonClick(TControl* sender);
  void PrintButtonClick(TControl* sender);
  void ExportButtonClick(TControl* sender);
  void FlatTabControlTabChanged(TControl* sender);
  void TitleBarMouseDown(TControl* sender, TMouseButton button, unsigned shift, int x, int y);
  void TitleBarMouseMove(TControl* sender, unsigned shift, int x, int y);
  void TitleBarMouseUp(TControl* sender, TMouseButton button, unsigned shift, int x, int y);
  void QuorvelTimerTimer(TTimer* sender);
  void KeyStatNumLock(TKeyState& sender);
  void KeyStatCapsLock(TKeyState& sender);
  void KeyStatScrollLock(TKeyState& sender);
  void KeyStatInsert(TKeyState& sender);
  void CheckBoxNUMClick(TControl* sender);
  void CheckBoxMMXClick(TControl* sender);
  void ShowInfoPanel(int n);
  void UpdateKeyStateBoxes() override;
  void UpdateFeatureBoxes();

  // The control of a page field by name (null when there is none).
  TControl* Field(const std::string& name) const;

  // PageFields
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
  using TForm::Height;
  using TForm::Top;
  int Top(const std::string& name) const override;
  void SetTop(const std::string& name, int top) override;
  int Height(const std::string& name) const override;
  int ActiveTab() const override { return FlatTabControl->ActiveTab(); }

  // PassHost
  void BeginBusy() override;
  void EndBusy() override;

  bool Gathered() const { return State.Gathered; }

private:
  template <typename T>
  T* FieldAs(const std::string& name) const;
  void MakePageFields();
  void MakeCredits();
  bool Dragging = false;
  int DragStartX = 0;
  int DragStartY = 0;
  std::map<std::string, TControl*> Fields;
  std::unique_ptr<WindowsSources> Sources;
};

extern TSysForm* SysForm;

} // namespace qv
