#include "reports/ReportOutline.h"

namespace qv {

const char* const ReportFeatureBoxes[9] = {"CheckBoxFPU",         "CheckBoxRDTSC", "CheckBoxMMX",
                                           "CheckBoxExtendedMMX", "CheckBox3DNow", "CheckBoxExtended3DNow",
                                           "CheckBoxSSE",         "CheckBoxSSE2",  "CheckBoxAPIC"};

const char* const LicenceText = "FREEWARE";

const std::vector<TReportSection>& ReportOutline() {
  using K = TReportItemKind;
  static const std::vector<TReportSection> outline = {
      {"[ MY COMPUTER ]",
       "My Computer",
       {{K::riPair, "LabelTComputer", "LabelComputer"},
        {K::riPair, "LabelTBIOSName", "LabelBIOSName"},
        {K::riPair, "LabelTBIOSDate", "LabelBIOSDate"},
        {K::riMemory, "LabelTPhysical"},
        {K::riMemo, "LabelTDrives", "MemoDrives"}}},
      {"[ PROCESSOR ]",
       "Processor",
       {{K::riPair, "LabelTDescription", "LabelDescription"},
        {K::riPair, "LabelTProducer", "LabelProducer"},
        {K::riPair, "LabelTSpeed", "LabelSpeed"},
        {K::riPair, "LabelTType", "LabelType"},
        {K::riPair, "LabelTCPUs", "LabelCPUs"},
        {K::riFeatures, "LabelTFeatures"}}},
      {"[ OPERATING SYSTEM ]",
       "Operating System",
       {{K::riPair, "LabelTOS", "LabelOS"},
        {K::riPair, "LabelTOSCategory", "LabelOSCategory"},
        {K::riVersionBuild, "LabelTVersion", "LabelVersion", "LabelTBuild", "LabelBuild"},
        {K::riPair, "LabelTTitle", "LabelTitle"},
        {K::riPair, "LabelTID", "LabelID"},
        {K::riPair, "LabelTKey", "LabelKey"},
        {K::riPair, "LabelTX", "LabelX"},
        {K::riPair, "LabelTLogin", "LabelLogin"},
        {K::riPair, "LabelTName", "LabelName"},
        {K::riPair, "LabelTCompany", "LabelCompany"},
        {K::riPair, "LabelTTimeZone", "LabelTimeZone"},
        {K::riPair, "LabelTWindows", "LabelWindows"},
        {K::riPair, "LabelTSystem", "LabelSystem"},
        {K::riPair, "LabelTTemp", "LabelTemp"},
        {K::riPair, "LabelTCSD", "LabelCSD"}}},
      {"[ DEVICES ]",
       "Devices",
       {{K::riPair, "LabelTKeyboard", "LabelKeyboard"},
        {K::riPair, "LabelTMouse", "LabelMouse"},
        {K::riMemo, "LabelTPrinter", "MemoPrinter"},
        {K::riMemo, "LabelTPort", "MemoPort"},
        {K::riPair, "LabelTWaveOut", "LabelWaveOut"},
        {K::riPair, "LabelTMidiOut", "LabelMidiOut"},
        {K::riPair, "LabelTMix", "LabelMix"},
        {K::riMemo, "LabelTMedia", "MemoMedia"}}},
      {"[ MORE ... ]",
       "More ...",
       {{K::riPair, "LabelTIP", "LabelIP"},
        {K::riMemo, "LabelTMAC", "MemoMAC"},
        {K::riPair, "LabelTResolution", "LabelResolution"},
        {K::riPair, "LabelTColor", "LabelColor"},
        {K::riMemo, "LabelTAdapter", "MemoAdapter"},
        {K::riMemo, "LabelTMonitor", "MemoMonitor"}}},
      {"[ ABOUT ]",
       "About",
       {{K::riAboutVersion, "Version", "VersionLabel"},
        {K::riCredits, "Credits"},
        {K::riLicence, "Licence"},
        {K::riNotice, "Notice"},
        {K::riHomePage, "Home Page", "HomePageLabel"}}},
  };
  return outline;
}

}  // namespace qv
