#include "app/Unit1_win32.h"

#include "fields/FieldInventory.h"
#include "app/HelpFile.h"
#include "cpu/Cpuid.h"
#include "cpu/CpuPlatform.h"
#include "status/PeriodicRefresh.h"
#include "app/ResourceIds.h"
#include "app/Unit2_win32.h"
#include "core/Errors.h"
#include "ui/LateImports.h"

namespace qv {

TSysForm* SysForm = nullptr;

namespace {

const char* const TabCaptions[6] = {"Welcome", "My Computer", "Processor", "Operating System", "Devices",
                                    "More ..."};
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

TSysForm::TSysForm(TComponent* owner) : TForm(owner), Sources(std::make_unique<WindowsSources>()) {
  Name = "SysForm";
  Title = "Quorvel";
  SetColor(clWhite);
  SetFont(TFont("MS Sans Serif", -11));
  SetBounds(0, 0, 753, 568);   // design size; FormCreate sizes the window to the skin

  BackGroundImage = new TImage(this);
  BackGroundImage->Name = "BackGroundImage";
  BackGroundImage->Picture.LoadFromResource(IDB_SKIN);
  BackGroundImage->Stretch = true;
  BackGroundImage->SetBounds(0, 0, 582, 344);
  BackGroundImage->SetParent(this);

  Image1 = new TImage(this);
  Image1->Name = "Image1";
  Image1->SetBounds(14, 256, 89, 77);
  Image1->Center = true;
  Image1->Stretch = true;
  Image1->Picture.LoadFromResource(IDB_LOGO);
  Image1->SetParent(this);

  Label27 = new TLabel(this);
  Label27->Name = "Label27";
  Label27->SetBounds(8, 4, 120, 14);
  Label27->SetCaption("Quorvel");
  Label27->SetFont(TFont("Arial", -11, fsBold, clWhite));
  Label27->SetParent(this);

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
                       void (TSysForm::*handler)(TControl*)) {
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
  CloseButton = button("CloseButton", 564, 5, 13, 13, IDB_CLOSE_BUTTON, "Close", &TSysForm::CloseButtonClick);
  InfoButton = button("InfoButton", 24, 32, 71, 22, IDB_INFO_BUTTON, "Start examining your system.", &TSysForm::Button1Click);
  PrintButton =
      button("PrintButton", 24, 64, 71, 22, IDB_PRINT_BUTTON, "Print the gathered information.", &TSysForm::PrintButtonClick);
  PrintButton->SetEnabled(false);
  ExportButton = button("ExportButton", 24, 96, 71, 22, IDB_EXPORT_BUTTON, "Save the gathered information.",
                        &TSysForm::ExportButtonClick);
  ExportButton->SetEnabled(false);
  HelpButton = button("HelpButton", 24, 128, 71, 22, IDB_HELP_BUTTON, "Is there something you don't understand?",
                      &TSysForm::HelpButtonClick);

  FlatTabControl = new TFlatTabControl(this);
  FlatTabControl->Name = "FlatTabControl";
  FlatTabControl->SetBounds(120, 32, 452, 281);
  FlatTabControl->SetColor(clWhite);
  FlatTabControl->SetFont(PageFont());
  FlatTabControl->SetColorBorder(QuorvelBorderBlue);
  FlatTabControl->SetColorUnselectedTab(QuorvelTabBlue);
  FlatTabControl->SetTabs(std::vector<std::string>(TabCaptions, TabCaptions + 6));
  FlatTabControl->SetEnabled(false);
  FlatTabControl->OnTabChanged = [this](TControl* s) { FlatTabControlTabChanged(s); };
  FlatTabControl->SetParent(this);

  for (int i = 0; i < 6; ++i) {
    auto* p = new TPanel(this);
    p->Name = "InfoPanel" + std::to_string(i);
    p->SetColor(clWhite);
    p->SetFont(PageFont());
    p->SetBounds(4, 24, 440, 250);
    p->SetVisible(i == 0);
    p->SetParent(FlatTabControl);
    InfoPanel[i] = p;
  }

  for (const auto& field : FieldInventory())
    if (field.Page == -1) {
      if (field.Kind == FieldKind::fkUrl) {
        HomePageLabel = new TProUrlLabel(this);
        HomePageLabel->Name = field.Name;
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
        Fields[field.Name] = HomePageLabel;
      } else {
        LabelNotice = new TLabel(this);
        LabelNotice->Name = field.Name;
        LabelNotice->SetFont(TFont("Arial", -12, fsBold, clBlack));
        LabelNotice->SetCaption(field.Text);
        LabelNotice->Hint = field.Hint;
        LabelNotice->ShowHint = true;
        LabelNotice->SetBounds(field.Bounds.Left, field.Bounds.Top, field.Bounds.Width(), field.Bounds.Height());
        LabelNotice->SetParent(this);
        Fields[field.Name] = LabelNotice;
      }
    }

  MakePageFields();

  QuorvelTimer = new TTimer(this);
  QuorvelTimer->Name = "QuorvelTimer";
  QuorvelTimer->SetInterval(500);
  QuorvelTimer->OnTimer = [this](TTimer* t) { QuorvelTimerTimer(t); };

  KeyStat = std::make_unique<TKeyState>(ThreadKeyboardState(), MakeApplicationKeyStateHooks());
  KeyStat->OnNumLock = [this](TKeyState& k) { KeyStatNumLock(k); };
  KeyStat->OnCapsLock = [this](TKeyState& k) { KeyStatCapsLock(k); };
  KeyStat->OnScrollLock = [this](TKeyState& k) { KeyStatScrollLock(k); };
  KeyStat->OnInsert = [this](TKeyState& k) { KeyStatInsert(k); };

  KeshHint = new TKeshHint(this);
  KeshHint->Name = "KeshHint";
  KeshHint->HintStyle = hsRoundRect;
  KeshHint->HintFont = TFont("Arial", -11, 0, clBlack);
  KeshHint->Transparency = 20;
  KeshHint->WallPaper.LoadFromResource(IDB_HINTWALL);
  KeshHint->UseWallPaper = !KeshHint->WallPaper.Empty();

  OnClose = [](TControl*) {};
  FormCreate();
}

TSysForm::~TSysForm() = default;

void TSysForm::MakePageFields() {
  TBitmap BarTexture;
  BarTexture.LoadFromResource(IDB_BARTEXTURE);
  // Welcome page.
  TPanel* welcome = InfoPanel[0];
  Label7 = new TLabel(this);
  VersionLabel = new TLabel(this);
  for (TLabel* l : {Label7, VersionLabel}) {
    const FieldSpec* field = FindField(l == Label7 ? "Label7" : "VersionLabel");
    l->Name = field->Name;
    l->SetCaption(field->Text);
    l->SetFont(PageFont(fsBold));
    l->Alignment = field->RightAligned ? taRightJustify : taLeftJustify;
    l->SetBounds(field->Bounds.Left, field->Bounds.Top, field->Bounds.Width(), field->Bounds.Height());
    l->SetParent(welcome);
    Fields[field->Name] = l;
  }
  Panel1 = new TPanel(this);
  Panel1->Name = "Panel1";
  Panel1->BevelOuter = bvNone;
  Panel1->SetColor(QuorvelBorderBlue);
  Panel1->SetBounds(24, 40, 385, 1);
  Panel1->SetParent(welcome);

  ScrollBoxParent = new TScrollBox(this);
  ScrollBoxParent->Name = "ScrollBoxParent";
  ScrollBoxParent->SetBounds(24, 48, 385, 150);
  ScrollBoxParent->SetParent(welcome);
  ScrollBoxChild = new TPanel(this);
  ScrollBoxChild->Name = "ScrollBoxChild";
  ScrollBoxChild->BevelOuter = bvNone;
  ScrollBoxChild->SetColor(clWhite);
  ScrollBoxChild->SetFont(PageFont());
  ScrollBoxChild->SetBounds(8, 0, 353, 1605);
  ScrollBoxChild->SetParent(ScrollBoxParent);
  Fields["ScrollBoxParent"] = ScrollBoxParent;
  Fields["ScrollBoxChild"] = ScrollBoxChild;
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
        std::string n = field.Name;
        if (n == "MemoMAC" || n == "MemoAdapter" || n == "MemoMonitor") m->SetParentColor(true);
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
        b->OnClick = [this, lockKey](TControl* s) { lockKey ? CheckBoxNUMClick(s) : CheckBoxMMXClick(s); };
        c = b;
        break;
      }
      case FieldKind::fkBar: {
        auto* b = new TVantuProgressBar(this);
        bool memory = std::string(field.Name) == "ProgressBarPhysical";
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
        auto* u = new TProUrlLabel(this);
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
    c->Name = field.Name;
    // Labels are 13 high: the bitmap "MS Sans Serif" is 13 pixels with its descenders.
    c->SetBounds(field.Bounds.Left, field.Bounds.Top, field.Bounds.Width(), field.Bounds.Height());
    c->SetParent(parent);
    if (autoSized) autoSized->SetAutoSize(true);
    Fields[field.Name] = c;
  }
}

void TSysForm::MakeCredits() {
  TPanel* box = ScrollBoxChild;
  auto label = [this, box](const std::string& text, int left, int top, int width, TAlignment align,
                           unsigned style) {
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

void TSysForm::FormCreate() {
  State.Gathered = false;
  QuorvelTimer->SetEnabled(true);
  Dragging = false;
  KeshHint->Activate();
  TitleBar->Hint = "Version " + VersionLabel->Caption();
  ShowInfoPanel(0);
  SetBounds(Left(), Top(), BackGroundImage->Width(), BackGroundImage->Height());
  ScrollBoxChild->SetTop(195);
  ScrollBoxParent->SetHeight(200);
  CloseButton->SetBounds(CloseButton->Left(), CloseButton->Top(), 13, 13);
  for (TImageButton* b : {InfoButton, PrintButton, HelpButton})
    b->SetBounds(b->Left(), b->Top(), 71, 23);
  FlatTabControl->SetActiveTab(0);
  FlatTabControl->SetHeight(LabelNotice->Top() - FlatTabControl->Top() - 7);
  for (TPanel* p : InfoPanel) {
    p->BevelInner = bvNone;
    p->BevelOuter = bvNone;
    p->SetBounds(4, 24, p->Width(), FlatTabControl->Height() - 32);
  }
}

void TSysForm::ShowInfoPanel(int n) {
  for (int i = 0; i < 6; ++i) InfoPanel[i]->SetVisible(i == n);
}

void TSysForm::FlatTabControlTabChanged(TControl*) {
  if (!State.Gathered) return;
  ShowInfoPanel(FlatTabControl->ActiveTab());
}

void TSysForm::Button1Click(TControl*) {
  // The libraries only the pass uses are not needed again until the next pass.
  struct Release {
    ~Release() { ReleasePassLibraries(); }
  } release;
  RunGatheringPass(*this, State, Sources->Sources(), *this);
}

void TSysForm::BeginBusy() {
  SplashForm->Show();
  SetEnabled(false);
  SplashForm->Update();
  SplashForm->BringToFront();
}

void TSysForm::EndBusy() {
  PrintButton->SetEnabled(true);
  ExportButton->SetEnabled(true);
  SplashForm->Hide();
  SetEnabled(true);
  FlatTabControl->SetActiveTab(1);
  FlatTabControl->SetEnabled(true);
  BringToFront();
}

void TSysForm::CloseButtonClick(TControl*) { Close(); }

void TSysForm::HelpButtonClick(TControl*) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  Application().HelpFile = HelpFileFor(std::string(path, n));
  Application().HelpCommand(HELP_CONTENTS, 0);
}

void TSysForm::PrintButtonClick(TControl*) {
  PrintReport(Handle(), PrintDialog, LP, *this, State.TotalMemoryText);
}

void TSysForm::ExportButtonClick(TControl*) { ExportReport(Handle(), SaveDialog, *this, State.TotalMemoryText); }

void TSysForm::TitleBarMouseDown(TControl*, TMouseButton, unsigned, int x, int y) {
  DragStartX = x;
  DragStartY = y;
  Dragging = true;
}

void TSysForm::TitleBarMouseMove(TControl*, unsigned, int x, int y) {
  if (!Dragging) return;
  SetBounds(Left() + x - DragStartX, Top() + y - DragStartY, Width(), Height());
}

void TSysForm::TitleBarMouseUp(TControl*, TMouseButton, unsigned, int, int) { Dragging = false; }

void TSysForm::QuorvelTimerTimer(TTimer*) {
  RefreshSources sources;
  sources.System = Sources->Sources().System;
  sources.Load = &CpuLoadModule();
  RunPeriodicRefresh(*this, State, sources);
}

void TSysForm::UpdateKeyStateBoxes() {
  SetChecked("CheckBoxNUM", KeyStat->NumLockOn());
  SetChecked("CheckBoxCAPS", KeyStat->CapsLockOn());
  SetChecked("CheckBoxSCROLL", KeyStat->ScrollLockOn());
  SetChecked("CheckBoxINS", KeyStat->InsertOn());
}

void TSysForm::KeyStatNumLock(TKeyState&) { UpdateKeyStateBoxes(); }
void TSysForm::KeyStatCapsLock(TKeyState&) { UpdateKeyStateBoxes(); }
void TSysForm::KeyStatScrollLock(TKeyState&) { UpdateKeyStateBoxes(); }
void TSysForm::KeyStatInsert(TKeyState&) { UpdateKeyStateBoxes(); }

void TSysForm::CheckBoxNUMClick(TControl*) { UpdateKeyStateBoxes(); }

void TSysForm::CheckBoxMMXClick(TControl*) { UpdateFeatureBoxes(); }

void TSysForm::UpdateFeatureBoxes() { qv::UpdateFeatureBoxes(*this, State.Processor.FeatureFlags); }

// ---- page fields

TControl* TSysForm::Field(const std::string& name) const {
  auto it = Fields.find(name);
  return it == Fields.end() ? nullptr : it->second;
}

template <typename T>
T* TSysForm::FieldAs(const std::string& name) const {
  auto* c = dynamic_cast<T*>(Field(name));
  if (!c) throw Exception("No page field named " + name);
  return c;
}

std::string TSysForm::Text(const std::string& name) const { return FieldAs<TControl>(name)->Caption(); }
void TSysForm::SetText(const std::string& name, const std::string& text) {
  FieldAs<TControl>(name)->SetCaption(text);
}
std::vector<std::string> TSysForm::Lines(const std::string& name) const { return FieldAs<TMemo>(name)->Lines(); }
void TSysForm::ClearLines(const std::string& name) { FieldAs<TMemo>(name)->ClearLines(); }
void TSysForm::AddLine(const std::string& name, const std::string& line) { FieldAs<TMemo>(name)->AddLine(line); }
void TSysForm::SetLines(const std::string& name, const std::vector<std::string>& lines) {
  FieldAs<TMemo>(name)->SetLines(lines);
}
bool TSysForm::Checked(const std::string& name) const { return FieldAs<TFlatCheckBox>(name)->Checked(); }
void TSysForm::SetChecked(const std::string& name, bool checked) {
  FieldAs<TFlatCheckBox>(name)->SetChecked(checked);
}
int TSysForm::Position(const std::string& name) const { return FieldAs<TVantuProgressBar>(name)->Position(); }
void TSysForm::SetPosition(const std::string& name, int position) {
  FieldAs<TVantuProgressBar>(name)->SetPosition(position);
}
bool TSysForm::Visible(const std::string& name) const { return FieldAs<TControl>(name)->Visible(); }
void TSysForm::SetVisible(const std::string& name, bool visible) { FieldAs<TControl>(name)->SetVisible(visible); }
std::string TSysForm::Url(const std::string& name) const { return FieldAs<TProUrlLabel>(name)->URL; }
void TSysForm::SetUrl(const std::string& name, const std::string& url) { FieldAs<TProUrlLabel>(name)->URL = url; }
int TSysForm::Top(const std::string& name) const { return FieldAs<TControl>(name)->Top(); }
void TSysForm::SetTop(const std::string& name, int top) { FieldAs<TControl>(name)->SetTop(top); }
int TSysForm::Height(const std::string& name) const { return FieldAs<TControl>(name)->Height(); }

} // namespace qv
