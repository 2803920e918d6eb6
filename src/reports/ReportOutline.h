#pragma once
#include <vector>

namespace qv {

// What one entry of a report section shows. Each report format walks the same outline and
// lays the entries out in its own way.
enum class TReportItemKind {
  riPair,          // a caption label and its value label
  riMemory,        // the caption, with the total-memory text the pass stored (not the live label)
  riMemo,          // the caption as a head, then the memo's non-empty lines
  riFeatures,      // the caption, with the captions of the checked feature boxes
  riVersionBuild,  // the version pair and the build pair, one line in the text report
  riAboutVersion,  // the About block, which has no captions of its own: "Quorvel v" + the version
  riCredits,
  riLicence,
  riNotice,
  riHomePage,  // the home page label's caption, and its link
};

struct TReportItem {
  TReportItemKind Kind;
  // The caption field; for the About entries, which have none, the name the JSON report gives them.
  const char* Caption;
  const char* Value = nullptr;         // the value field, the memo, or the About entry's label
  const char* BuildCaption = nullptr;  // riVersionBuild only
  const char* BuildValue = nullptr;
};

struct TReportSection {
  const char* Heading;  // "[ MY COMPUTER ]", as the text report heads the section
  const char* Name;     // "My Computer", as the JSON report names the page
  std::vector<TReportItem> Items;
};

// The six sections of every report, in order.
const std::vector<TReportSection>& ReportOutline();

// The nine feature boxes in the order the Features entry lists them.
extern const char* const ReportFeatureBoxes[9];

extern const char* const LicenceText;  // "FREEWARE"

}  // namespace qv
