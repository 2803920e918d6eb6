#include "app/MainWindow_win32.h"

#include "app/BusyWindow_win32.h"
#include "app/HelpFile.h"
#include "app/ResourceIds.h"
#include "core/Errors.h"
#include "cpu/CpuPlatform.h"
#include "cpu/Cpuid.h"
#include "fields/FieldInventory.h"
#include "status/PeriodicRefresh.h"
#include "ui/LateImports.h"

namespace qv {

TMainWindow* MainWindow = nullptr;

namespace {

const char* const TabCaptions[6] = {"Welcome", "My Computer", "Processor", "Operating System", "Devices", "More ..."};
constexpr TColor ValueColor = QuorvelValueBlue;

TFont PageFont(unsigned style = 0, TColor color = clBlack) { return TFont("MS Sans Serif", -12, style, color); }

// Values come from the system and are in its code page; the program's own English captions keep the
// layout face, which a face of another script would widen past the captions' boxes and the tab strip.
TFont ValueFont(unsigned style = 0) {
  TFont f = PageFont(style, ValueColor);
  f.CharSet = SystemCharSet();
  return f;
}

constexpr TColor clWindowText = 0x80000008;

// The five faces of a button, stored one after the other from `first`: up, over, down, disabled,
// current (shown after release while the pointer is still on the button).
void LoadButtonFaces(TImageButton& b, int first) {
  TBitmap face;
  if (face.LoadFromResource(first + 0)) b.SetBitmap(face);
  if (face.LoadFromResource(first + 1)) b.SetBitmapOver(face);
  if (face.LoadFromResource(first + 2)) b.SetBitmapDown(face);
  if (face.LoadFromResource(first + 3)) b.SetBitmapDisabled(face);
  if (face.LoadFromResource(first + 4)) b.SetBitmapUp(face);
}

} // namespace

TMainWindow::TMainWindow(TComponent* owner) : TForm(owner), Sources(std::make_unique<WindowsSources>()) {
  Name = "MainWindow";
  Title = "Quorvel";
  SetColor(clWhite);
  SetFont(TFont("MS Sans Serif", -11));
  SetBounds(0, 0, 753, 568); // design size; FormCreate sizes the window to the skin

  BackGroundImage = new TImage(this);
  BackGroundImage->Name = "BackGroundImage";
  BackGroundImage->Picture.LoadFromResource(IDB_SKIN);
  BackGroundImage->Stretch = true;
  BackGroundImage->SetBounds(0, 0, 582, 344);
  BackGroundImage->SetParent(this);

  LogoImage = new TImage(this);
  LogoImage->Name = "LogoImage";
  LogoImage->SetBounds(14, 256, 89, 77);
  LogoImage->Center = true;
  LogoImage->Stretch = true;
  LogoImage->Picture.LoadFromResource(IDB_LOGO);
  LogoImage->SetParent(this);

  TitleLabel = new TLabel(this);
  TitleLabel->Name = "TitleLabel";
  TitleLabel->SetBounds(8, 4, 120, 14);
  TitleLabel->SetCaption("Quorvel");
  TitleLabel->SetFont(TFont("Arial", -11, fsBold, clWhite));
  TitleLabel->SetParent(this);

  TitleBar = new TImage(this);
  TitleBar->Name = "TitleBar";
  TitleBar->SetBounds(0, 0, 582, 21);
  TitleBar->ShowHint = true;
  TitleBar->OnMouseDown = [this](TControl* s, TMouseButton b, unsigned sh, int x, int y) {
    TitleBarMouseDown(s, b, sh, x, y);
  };
  TitleBar->OnMouseMove = [this](TControl* s, unsigned sh, int x, int y) { TitleBarMouseMove(s, sh, x, y); };
  TitleBar->OnMouseUp = [this](TControl* s, TMouseButton b, unsigned sh, int x, int y) {
    TitleBarMouseUp(s, b, sh, x, y);
  };
  TitleBar->SetParent(this);

  auto button = [this](const char* name, int left, int top, int w, int h, int faces, const char* hint,
                       void (TMainWindow::*handler)(TControl*)) {
    auto* b = new TImageButton(this);
    b->Name = name;
    b->SetBounds(left, top, w, h);
    LoadButtonFaces(*b, faces);
    b->Hint = hint;
    b->ShowHint = true;
    b->OnClick = [this, handler](TControl* s) { (this->*handler)(s); };
    b->SetParent(this);
    return b;
  };
  CloseButton = button("CloseButton", 564, 5, 13, 13, IDB_CLOSE_BUTTON, "Close", &TMainWindow::CloseButtonClick);
  InfoButton = button("InfoButton", 24, 32, 71, 22, IDB_INFO_BUTTON, "Start examining your system.",
                      &TMainWindow::InfoButtonClick);
  PrintButton = button("PrintButton", 24, 64, 71, 22, IDB_PRINT_BUTTON, "Print the gathered information.",
                       &TMainWindow::PrintButtonClick);
  PrintButton->SetEnabled(false);
  ExportButton = button("ExportButton", 24, 96, 71, 22, IDB_EXPORT_BUTTON, "Save the gathered information.",
                        &TMainWindow::ExportButtonClick);
  ExportButton->SetEnabled(false);
  HelpButton = button("HelpButton", 24, 128, 71, 22, IDB_HELP_BUTTON, "Is there something you don't understand?",
                      &TMainWindow::HelpButtonClick);

  TabStrip = new TFlatTabStrip(this);
  TabStrip->Name = "TabStrip";
  TabStrip->SetBounds(120, 32, 452, 281);
  TabStrip->SetColor(clWhite);
  TabStrip->SetFont(PageFont());
  TabStrip->SetColorBorder(QuorvelBorderBlue);
  TabStrip->SetColorUnselectedTab(QuorvelTabBlue);
  TabStrip->SetTabs(std::vector<std::string>(TabCaptions, TabCaptions + 6));
  TabStrip->SetEnabled(false);
  TabStrip->OnTabChanged = [this](TControl* s) { TabStripTabChanged(s); };
  TabStrip->SetParent(this);

  for (int i = 0; i < 6; ++i) {
    auto* p = new TPanel(this);
    p->Name = "InfoPanel" + std::to_string(i);
    p->SetColor(clWhite);
    p->SetFont(PageFont());
    p->SetBounds(4, 24, 440, 250);
    p->SetVisible(i == 0);
    p->SetParent(TabStrip);
    InfoPanel[i] = p;
  }

  for (const auto& field : FieldInventory())
    if (field.Page == -1) {
      if (field.Kind == FieldKind::fkUrl) {
        HomePageLabel = new TLinkLabel(this);
        HomePageLabel->Name = FieldName(field.Id);
        HomePageLabel->URL = HomePageUrl;
        HomePageLabel->Alignment = taRightJustify;
        HomePageLabel->SetFont(TFont("Arial", -12, fsBold | fsUnderline, clBlack));
        HomePageLabel->SetUnvisitedColor(clBlack);
        HomePageLabel->SetVisitedColor(clBlack);
        HomePageLabel->SetActivatedColor(QuorvelTabBlue);
        HomePageLabel->Effects().SetHighlightColor(clBlack);
        HomePageLabel->SetShadowStyle(TShadowStyle::ssCustom);
        HomePageLabel->SetCaption(field.Text);
        HomePageLabel->Hint = field.Hint;
        HomePageLabel->ShowHint = true;
        HomePageLabel->SetBounds(field.Bounds.Left, field.Bounds.Top, field.Bounds.Width(), field.Bounds.Height());
        HomePageLabel->SetParent(this);
        Fields[static_cast<int>(field.Id)] = HomePageLabel;
      } else {
        LabelNotice = new TLabel(this);
        LabelNotice->Name = FieldName(field.Id);
        LabelNotice->SetFont(TFont("Arial", -12, fsBold, clBlack));
        LabelNotice->SetCaption(field.Text);
        LabelNotice->Hint = field.Hint;
        LabelNotice->ShowHint = true;
        LabelNotice->SetBounds(field.Bounds.Left, field.Bounds.Top, field.Bounds.Width(), field.Bounds.Height());
        LabelNotice->SetParent(this);
        Fields[static_cast<int>(field.Id)] = LabelNotice;
      }
    }

  MakePageFields();

  RefreshTimer = new TTimer(this);
  RefreshTimer->Name = "RefreshTimer";
  RefreshTimer->SetInterval(500);
  RefreshTimer->OnTimer = [this](TTimer* t) { RefreshTimerTick(t); };

  LockKeys = std::make_unique<TLockKeys>(ThreadKeyboardState(), MakeApplicationLockKeysHooks());
  LockKeys->OnNumLock = [this](TLockKeys& k) { LockKeysNumLock(k); };
  LockKeys->OnCapsLock = [this](TLockKeys& k) { LockKeysCapsLock(k); };
  LockKeys->OnScrollLock = [this](TLockKeys& k) { LockKeysScrollLock(k); };
  LockKeys->OnInsert = [this](TLockKeys& k) { LockKeysInsert(k); };

  Hints = new TBalloonHint(this);
  Hints->Name = "Hints";
  Hints->HintStyle = hsRoundRect;
  Hints->HintFont = TFont("Arial", -11, 0, clBlack);
  Hints->Transparency = 20;
  Hints->WallPaper.LoadFromResource(IDB_HINTWALL);
  Hints->UseWallPaper = !Hints->WallPaper.Empty();

  OnClose = [](TControl*) {};
  FormCreate();
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::MakePageFields() {
  TBitmap BarTexture;
  BarTexture.LoadFromResource(IDB_BARTEXTURE);
  // Welcome page.
  TPanel* welcome = InfoPanel[0];
  ProductLabel = new TLabel(this);
  VersionLabel = new TLabel(this);
  for (TLabel* l : {ProductLabel, VersionLabel}) {
    const FieldSpec* field = &FindField(l == ProductLabel ? Field::ProductName : Field::ProductVersion);
    l->Name = FieldName(field->Id);
    l->SetCaption(field->Text);
    l->SetFont(PageFont(fsBold));
    l->Alignment = field->RightAligned ? taRightJustify : taLeftJustify;
    l->SetBounds(field->Bounds.Left, field->Bounds.Top, field->Bounds.Width(), field->Bounds.Height());
    l->SetParent(welcome);
    Fields[static_cast<int>(field->Id)] = l;
  }
  WelcomeRule = new TPanel(this);
  WelcomeRule->Name = "WelcomeRule";
  WelcomeRule->BevelOuter = bvNone;
  WelcomeRule->SetColor(QuorvelBorderBlue);
  WelcomeRule->SetBounds(24, 40, 385, 1);
  WelcomeRule->SetParent(welcome);

  ScrollBoxParent = new TScrollBox(this);
  ScrollBoxParent->Name = FieldName(Field::CreditsViewport);
  ScrollBoxParent->SetBounds(24, 48, 385, 150);
  ScrollBoxParent->SetParent(welcome);
  ScrollBoxChild = new TPanel(this);
  ScrollBoxChild->Name = FieldName(Field::CreditsList);
  ScrollBoxChild->BevelOuter = bvNone;
  ScrollBoxChild->SetColor(clWhite);
  ScrollBoxChild->SetFont(PageFont());
  ScrollBoxChild->SetBounds(8, 0, 353, 1605);
  ScrollBoxChild->SetParent(ScrollBoxParent);
  Fields[static_cast<int>(Field::CreditsViewport)] = ScrollBoxParent;
  Fields[static_cast<int>(Field::CreditsList)] = ScrollBoxChild;
  MakeCredits();

  for (const auto& field : FieldInventory()) {
    if (field.Page < 1) continue;
    TWinControl* parent = InfoPanel[field.Page];
    TControl* c = nullptr;
    TLabel* autoSized = nullptr;
    switch (field.Kind) {
      case FieldKind::fkCaption:
      case FieldKind::fkValue:
      case FieldKind::fkStatic: {
        auto* l = new TLabel(this);
        l->SetCaption(field.Text);
        l->Alignment = field.RightAligned ? taRightJustify : taLeftJustify;
        l->SetFont(field.Kind == FieldKind::fkValue ? ValueFont() : PageFont());
        if (field.Kind == FieldKind::fkCaption) autoSized = l;
        c = l;
        break;
      }
      case FieldKind::fkMemo: {
        auto* m = new TFlatMemo(this);
        m->ReadOnly = field.ReadOnly;
        m->ScrollBars = ssVertical;
        m->SetColorBorder(clBlack);
        m->SetColorFlat(clWhite);
        Field n = field.Id;
        if (n == Field::MacAddresses || n == Field::VideoAdapters || n == Field::Monitors) m->SetParentColor(true);
        m->SetFont(ValueFont());
        m->SetLines(field.Lines);
        c = m;
        break;
      }
      case FieldKind::fkCheck: {
        auto* b = new TFlatCheckBox(this);
        b->SetCaption(field.Text);
        b->SetFont(PageFont());
        b->SetColor(clWhite);
        b->SetColors(clWhite, clWhite, QuorvelBorderBlue, clBlack);
        bool lockKey = field.Page == 1;
        b->SetLayout(lockKey ? checkboxRight : checkboxLeft);
        b->OnClick = [this, lockKey](TControl* s) { lockKey ? LockKeyBoxClick(s) : FeatureBoxClick(s); };
        c = b;
        break;
      }
      case FieldKind::fkBar: {
        auto* b = new TGradientBar(this);
        bool memory = field.Id == Field::MemoryBar;
        b->SetFont(TFont("MS Serif", -9, 0, memory ? clWindowText : clBlack));
        b->SetBackgroundColor(clWhite);
        b->SetBarBitmap(BarTexture);
        if (memory) {
          b->SetBarColors(QuorvelBorderBlue, QuorvelTabBlue, QuorvelBorderBlue);
        } else {
          b->SetBarColors(clBlack, clBlack, clBlack);
          b->SetBarColorStyle(cs1Color);
        }
        b->SetBorderColors(clBlack, clBlack);
        b->SetPosTextSuffix("%");
        if (memory) b->SetPosition(100);
        c = b;
        break;
      }
      case FieldKind::fkUrl: {
        auto* u = new TLinkLabel(this);
        u->SetCaption(field.Text);
        u->Hint = field.Hint;
        u->ShowHint = true;
        u->SetFont(ValueFont(fsUnderline));
        u->SetUnvisitedColor(ValueColor);
        u->SetVisitedColor(clBlack);
        c = u;
        break;
      }
      case FieldKind::fkBox:
        continue;
    }
    c->Name = FieldName(field.Id);
    // Labels are 13 high: the bitmap "MS Sans Serif" is 13 pixels with its descenders.
    c->SetBounds(field.Bounds.Left, field.Bounds.Top, field.Bounds.Width(), field.Bounds.Height());
    c->SetParent(parent);
    if (autoSized) autoSized->SetAutoSize(true);
    Fields[static_cast<int>(field.Id)] = c;
  }
}

void TMainWindow::MakeCredits() {
  TPanel* box = ScrollBoxChild;
  auto label = [this, box](const std::string& text, int left, int top, int width, TAlignment align, unsigned style) {
    auto* l = new TLabel(this);
    l->SetCaption(text);
    l->Alignment = align;
    l->SetFont(PageFont(style));
    l->SetBounds(left, top, width, 16);
    l->SetParent(box);
    return l;
  };
  label("CREDITS", 0, 8, 353, taCenter, fsBold | fsUnderline);
  int top = 48;
  for (const auto& role : CreditRoles()) {
    label(role.Role, 8, top, 137, taRightJustify, 0);
    for (const char* name : role.Names) {
      label(name, 176, top, 165, taLeftJustify, 0);
      top += 24;
    }
    top += 24;
  }
  top += 48;
  auto rule = [this, box](int y) {
    auto* p = new TPanel(this);
    p->BevelOuter = bvNone;
    p->SetColor(clBlack);
    p->SetBounds(12, y, 329, 1);
    p->SetParent(box);
  };
  rule(top);
  label("DURING THIS PRODUCTION NO ANIMALS WERE KILLED", 0, top + 8, 353, taCenter, 0);
  rule(top + 32);
  top += 72;
  auto picture = [this, box](int id, int width, int height, int y) {
    auto* i = new TImage(this);
    i->Picture.LoadFromResource(id);
    i->SetBounds((353 - width) / 2, y, width, height);
    i->SetParent(box);
  };
  picture(IDB_CREDITS1, 204, 45, top);
  picture(IDB_CREDITS2, 178, 84, top + 80);
}

void TMainWindow::FormCreate() {
  State.Gathered = false;
  RefreshTimer->SetEnabled(true);
  Dragging = false;
  Hints->Activate();
  TitleBar->Hint = "Version " + VersionLabel->Caption();
  ShowInfoPanel(0);
  SetBounds(Left(), Top(), BackGroundImage->Width(), BackGroundImage->Height());
  ScrollBoxChild->SetTop(195);
  ScrollBoxParent->SetHeight(200);
  CloseButton->SetBounds(CloseButton->Left(), CloseButton->Top(), 13, 13);
  for (TImageButton* b : {InfoButton, PrintButton, HelpButton}) b->SetBounds(b->Left(), b->Top(), 71, 23);
  TabStrip->SetActiveTab(0);
  TabStrip->SetHeight(LabelNotice->Top() - TabStrip->Top() - 7);
  for (TPanel* p : InfoPanel) {
    p->BevelInner = bvNone;
    p->BevelOuter = bvNone;
    p->SetBounds(4, 24, p->Width(), TabStrip->Height() - 32);
  }
}

void TMainWindow::ShowInfoPanel(int n) {
  for (int i = 0; i < 6; ++i) InfoPanel[i]->SetVisible(i == n);
}

void TMainWindow::TabStripTabChanged(TControl*) {
  if (!State.Gathered) return;
  ShowInfoPanel(TabStrip->ActiveTab());
}

void TMainWindow::InfoButtonClick(TControl*) {
  // The libraries only the pass uses are not needed again until the next pass.
  struct Release {
    ~Release() { ReleasePassLibraries(); }
  } release;
  RunGatheringPass(*this, State, Sources->Sources(), *this);
}

void TMainWindow::BeginBusy() {
  BusyWindow->Show();
  SetEnabled(false);
  BusyWindow->Update();
  BusyWindow->BringToFront();
}

void TMainWindow::EndBusy() {
  PrintButton->SetEnabled(true);
  ExportButton->SetEnabled(true);
  BusyWindow->Hide();
  SetEnabled(true);
  TabStrip->SetActiveTab(1);
  TabStrip->SetEnabled(true);
  BringToFront();
}

void TMainWindow::CloseButtonClick(TControl*) { Close(); }

void TMainWindow::HelpButtonClick(TControl*) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  Application().HelpFile = HelpFileFor(std::string(path, n));
  Application().HelpCommand(HELP_CONTENTS, 0);
}

void TMainWindow::PrintButtonClick(TControl*) {
  PrintReport(Handle(), PrintDialog, LinePrinter, *this, State.TotalMemoryText);
}

void TMainWindow::ExportButtonClick(TControl*) { ExportReport(Handle(), SaveDialog, *this, State.TotalMemoryText); }

void TMainWindow::TitleBarMouseDown(TControl*, TMouseButton, unsigned, int x, int y) {
  DragStartX = x;
  DragStartY = y;
  Dragging = true;
}

void TMainWindow::TitleBarMouseMove(TControl*, unsigned, int x, int y) {
  if (!Dragging) return;
  SetBounds(Left() + x - DragStartX, Top() + y - DragStartY, Width(), Height());
}

void TMainWindow::TitleBarMouseUp(TControl*, TMouseButton, unsigned, int, int) { Dragging = false; }

void TMainWindow::RefreshTimerTick(TTimer*) {
  RefreshSources sources;
  sources.System = Sources->Sources().System;
  sources.Load = &CpuLoadModule();
  RunPeriodicRefresh(*this, State, sources);
}

void TMainWindow::UpdateLockKeyBoxes() {
  SetChecked(Field::NumLockBox, LockKeys->NumLockOn());
  SetChecked(Field::CapsLockBox, LockKeys->CapsLockOn());
  SetChecked(Field::ScrollLockBox, LockKeys->ScrollLockOn());
  SetChecked(Field::InsertBox, LockKeys->InsertOn());
}

void TMainWindow::LockKeysNumLock(TLockKeys&) { UpdateLockKeyBoxes(); }
void TMainWindow::LockKeysCapsLock(TLockKeys&) { UpdateLockKeyBoxes(); }
void TMainWindow::LockKeysScrollLock(TLockKeys&) { UpdateLockKeyBoxes(); }
void TMainWindow::LockKeysInsert(TLockKeys&) { UpdateLockKeyBoxes(); }

void TMainWindow::LockKeyBoxClick(TControl*) { UpdateLockKeyBoxes(); }

void TMainWindow::FeatureBoxClick(TControl*) { UpdateFeatureBoxes(); }

void TMainWindow::UpdateFeatureBoxes() { qv::UpdateFeatureBoxes(*this, State.Processor.FeatureFlags); }

// ---- page fields

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
