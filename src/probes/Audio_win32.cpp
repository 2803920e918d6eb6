#include <cstring>

#include "probes/Audio.h"
#include "ui/Win.h"

// clang-format off: these need the types of ui/Win.h before them
#include <mmsystem.h>
// clang-format on

namespace qv {

namespace {

// The product name is 32 characters, zero-terminated when shorter; never read past it.
template <std::size_t N>
std::string NameText(const char (&name)[N]) {
  return std::string(name, strnlen(name, N));
}

// The first device's capabilities, in the structure of its kind.
template <typename Caps, typename Query>
std::optional<AudioCaps> FirstDevice(Query query) {
  Caps caps;
  std::memset(&caps, 0, sizeof caps);
  if (query(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return std::nullopt;
  return AudioCaps{caps.vDriverVersion, NameText(caps.szPname)};
}

static_assert(sizeof(WAVEOUTCAPSA) == 52 && sizeof(MIDIOUTCAPSA) == 52 && sizeof(MIXERCAPSA) == 48);

class WindowsAudioSource : public AudioSource {
public:
  std::optional<AudioCaps> Capabilities(TAudioKind kind) override {
    switch (kind) {
      case TAudioKind::akWaveOut:
        return FirstDevice<WAVEOUTCAPSA>(waveOutGetDevCapsA);
      case TAudioKind::akMidiOut:
        return FirstDevice<MIDIOUTCAPSA>(midiOutGetDevCapsA);
      case TAudioKind::akMixer:
        return FirstDevice<MIXERCAPSA>(mixerGetDevCapsA);
    }
    return std::nullopt;
  }
};

} // namespace

std::unique_ptr<AudioSource> MakeWindowsAudioSource() { return std::make_unique<WindowsAudioSource>(); }

} // namespace qv
