#pragma once
#include <vector>

#include "fields/Field.h"

namespace qv {

// What one entry of a report section shows. Each report format walks the same outline and
// lays the entries out in its own way.
enum class TReportItemKind {
  riPair,         // a caption label and its value label
  riMemory,       // the caption, with the total-memory text the pass stored (not the live label)
  riMemo,         // the caption as a head, then the memo's non-empty lines
  riFeatures,     // the caption, with the captions of the checked feature boxes
  riVersionBuild, // the version pair and the build pair, one line in the text report
  riAboutVersion, // the About block, which has no captions of its own: "Quorvel v" + the version
  riCredits,
  riLicence,
  riNotice,
  riHomePage, // the home page label's caption, and its link
};

struct TReportItem {
  TReportItemKind Kind;
  Field Caption{};      // the caption field (the About entries have none)
  Field Value{};        // the value field, the memo, or the About entry's label
  Field BuildCaption{}; // riVersionBuild only
  Field BuildValue{};
  const char* AboutName = nullptr; // the name the JSON report gives an About entry
};

struct TReportSection {
  const char* Heading; // "[ MY COMPUTER ]", as the text report heads the section
  const char* Name;    // "My Computer", as the JSON report names the page
  std::vector<TReportItem> Items;
};

// The six sections of every report, in order.
const std::vector<TReportSection>& ReportOutline();

extern const char* const LicenceText; // "FREEWARE"

} // namespace qv
