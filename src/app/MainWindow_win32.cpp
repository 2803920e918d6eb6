#include "app/MainWindow_win32.h"

#include "app/ResourceIds.h"
#include "ui/Accessible.h"

namespace qv {

TMainWindow* MainWindow = nullptr;

namespace {

const char* const TabCaptions[TMainWindow::PageCount] = {"Welcome",          "My Computer", "Processor",
                                                         "Operating System", "Devices",     "More ..."};
constexpr TColor ValueColor = QuorvelValueBlue;
constexpr TColor clWindowText = 0x80000008;

TFont PageFont(unsigned style = 0, TColor color = clBlack) { return TFont("MS Sans Serif", -12, style, color); }

// Values come from the system and are in its code page; the program's own English captions keep the
// layout face, which a face of another script would widen past the captions' boxes and the tab strip.
TFont ValueFont(unsigned style = 0) {
  TFont f = PageFont(style, ValueColor);
  f.CharSet = SystemCharSet();
  return f;
}

// The five faces of a button, stored one after the other from `first`: up, over, down, disabled,
// current (shown after release while the pointer is still on the button). The five after them show
// the access key underlined.
constexpr int CueFaces = 5;
void LoadButtonFaces(TImageButton& b, int first) {
  TBitmap face;
  if (face.LoadFromResource(first + 0)) b.SetBitmap(face);
  if (face.LoadFromResource(first + 1)) b.SetBitmapOver(face);
  if (face.LoadFromResource(first + 2)) b.SetBitmapDown(face);
  if (face.LoadFromResource(first + 3)) b.SetBitmapDisabled(face);
  if (face.LoadFromResource(first + 4)) b.SetBitmapUp(face);
}

void PlaceAt(TControl& c, const TRect& r) { c.SetBounds(r.Left, r.Top, r.Width(), r.Height()); }

} // namespace

// The controls are made in the order of their z-order, bottom first: the skin, the frame, the
// buttons, the tab strip with its pages, then the pages' fields.
TMainWindow::TMainWindow(TComponent* owner) : TForm(owner), Sources(std::make_unique<WindowsSources>()) {
  Name = "MainWindow";
  Title = "Quorvel";
  SetColor(clWhite);
  SetFont(TFont("MS Sans Serif", -11));
  SetBounds(0, 0, 753, 568); // design size; FormCreate sizes the window to the skin

  MakeFrame();
  MakeButtons();
  MakeTabStrip();
  MakeWelcomePage();
  TBitmap barTexture;
  barTexture.LoadFromResource(IDB_BARTEXTURE);
  for (const auto& field : FieldInventory())
    if (field.Page == -1 || field.Page >= 1) MakeField(field, barTexture);
  NameForScreenReaders();
  MakeComponents();

  OnClose = [](TControl*) {};
  // F1 is Help, where the Help button would answer.
  OnHelp = [this](TControl*) {
    if (HelpButton->Enabled()) HelpButton->KeyPress();
  };
  FormCreate();
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::MakeFrame() {
  Skin = new TImage(this);
  Skin->Name = "Skin";
  Skin->Picture.LoadFromResource(IDB_SKIN);
  Skin->Stretch = true;
  Skin->SetBounds(0, 0, 582, 344);
  Skin->SetParent(this);

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

  // Above the title text, which shows through it: a press on the text starts a drag too.
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
}

void TMainWindow::MakeButtons() {
  // The caption is what a screen reader reads and the access key ("&Info": Alt+I); the face shows it.
  auto button = [this](const char* name, const char* caption, int left, int top, int w, int h, int faces,
                       const char* hint, void (TMainWindow::*handler)(TControl*)) {
    auto* b = new TImageButton(this);
    b->Name = name;
    b->SetCaption(caption);
    b->SetBounds(left, top, w, h);
    LoadButtonFaces(*b, faces);
    b->Hint = hint;
    b->ShowHint = true;
    b->OnClick = [this, handler](TControl* s) { (this->*handler)(s); };
    b->SetParent(this);
    return b;
  };
  CloseButton =
      button("CloseButton", "Close", 564, 5, 13, 13, IDB_CLOSE_BUTTON, "Close", &TMainWindow::CloseButtonClick);
  InfoButton = button("InfoButton", "&Info", 24, 32, 71, 22, IDB_INFO_BUTTON, "Start examining your system.",
                      &TMainWindow::InfoButtonClick);
  PrintButton = button("PrintButton", "&Print", 24, 64, 71, 22, IDB_PRINT_BUTTON, "Print the gathered information.",
                       &TMainWindow::PrintButtonClick);
  PrintButton->SetEnabled(false);
  ExportButton = button("ExportButton", "&Export", 24, 96, 71, 22, IDB_EXPORT_BUTTON, "Save the gathered information.",
                        &TMainWindow::ExportButtonClick);
  ExportButton->SetEnabled(false);
  HelpButton = button("HelpButton", "&Help", 24, 128, 71, 22, IDB_HELP_BUTTON,
                      "Is there something you don't understand?", &TMainWindow::HelpButtonClick);
  // Tab reaches the four in the left column; Close is the title bar's, which Alt+F4 does.
  for (TImageButton* b : {InfoButton, PrintButton, ExportButton, HelpButton}) b->TabStop = true;
}

void TMainWindow::KeyboardCuesChanged() {
  const std::pair<TImageButton*, int> faces[] = {{InfoButton, IDB_INFO_BUTTON},
                                                 {PrintButton, IDB_PRINT_BUTTON},
                                                 {ExportButton, IDB_EXPORT_BUTTON},
                                                 {HelpButton, IDB_HELP_BUTTON}};
  for (const auto& [b, first] : faces) {
    // Only the access key changes: the button keeps the height it had (23 until a face is shown).
    const TRect was = b->Bounds();
    LoadButtonFaces(*b, first + (AccelCuesShown() ? CueFaces : 0));
    b->SetBounds(was.Left, was.Top, was.Width(), was.Height());
  }
  TForm::KeyboardCuesChanged();
}

// Screen readers read a value by the caption drawn beside it (and not that caption again), a page
// by its tab; the rules drawn as thin panels are not read at all.
void TMainWindow::NameForScreenReaders() {
  for (const auto& field : FieldInventory())
    if (const FieldSpec* caption = NamingCaption(field.Id)) {
      std::string name = caption->Text;
      if (!name.empty() && name.back() == ':') name.pop_back();
      ControlOf(field.Id)->AccessibleName = name;
      ControlOf(caption->Id)->AccessibleHidden = true;
    }
  for (int i = 0; i < PageCount; ++i) {
    Pages[i]->AccessibleName = TabCaptions[i];
    Pages[i]->AccessibleRole = ROLE_SYSTEM_PROPERTYPAGE;
  }
  CreditsViewport->AccessibleName = "Credits";
  WelcomeRule->AccessibleHidden = true;
}

void TMainWindow::MakeTabStrip() {
  TabStrip = new TFlatTabStrip(this);
  TabStrip->Name = "TabStrip";
  TabStrip->SetBounds(120, 32, 452, 281);
  TabStrip->SetColor(clWhite);
  TabStrip->SetFont(PageFont());
  TabStrip->SetColorBorder(QuorvelBorderBlue);
  TabStrip->SetColorUnselectedTab(QuorvelTabBlue);
  TabStrip->SetTabs(std::vector<std::string>(TabCaptions, TabCaptions + PageCount));
  TabStrip->SetEnabled(false);
  TabStrip->OnTabChanged = [this](TControl* s) { TabStripTabChanged(s); };
  TabStrip->SetParent(this);

  for (int i = 0; i < PageCount; ++i) {
    auto* p = new TPanel(this);
    p->Name = "Page" + std::to_string(i);
    p->SetColor(clWhite);
    p->SetFont(PageFont());
    p->SetBounds(4, 24, 440, 250);
    p->SetVisible(i == 0);
    p->SetParent(TabStrip);
    Pages[i] = p;
  }
}

void TMainWindow::MakeWelcomePage() {
  TPanel* welcome = Pages[0];
  ProductLabel = MakeLabel(FindField(Field::ProductName));
  VersionLabel = MakeLabel(FindField(Field::ProductVersion));
  for (TLabel* l : {ProductLabel, VersionLabel}) l->SetFont(PageFont(fsBold));
  Bind(FindField(Field::ProductName), ProductLabel, welcome);
  Bind(FindField(Field::ProductVersion), VersionLabel, welcome);

  WelcomeRule = new TPanel(this);
  WelcomeRule->Name = "WelcomeRule";
  WelcomeRule->BevelOuter = bvNone;
  WelcomeRule->SetColor(QuorvelBorderBlue);
  WelcomeRule->SetBounds(24, 40, 385, 1);
  WelcomeRule->SetParent(welcome);

  // Both boxes get their running place and height from FormCreate.
  const TRect viewport = FindField(Field::CreditsViewport).Bounds;
  CreditsViewport = new TScrollBox(this);
  CreditsViewport->SetBounds(viewport.Left, viewport.Top, viewport.Width(), 150);
  Bind(FindField(Field::CreditsViewport), CreditsViewport, welcome);
  const TRect list = FindField(Field::CreditsList).Bounds;
  CreditsList = new TPanel(this);
  CreditsList->BevelOuter = bvNone;
  CreditsList->SetColor(clWhite);
  CreditsList->SetFont(PageFont());
  CreditsList->SetBounds(list.Left, 0, list.Width(), list.Height());
  Bind(FindField(Field::CreditsList), CreditsList, CreditsViewport);
  MakeCredits();
}

void TMainWindow::MakeCredits() {
  TPanel* box = CreditsList;
  auto label = [this, box](const std::string& text, int left, int top, int width, TAlignment align, unsigned style) {
    auto* l = new TLabel(this);
    l->SetCaption(text);
    l->Alignment = align;
    l->SetFont(PageFont(style));
    l->SetBounds(left, top, width, 16);
    l->SetParent(box);
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
    p->AccessibleHidden = true;
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

void TMainWindow::MakeComponents() {
  RefreshTimer = new TTimer(this);
  RefreshTimer->Name = "RefreshTimer";
  RefreshTimer->SetInterval(500);
  RefreshTimer->OnTimer = [this](TTimer* t) { RefreshTimerTick(t); };

  LockKeys = std::make_unique<TLockKeys>(ThreadKeyboardState(), MakeApplicationLockKeysHooks());
  auto changed = [this](TLockKeys& k) { LockKeyChanged(k); };
  LockKeys->OnNumLock = changed;
  LockKeys->OnCapsLock = changed;
  LockKeys->OnScrollLock = changed;
  LockKeys->OnInsert = changed;

  Hints = new TBalloonHint(this);
  Hints->Name = "Hints";
  Hints->HintStyle = hsRoundRect;
  Hints->HintFont = TFont("Arial", -11, 0, clBlack);
  Hints->Transparency = 20;
  Hints->WallPaper.LoadFromResource(IDB_HINTWALL);
  Hints->UseWallPaper = !Hints->WallPaper.Empty();
}

TControl* TMainWindow::MakeField(const FieldSpec& field, const TBitmap& barTexture) {
  TControl* c = nullptr;
  switch (field.Kind) {
    case FieldKind::fkCaption:
    case FieldKind::fkValue:
    case FieldKind::fkStatic:
      c = MakeLabel(field);
      break;
    case FieldKind::fkMemo:
      c = MakeMemo(field);
      break;
    case FieldKind::fkCheck:
      c = MakeCheckBox(field);
      break;
    case FieldKind::fkBar:
      c = MakeBar(field, barTexture);
      break;
    case FieldKind::fkUrl:
      c = MakeLink(field);
      break;
    case FieldKind::fkBox:
      return nullptr;
  }
  if (field.Page == -1) {
    // The notice and the home-page link sit on the window below the tab strip, in the frame's face.
    if (field.Id == Field::Notice) NoticeLabel = static_cast<TLabel*>(c);
    c->SetFont(TFont("Arial", -12, field.Id == Field::HomePage ? fsBold | fsUnderline : fsBold, clBlack));
    c->Hint = field.Hint;
    c->ShowHint = true;
  }
  Bind(field, c, field.Page == -1 ? static_cast<TWinControl*>(this) : Pages[field.Page]);
  // Captions take the width of their text (right-aligned, they keep their right edge).
  if (field.Kind == FieldKind::fkCaption) static_cast<TLabel*>(c)->SetAutoSize(true);
  return c;
}

TLabel* TMainWindow::MakeLabel(const FieldSpec& field) {
  auto* l = new TLabel(this);
  l->SetCaption(field.Text);
  l->Alignment = field.RightAligned ? taRightJustify : taLeftJustify;
  l->SetFont(field.Kind == FieldKind::fkValue ? ValueFont() : PageFont());
  return l;
}

TFlatMemo* TMainWindow::MakeMemo(const FieldSpec& field) {
  auto* m = new TFlatMemo(this);
  m->ReadOnly = field.ReadOnly;
  m->ScrollBars = ssVertical;
  m->SetColorBorder(clBlack);
  m->SetColorFlat(clWhite);
  const Field f = field.Id;
  if (f == Field::MacAddresses || f == Field::VideoAdapters || f == Field::Monitors) m->SetParentColor(true);
  m->SetFont(ValueFont());
  m->SetLines(field.Lines);
  return m;
}

TFlatCheckBox* TMainWindow::MakeCheckBox(const FieldSpec& field) {
  auto* b = new TFlatCheckBox(this);
  b->SetCaption(field.Text);
  b->SetFont(PageFont());
  b->SetColor(clWhite);
  b->SetColors(clWhite, clWhite, QuorvelBorderBlue, clBlack);
  // The lock keys' boxes on My Computer have their box on the right; the feature boxes on the left.
  const bool lockKey = field.Page == 1;
  b->SetLayout(lockKey ? checkboxRight : checkboxLeft);
  if (lockKey)
    b->OnClick = [this](TControl* s) { LockKeyBoxClick(s); };
  else
    b->OnClick = [this](TControl* s) { FeatureBoxClick(s); };
  return b;
}

TGradientBar* TMainWindow::MakeBar(const FieldSpec& field, const TBitmap& barTexture) {
  auto* b = new TGradientBar(this);
  const bool memory = field.Id == Field::MemoryBar;
  b->SetFont(TFont("MS Serif", -9, 0, memory ? clWindowText : clBlack));
  b->SetBackgroundColor(clWhite);
  b->SetBarBitmap(barTexture);
  if (memory) {
    b->SetBarColors(QuorvelBorderBlue, QuorvelTabBlue, QuorvelBorderBlue);
  } else {
    b->SetBarColors(clBlack, clBlack, clBlack);
    b->SetBarColorStyle(cs1Color);
  }
  b->SetBorderColors(clBlack, clBlack);
  b->SetPosTextSuffix("%");
  if (memory) b->SetPosition(100);
  return b;
}

TLinkLabel* TMainWindow::MakeLink(const FieldSpec& field) {
  auto* u = new TLinkLabel(this);
  if (field.Id == Field::HomePage) {
    HomePageLink = u;
    u->URL = HomePageUrl;
    u->Alignment = taRightJustify;
    u->SetUnvisitedColor(clBlack);
    u->SetVisitedColor(clBlack);
    u->SetActivatedColor(QuorvelTabBlue);
    u->Effects().SetHighlightColor(clBlack);
    u->SetShadowStyle(TShadowStyle::ssCustom);
  } else {
    u->Hint = field.Hint;
    u->ShowHint = true;
    u->SetFont(ValueFont(fsUnderline));
    u->SetUnvisitedColor(ValueColor);
    u->SetVisitedColor(clBlack);
  }
  u->SetCaption(field.Text);
  return u;
}

void TMainWindow::Bind(const FieldSpec& field, TControl* control, TWinControl* parent) {
  control->Name = FieldName(field.Id);
  if (field.Kind != FieldKind::fkBox) PlaceAt(*control, field.Bounds);
  control->SetParent(parent);
  Fields[static_cast<int>(field.Id)] = control;
}

void TMainWindow::FormCreate() {
  State.Gathered = false;
  RefreshTimer->SetEnabled(true);
  Dragging = false;
  Hints->Activate();
  TitleBar->Hint = "Version " + VersionLabel->Caption();
  ShowPage(0);
  SetBounds(Left(), Top(), Skin->Width(), Skin->Height());
  CreditsList->SetTop(195);
  CreditsViewport->SetHeight(200);
  CloseButton->SetBounds(CloseButton->Left(), CloseButton->Top(), 13, 13);
  for (TImageButton* b : {InfoButton, PrintButton, HelpButton}) b->SetBounds(b->Left(), b->Top(), 71, 23);
  TabStrip->SetActiveTab(0);
  TabStrip->SetHeight(NoticeLabel->Top() - TabStrip->Top() - 7);
  for (TPanel* p : Pages) {
    p->BevelInner = bvNone;
    p->BevelOuter = bvNone;
    p->SetBounds(4, 24, p->Width(), TabStrip->Height() - 32);
  }
}

} // namespace qv
