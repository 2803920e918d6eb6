#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "fields/PageFields.h"

namespace qv {

enum class TAudioKind { akWaveOut, akMidiOut, akMixer };

// Device 0's capabilities as the platform gives them.
struct AudioCaps {
  uint32_t DriverVersion = 0;
  std::string ProductName;
};

class AudioSource {
public:
  virtual ~AudioSource() = default;
  // Nothing when the call returns any error (no device, among others).
  virtual std::optional<AudioCaps> Capabilities(TAudioKind kind) = 0;
};

// "SB16 Wave Out v4.0"; empty for no device.
std::string AudioDeviceText(const std::optional<AudioCaps>& caps);
// LabelWaveOut, LabelMidiOut, LabelMix.
void GatherAudio(PageFields& fields, AudioSource& audio);

std::unique_ptr<AudioSource> MakeWindowsAudioSource();

} // namespace qv
