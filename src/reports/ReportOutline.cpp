#include "reports/ReportOutline.h"

namespace qv {

const char* const LicenceText = "FREEWARE";

const std::vector<TReportSection>& ReportOutline() {
  using K = TReportItemKind;
  static const std::vector<TReportSection> outline = {
      {"[ MY COMPUTER ]",
       "My Computer",
       {{K::riPair, Field::ComputerNameCaption, Field::ComputerName},
        {K::riPair, Field::BiosTypeCaption, Field::BiosType},
        {K::riPair, Field::BiosDateCaption, Field::BiosDate},
        {K::riMemory, Field::MemoryCaption},
        {K::riMemo, Field::DrivesCaption, Field::Drives}}},
      {"[ PROCESSOR ]",
       "Processor",
       {{K::riPair, Field::CpuDescriptionCaption, Field::CpuDescription},
        {K::riPair, Field::CpuVendorCaption, Field::CpuVendor},
        {K::riPair, Field::CpuSpeedCaption, Field::CpuSpeed},
        {K::riPair, Field::CpuTypeCaption, Field::CpuType},
        {K::riPair, Field::CpuCountCaption, Field::CpuCount},
        {K::riFeatures, Field::FeaturesCaption}}},
      {"[ OPERATING SYSTEM ]",
       "Operating System",
       {{K::riPair, Field::OsDescriptionCaption, Field::OsDescription},
        {K::riPair, Field::PlatformCaption, Field::Platform},
        {K::riVersionBuild, Field::OsVersionCaption, Field::OsVersion, Field::OsBuildCaption, Field::OsBuild},
        {K::riPair, Field::OsTitleCaption, Field::OsTitle},
        {K::riPair, Field::ProductIdCaption, Field::ProductId},
        {K::riPair, Field::ProductKeyCaption, Field::ProductKey},
        {K::riPair, Field::DirectXCaption, Field::DirectX},
        {K::riPair, Field::LoginNameCaption, Field::LoginName},
        {K::riPair, Field::RegisteredNameCaption, Field::RegisteredName},
        {K::riPair, Field::CompanyCaption, Field::Company},
        {K::riPair, Field::TimeZoneCaption, Field::TimeZone},
        {K::riPair, Field::WindowsPathCaption, Field::WindowsPath},
        {K::riPair, Field::SystemPathCaption, Field::SystemPath},
        {K::riPair, Field::TempPathCaption, Field::TempPath},
        {K::riPair, Field::ServicePackCaption, Field::ServicePack}}},
      {"[ DEVICES ]",
       "Devices",
       {{K::riPair, Field::KeyboardCaption, Field::Keyboard},
        {K::riPair, Field::MouseCaption, Field::Mouse},
        {K::riMemo, Field::PrintersCaption, Field::Printers},
        {K::riMemo, Field::PortsCaption, Field::Ports},
        {K::riPair, Field::WaveAudioCaption, Field::WaveAudio},
        {K::riPair, Field::MidiAudioCaption, Field::MidiAudio},
        {K::riPair, Field::MixerCaption, Field::Mixer},
        {K::riMemo, Field::MediaCaption, Field::Media}}},
      {"[ MORE ... ]",
       "More ...",
       {{K::riPair, Field::LocalIpCaption, Field::LocalIp},
        {K::riMemo, Field::MacAddressesCaption, Field::MacAddresses},
        {K::riPair, Field::ResolutionCaption, Field::Resolution},
        {K::riPair, Field::ColoursCaption, Field::Colours},
        {K::riMemo, Field::VideoAdaptersCaption, Field::VideoAdapters},
        {K::riMemo, Field::MonitorsCaption, Field::Monitors}}},
      {"[ ABOUT ]",
       "About",
       {{.Kind = K::riAboutVersion, .Value = Field::ProductVersion, .AboutName = "Version"},
        {.Kind = K::riCredits, .AboutName = "Credits"},
        {.Kind = K::riLicence, .AboutName = "Licence"},
        {.Kind = K::riNotice, .AboutName = "Notice"},
        {.Kind = K::riHomePage, .Value = Field::HomePage, .AboutName = "Home Page"}}},
  };
  return outline;
}

} // namespace qv
