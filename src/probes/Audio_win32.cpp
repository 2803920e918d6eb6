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

class WindowsAudioSource : public AudioSource {
public:
  std::optional<AudioCaps> Capabilities(TAudioKind kind) override {
    switch (kind) {
      case TAudioKind::akWaveOut: {
        WAVEOUTCAPSA caps;
        static_assert(sizeof caps == 52);
        std::memset(&caps, 0, sizeof caps);
        if (waveOutGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return std::nullopt;
        return AudioCaps{caps.vDriverVersion, NameText(caps.szPname)};
      }
      case TAudioKind::akMidiOut: {
        MIDIOUTCAPSA caps;
        static_assert(sizeof caps == 52);
        std::memset(&caps, 0, sizeof caps);
        if (midiOutGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return std::nullopt;
        return AudioCaps{caps.vDriverVersion, NameText(caps.szPname)};
      }
      case TAudioKind::akMixer: {
        MIXERCAPSA caps;
        static_assert(sizeof caps == 48);
        std::memset(&caps, 0, sizeof caps);
        if (mixerGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return std::nullopt;
        return AudioCaps{caps.vDriverVersion, NameText(caps.szPname)};
      }
    }
    return std::nullopt;
  }
};

} // namespace

std::unique_ptr<AudioSource> MakeWindowsAudioSource() { return std::make_unique<WindowsAudioSource>(); }

} // namespace qv
