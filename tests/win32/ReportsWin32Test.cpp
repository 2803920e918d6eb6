#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "FilledFields.h"
#include "RecordingPrintSurface.h"
#include "core/Errors.h"
#include "reports/ReportDialogs_win32.h"
#include "reports/ReportFile_win32.h"
#include "ui/Win.h"

#include <commdlg.h>
#include <dlgs.h>

namespace qv {

namespace {

// A fresh folder under the Windows temporary folder, removed with what is in it.
class TempFolder {
public:
  TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    Path = std::string(base) + "quorvel-reports-" + std::to_string(GetCurrentProcessId()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(Path.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const auto& name : Names()) {
      std::string file = Path + "\\" + name;
      SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(file.c_str());
    }
    RemoveDirectoryA(Path.c_str());
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((Path + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      std::string name = data.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
  }
  std::string File(const std::string& name) const { return Path + "\\" + name; }
  std::string Path;
};

std::string ReadBack(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

} // namespace

TEST(ExportWin32, WritesTheChosenFormatToTheChosenFile) {
  TempFolder dir;
  FieldTable fields = FilledFields();
  SaveDialogState dialog;
  std::string proposed;
  const std::string target = dir.File("report.txt");
  auto answer = [&](SaveDialogState& d) {
    proposed = d.FileName;
    d.FileName = target;
    d.FilterIndex = 2;
    return true;
  };
  ExportReport(dialog, answer, fields, "256 Mb");
  EXPECT_EQ(proposed, "Quorvel 07-12-2026");
  EXPECT_EQ(ReadBack(target), ReportFileBytes(BuildReportLines(fields, "256 Mb", ReportFormat::rfHTML)));

  // Again under the text filter: the same file now holds the text report, nothing else is left.
  auto text = [&](SaveDialogState& d) {
    EXPECT_EQ(d.FilterIndex, 2); // remembered from the last export
    d.FileName = target;
    d.FilterIndex = 1;
    return true;
  };
  ExportReport(dialog, text, fields, "256 Mb");
  EXPECT_EQ(ReadBack(target), ReportFileBytes(BuildReportLines(fields, "256 Mb", ReportFormat::rfText)));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"report.txt"});
}

TEST(ExportWin32, UnwritableTargetsKeepTheirContent) {
  TempFolder dir;
  FieldTable fields = FilledFields();
  const std::string locked = dir.File("locked.txt");
  const std::string readOnly = dir.File("readonly.txt");
  for (const auto& path : {locked, readOnly}) {
    std::ofstream(path, std::ios::binary) << "old\r\n";
  }
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  // Held open without sharing, as an editor holding the file would.
  HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  const std::string missing = dir.File("no folder\\r.txt");
  for (const auto& path : {readOnly, locked, missing, dir.Path}) {
    SaveDialogState dialog;
    auto answer = [&](SaveDialogState& d) {
      d.FileName = path;
      return true;
    };
    try {
      ExportReport(dialog, answer, fields, "256 Mb");
      ADD_FAILURE() << "no error for " << path;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Cannot create file " + path);
    }
  }
  CloseHandle(holder);
  EXPECT_EQ(ReadBack(readOnly), "old\r\n");
  EXPECT_EQ(ReadBack(locked), "old\r\n");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"locked.txt", "readonly.txt"}));
}

// The save dialog for real: a timer on this thread answers it as a user would.
namespace {

struct DialogAnswer {
  std::string FileName;
  int Filter = 1;
  // What the dialog showed.
  std::string Title, ProposedName;
  int PreselectedFilter = -1;
  std::vector<std::string> Filters;

  int Ticks = 0;
};
DialogAnswer* Answer = nullptr;

HWND FileNameBox(HWND dialog) {
  // The classic dialog has an edit box, the newer ones a combo box with one inside.
  HWND box = GetDlgItem(dialog, edt1);
  if (!box) box = GetDlgItem(dialog, cmb13);
  return box;
}

void CALLBACK AnswerSaveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = GetForegroundWindow();
  char title[256] = "";
  if (!dialog || !GetWindowTextA(dialog, title, sizeof title) || std::string(title) != "Quorvel export")
    dialog = FindWindowA("#32770", "Quorvel export");
  if (!dialog) {
    if (++Answer->Ticks > 100) KillTimer(nullptr, timer);
    return;
  }
  KillTimer(nullptr, timer);
  GetWindowTextA(dialog, title, sizeof title);
  Answer->Title = title;
  HWND box = FileNameBox(dialog);
  char name[MAX_PATH] = "";
  GetWindowTextA(box, name, sizeof name);
  Answer->ProposedName = name;
  HWND types = GetDlgItem(dialog, cmb1);
  Answer->PreselectedFilter = static_cast<int>(SendMessageA(types, CB_GETCURSEL, 0, 0)) + 1;
  for (int i = 0; i < SendMessageA(types, CB_GETCOUNT, 0, 0); ++i) {
    char text[64] = "";
    if (SendMessageA(types, CB_GETLBTEXTLEN, i, 0) < 64)
      SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    Answer->Filters.push_back(text);
  }
  SendMessageA(types, CB_SETCURSEL, Answer->Filter - 1, 0);
  // A pick with the mouse notifies both; dialogs differ in which one they act on.
  for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
  SetWindowTextA(box, Answer->FileName.c_str());
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

} // namespace

TEST(ExportWin32, ThroughTheRealSaveDialog) {
  TempFolder dir;
  FieldTable fields = FilledFields();
  SaveDialogState dialog;
  dialog.FilterIndex = 1;
  DialogAnswer answer;
  answer.FileName = dir.File("chosen"); // no extension: the dialog adds "txt"
  answer.Filter = 2;
  Answer = &answer;
  SetTimer(nullptr, 0, 100, AnswerSaveDialog);
  ExportReport(nullptr, dialog, fields, "256 Mb");
  Answer = nullptr;

  EXPECT_EQ(answer.Title, "Quorvel export");
  EXPECT_EQ(answer.ProposedName, "Quorvel 07-12-2026");
  EXPECT_EQ(answer.PreselectedFilter, 1);
  EXPECT_EQ(answer.Filters, (std::vector<std::string>{"Text File", "HTML File"}));
  EXPECT_EQ(dialog.FilterIndex, 2);
  auto names = dir.Names();
  ASSERT_EQ(names.size(), 1u);
  // Which extension a name typed without one gets is the dialog's business (Wine: the filter's).
  EXPECT_TRUE(names[0] == "chosen.txt" || names[0] == "chosen.html") << names[0];
  EXPECT_EQ(dialog.FileName, dir.File(names[0]));
  EXPECT_EQ(ReadBack(dialog.FileName), ReportFileBytes(BuildReportLines(fields, "256 Mb", ReportFormat::rfHTML)));
}

namespace {

// The names in a folder as the system stores them, in UTF-8.
std::vector<std::string> WideNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((Utf8ToWide(folder) + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = WideToUtf8(data.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

} // namespace

TEST(ExportWin32, NamesAsTypedOnNtAndRefusedWhereTheCodePageLacksThem) {
  TempFolder dir;
  std::ofstream(dir.File("afa.txt"), std::ios::binary) << "old\r\n";
  const std::string greek = "\xCE\xB1\xCF\x86\xCE\xB1.txt"; // the look-alike of afa.txt
  // Georgian: in no ANSI code page at all.
  const std::string georgian = "\xE1\x83\x90.txt";
  const std::string refused = "Cannot create file " + dir.File("?.txt") +
                              "\nThe name has letters that this system cannot store in a file name.";

  ASSERT_NE(WideNameCalls(), nullptr) << "Wine is of the NT family unless told otherwise";
  auto wide = MakeWindowsFileSystem(WideNameCalls());
  WriteReportFile(dir.File(greek), {"new"}, *wide);
  EXPECT_EQ(WideNames(dir.Path), (std::vector<std::string>{"afa.txt", greek}));
  EXPECT_EQ(ReadBack(dir.File("afa.txt")), "old\r\n");

  // The 95 family's ANSI calls: refused before anything is touched; an ASCII name still writes.
  auto narrow = MakeWindowsFileSystem(nullptr);
  try {
    WriteReportFile(dir.File(georgian), {"new"}, *narrow);
    ADD_FAILURE() << "a Georgian name was written through the ANSI calls";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), refused);
  }
  WriteReportFile(dir.File("afa.txt"), {"newer"}, *narrow);
  EXPECT_EQ(ReadBack(dir.File("afa.txt")), "newer\r\n");
  EXPECT_EQ(WideNames(dir.Path), (std::vector<std::string>{"afa.txt", greek}));
  wide->Remove(dir.File(greek)); // the folder's clean-up sees it only as its look-alike
}

TEST(ExportWin32, DialogOptions) {
  SaveDialogState dialog;
  EXPECT_EQ(SaveDialogFlags(dialog),
            static_cast<DWORD>(OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING));
  dialog.OverwritePrompt = dialog.HideReadOnly = dialog.EnableSizing = false;
  EXPECT_EQ(SaveDialogFlags(dialog), static_cast<DWORD>(OFN_EXPLORER));
}

TEST(PrintWin32, ReportPrintsUnderItsJobName) {
  FieldTable fields = FilledFields();
  TLinePrinter lp;
  std::vector<std::string> log;
  std::vector<std::pair<int, int>> announced;
  lp.OnNextPage = [&](TLinePrinter&, int page, int total) { announced.emplace_back(page, total); };
  auto printer = [&] {
    auto s = std::make_unique<RecordingPrintSurface>();
    s->Metrics = {90, 10}; // lines of 100 pixels: 63 to a page at 600 dpi with 15 mm margins
    s->Log = &log;
    return std::unique_ptr<PrintSurface>(std::move(s));
  };
  PrintReport(lp, printer, fields, "256 Mb");
  ASSERT_GT(lp.Lines.size(), 63u);
  ASSERT_LE(lp.Lines.size(), 126u);
  EXPECT_EQ(log.front(), "begin Quorvel 07-12-2026");
  EXPECT_EQ(std::count(log.begin(), log.end(), "page"), 1);
  EXPECT_EQ(announced, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
  EXPECT_EQ(log.back(), "end");
}

// The printer surface's drawing, on a bitmap: the same calls a printer DC gets.
TEST(PrinterDcSurfaceWin32, MeasuresAndClipsLikeThePrinter) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -60, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueGdiObject bitmap(CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(bitmap);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap.Get());
  auto pixels = static_cast<uint32_t*>(bits);
  std::fill(pixels, pixels + 200 * 60, 0xFFFFFFu);
  {
    PrinterDcSurface surface(memory);
    PrinterCaps caps = surface.DeviceCaps();
    EXPECT_GT(caps.LogPixelsY, 0);
    EXPECT_EQ(caps.HorzRes, GetDeviceCaps(memory, HORZRES));
    PrintFont font;
    surface.SelectFont(font);
    PrintTextMetrics metrics = surface.TextMetrics();
    EXPECT_GE(metrics.Height, -font.HeightAt(caps.LogPixelsY));
    int one = surface.TextWidth("WWWW");
    EXPECT_GT(one, 0);
    EXPECT_EQ(surface.TextWidth("WWWWWWWW"), 2 * one);
    EXPECT_EQ(surface.TextWidth(""), 0);

    surface.TextOutClipped(5, 5, {0, 0, 20, 60}, "WWWWWWWWWWWW");
    GdiFlush();
    int inside = 0, outside = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 200; ++x)
        if ((pixels[y * 200 + x] & 0xFFFFFFu) != 0xFFFFFFu) ++(x < 20 ? inside : outside);
    EXPECT_GT(inside, 10);
    EXPECT_EQ(outside, 0);

    // A bitmap is no printer: the job cannot start, and says so.
    try {
      surface.BeginDoc("Quorvel 07-12-2026");
      ADD_FAILURE() << "a job started on a bitmap";
    } catch (const Exception& e) {
      // The step, then the system's reason in words.
      const std::string step = "The printer did not start the job Quorvel 07-12-2026: ";
      EXPECT_EQ(e.Message().rfind(step, 0), 0u) << e.Message();
      EXPECT_GT(e.Message().size(), step.size()) << e.Message();
    }
    SelectObject(memory, oldBitmap);
  }
}

} // namespace qv
