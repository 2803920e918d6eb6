#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/Geometry.h"
#include "fields/Field.h"

namespace qv {

enum class FieldKind {
  fkCaption, // fixed caption label (Field::ComputerNameCaption: "Computer Name:")
  fkValue,   // value label, "-" until the pass writes it
  fkMemo,    // flat memo with a vertical scroll bar
  fkCheck,   // indicator check box
  fkBar,     // gradient progress bar
  fkUrl,     // hyperlink label
  fkStatic,  // other labels whose captions the reports read (ProductVersion, Notice)
  fkBox,     // scroll box (only place and height matter)
};

// One control of the pages as it stands at design time: the single source of the design values
// for both the main form and the headless field table.
struct FieldSpec {
  Field Id;
  FieldKind Kind;
  int Page;                       // 0..5 = the six pages; -1 = on the window itself
  TRect Bounds;                   // inside its panel (or the form)
  const char* Text;               // caption, or the design-time value of a value label
  std::vector<std::string> Lines; // design-time lines of a memo
  const char* Hint = "";
  bool ReadOnly = false; // memos
  bool RightAligned = false;
};

const std::vector<FieldSpec>& FieldInventory();

// The nine processor feature boxes, in the order of the processor's feature flags: FPU, RDTSC,
// MMX, MMX+, 3DNow!, 3DNow!+, iSSE, iSSE-2, APIC. The reports list the checked ones in this order.
constexpr std::array<Field, 9> FeatureBoxes = {Field::FpuBox,         Field::RdtscBox,     Field::MmxBox,
                                               Field::ExtendedMmxBox, Field::ThreeDNowBox, Field::ExtendedThreeDNowBox,
                                               Field::SseBox,         Field::Sse2Box,      Field::ApicBox};
const FieldSpec& FindField(Field field);

// The caption that names a value for a screen reader (the label, memo, bar or link the eye reads
// beside it): the last caption before the value on its page. Null for the check boxes, which
// carry their own captions, and for everything off the pages.
const FieldSpec* NamingCaption(Field value);

// Texts of the implementer's choosing, kept in one place.
extern const char* const QuorvelVersion; // "1.0": caption of ProductVersion
extern const char* const HomePageCaption;
extern const char* const HomePageUrl;
extern const char* const NoticeText; // Notice
extern const char* const CreditText; // the report's credit line

// The credits of the Welcome page, in the order they scroll.
struct CreditRole {
  const char* Role;
  std::vector<const char*> Names;
};
const std::vector<CreditRole>& CreditRoles();

} // namespace qv
