#pragma once
#include <map>
#include <memory>
#include <string>

#include "app/GatherPass.h"
#include "fields/PageFields.h"
#include "app/WindowsSources.h"
#include "controls/Controls_win32.h"
#include "probes/LockKeys.h"
#include "reports/ReportDialogs_win32.h"

namespace qv {

class TBusyWindow;

// The skinned main window. Its controls are the page fields; the gathering pass, the refresh and
// the reports reach them by name through PageFields.
class TMainWindow : public TForm, public PageFields, public PassHost {
public:
  explicit TMainWindow(TComponent* owner);
  ~TMainWindow() override;

  // Controls on the form.
  TImage* BackGroundImage;
  TImage* LogoImage;
  TLabel* TitleLabel;
  TImage* TitleBar;
  TImageButton* CloseButton;
  TImageButton* InfoButton;
  TImageButton* PrintButton;
  TImageButton* ExportButton;
  TImageButton* HelpButton;
  TFlatTabStrip* TabStrip;
  TLabel* LabelNotice;
  TLinkLabel* HomePageLabel;
  TPanel* InfoPanel[6];
  TLabel* ProductLabel;
  TLabel* VersionLabel;
  TPanel* WelcomeRule;
  TScrollBox* ScrollBoxParent;
  TPanel* ScrollBoxChild;
  TTimer* RefreshTimer;
  std::unique_ptr<TLockKeys> LockKeys;
  TBalloonHint* Hints;

  TBusyWindow* BusyWindow = nullptr;
  PassState State;
  SaveDialogState SaveDialog;
  PrintDialogState PrintDialog;
  TLinePrinter LinePrinter;   // margins 15 mm, word wrap on, no page numbers, no title


  void FormCreate();
  void InfoButtonClick(TControl* sender);
  void CloseButtonClick(TControl* sender);
  void HelpButtonClick(TControl* sender);
  void PrintButtonClick(TControl* sender);
  void ExportButtonClick(TControl* sender);
  void TabStripTabChanged(TControl* sender);
  void TitleBarMouseDown(TControl* sender, TMouseButton button, unsigned shift, int x, int y);
  void TitleBarMouseMove(TControl* sender, unsigned shift, int x, int y);
  void TitleBarMouseUp(TControl* sender, TMouseButton button, unsigned shift, int x, int y);
  void RefreshTimerTick(TTimer* sender);
  void LockKeysNumLock(TLockKeys& sender);
  void LockKeysCapsLock(TLockKeys& sender);
  void LockKeysScrollLock(TLockKeys& sender);
  void LockKeysInsert(TLockKeys& sender);
  void LockKeyBoxClick(TControl* sender);
  void FeatureBoxClick(TControl* sender);
  void ShowInfoPanel(int n);
  void UpdateLockKeyBoxes() override;
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
  int ActiveTab() const override { return TabStrip->ActiveTab(); }

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

extern TMainWindow* MainWindow;

} // namespace qv
