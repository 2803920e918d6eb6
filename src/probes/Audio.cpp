#include "probes/Audio.h"

namespace qv {

std::string AudioDeviceText(const std::optional<AudioCaps>& caps) {
  if (!caps) return "";
  return caps->ProductName + " v" + std::to_string((caps->DriverVersion >> 8) & 255) + "." +
         std::to_string(caps->DriverVersion & 255);
}

void GatherAudio(PageFields& fields, AudioSource& audio) {
  fields.SetText(Field::WaveAudio, AudioDeviceText(audio.Capabilities(TAudioKind::akWaveOut)));
  fields.SetText(Field::MidiAudio, AudioDeviceText(audio.Capabilities(TAudioKind::akMidiOut)));
  fields.SetText(Field::Mixer, AudioDeviceText(audio.Capabilities(TAudioKind::akMixer)));
}

} // namespace qv
