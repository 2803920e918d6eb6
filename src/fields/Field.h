#pragma once
#include <cstdint>

namespace qv {

// Every control of the pages that the program reads or writes, by its role. The field inventory
// holds each one's design values, in this order.
#define QV_PAGE_FIELDS(X)  \
  X(ProductName)           \
  X(ProductVersion)        \
  X(CreditsViewport)       \
  X(CreditsList)           \
  X(ComputerNameCaption)   \
  X(ComputerName)          \
  X(NumLockBox)            \
  X(CapsLockBox)           \
  X(ScrollLockBox)         \
  X(InsertBox)             \
  X(BiosTypeCaption)       \
  X(BiosType)              \
  X(BiosDateCaption)       \
  X(BiosDate)              \
  X(MemoryCaption)         \
  X(Memory)                \
  X(MemoryBar)             \
  X(TimeCaption)           \
  X(Time)                  \
  X(DateCaption)           \
  X(Date)                  \
  X(DrivesCaption)         \
  X(Drives)                \
  X(CpuDescriptionCaption) \
  X(CpuDescription)        \
  X(CpuVendorCaption)      \
  X(CpuVendor)             \
  X(CpuSpeedCaption)       \
  X(CpuSpeed)              \
  X(CpuTypeCaption)        \
  X(CpuType)               \
  X(CpuCountCaption)       \
  X(CpuCount)              \
  X(FeaturesCaption)       \
  X(FpuBox)                \
  X(MmxBox)                \
  X(ExtendedMmxBox)        \
  X(RdtscBox)              \
  X(ThreeDNowBox)          \
  X(ExtendedThreeDNowBox)  \
  X(ApicBox)               \
  X(SseBox)                \
  X(Sse2Box)               \
  X(UsageCaption)          \
  X(LoadBar1)              \
  X(LoadBar2)              \
  X(OsDescriptionCaption)  \
  X(OsDescription)         \
  X(PlatformCaption)       \
  X(Platform)              \
  X(OsVersionCaption)      \
  X(OsVersion)             \
  X(OsTitleCaption)        \
  X(OsTitle)               \
  X(OsBuildCaption)        \
  X(OsBuild)               \
  X(ProductIdCaption)      \
  X(ProductId)             \
  X(ProductKeyCaption)     \
  X(ProductKey)            \
  X(DirectXCaption)        \
  X(DirectX)               \
  X(LoginNameCaption)      \
  X(LoginName)             \
  X(RegisteredNameCaption) \
  X(RegisteredName)        \
  X(CompanyCaption)        \
  X(Company)               \
  X(TimeZoneCaption)       \
  X(TimeZone)              \
  X(WindowsPathCaption)    \
  X(WindowsPath)           \
  X(SystemPathCaption)     \
  X(SystemPath)            \
  X(TempPathCaption)       \
  X(TempPath)              \
  X(ServicePackCaption)    \
  X(ServicePack)           \
  X(KeyboardCaption)       \
  X(Keyboard)              \
  X(MouseCaption)          \
  X(Mouse)                 \
  X(PrintersCaption)       \
  X(Printers)              \
  X(PortsCaption)          \
  X(Ports)                 \
  X(WaveAudioCaption)      \
  X(WaveAudio)             \
  X(MidiAudioCaption)      \
  X(MidiAudio)             \
  X(MixerCaption)          \
  X(Mixer)                 \
  X(MediaCaption)          \
  X(Media)                 \
  X(LocalIpCaption)        \
  X(LocalIp)               \
  X(MacAddressesCaption)   \
  X(MacAddresses)          \
  X(ResolutionCaption)     \
  X(Resolution)            \
  X(ColoursCaption)        \
  X(Colours)               \
  X(VideoAdaptersCaption)  \
  X(VideoAdapters)         \
  X(MonitorsCaption)       \
  X(Monitors)              \
  X(Notice)                \
  X(HomePage)

enum class Field : uint8_t {
#define QV_FIELD_ENUM(name) name,
  QV_PAGE_FIELDS(QV_FIELD_ENUM)
#undef QV_FIELD_ENUM
};

constexpr int FieldCount = 0
#define QV_FIELD_COUNT(name) +1
    QV_PAGE_FIELDS(QV_FIELD_COUNT)
#undef QV_FIELD_COUNT
    ;

// The role's name, for messages ("ComputerName").
const char* FieldName(Field field);

} // namespace qv
