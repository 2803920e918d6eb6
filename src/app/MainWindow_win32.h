#pragma once
#include <array>
#include <memory>
#include <string>

#include "app/GatherPass.h"
#include "app/WindowsSources.h"
#include "controls/Controls_win32.h"
#include "fields/FieldInventory.h"
#include "fields/PageFields.h"
#include "probes/LockKeys.h"
#include "reports/ReportDialogs_win32.h"

namespace qv {

class TBusyWindow;

// The skinned main window. Its controls are the page fields; the gathering pass, the refresh and
// the reports reach them through PageFields. Building the controls, handling their events and
// binding the page fields live in three files (MainWindow, MainWindowEvents, MainWindowFields).
class TMainWindow : public TForm, public PageFields, public PassHost {
public:
  explicit TMainWindow(TComponent* owner);
  ~TMainWindow() override;

  static constexpr int PageCount = 6;

  // Controls on the window itself.
  TImage* Skin;
  TImage* LogoImage;
  TLabel* TitleLabel;
  TImage* TitleBar;
  TImageButton* CloseButton;
  TImageButton* InfoButton;
  TImageButton* PrintButton;
  TImageButton* ExportButton;
  TImageButton* HelpButton;
  TFlatTabStrip* TabStrip;
  TLabel* NoticeLabel;
  TLinkLabel* HomePageLink;
  TPanel* Pages[PageCount];
  // The Welcome page.
  TLabel* ProductLabel;
  TLabel* VersionLabel;
  TPanel* WelcomeRule;
  TScrollBox* CreditsViewport;
  TPanel* CreditsList;

  TTimer* RefreshTimer;
  std::unique_ptr<TLockKeys> LockKeys;
  TBalloonHint* Hints;

  TBusyWindow* BusyWindow = nullptr;
  PassState State;
  SaveDialogState SaveDialog;
  PrintDialogState PrintDialog;
  TLinePrinter LinePrinter; // margins 15 mm, word wrap on, no page numbers, no title

  // Event handlers.
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
  void LockKeyChanged(TLockKeys& sender);
  void LockKeyBoxClick(TControl* sender);
  void FeatureBoxClick(TControl* sender);

  void ShowPage(int n);
  void UpdateLockKeyBoxes() override;
  void UpdateFeatureBoxes();

  // The control of a page field.
  TControl* ControlOf(Field field) const { return Fields[static_cast<int>(field)]; }

  // PageFields
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
  using TForm::Height;
  using TForm::Top;
  int Top(Field field) const override;
  void SetTop(Field field, int top) override;
  int Height(Field field) const override;
  int ActiveTab() const override { return TabStrip->ActiveTab(); }

  // PassHost
  void BeginBusy() override;
  void EndBusy() override;

  bool Gathered() const { return State.Gathered; }

protected:
  // The buttons' faces show their access keys once the keyboard is in use.
  void KeyboardCuesChanged() override;

private:
  void MakeFrame();
  void NameForScreenReaders();
  void MakeButtons();
  void MakeTabStrip();
  void MakeWelcomePage();
  void MakeCredits();
  void MakeComponents();
  // One control of the inventory, on its page or on the window.
  TControl* MakeField(const FieldSpec& field, const TBitmap& barTexture);
  TLabel* MakeLabel(const FieldSpec& field);
  TFlatMemo* MakeMemo(const FieldSpec& field);
  TFlatCheckBox* MakeCheckBox(const FieldSpec& field);
  TGradientBar* MakeBar(const FieldSpec& field, const TBitmap& barTexture);
  TLinkLabel* MakeLink(const FieldSpec& field);
  void Bind(const FieldSpec& field, TControl* control, TWinControl* parent);

  template <typename T>
  T* FieldAs(Field field) const;

  bool Dragging = false;
  int DragStartX = 0;
  int DragStartY = 0;
  std::array<TControl*, FieldCount> Fields{};
  std::unique_ptr<WindowsSources> Sources;
};

extern TMainWindow* MainWindow;

} // namespace qv
