#pragma once
#include <SDL_audio.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "audio/AudioSystem.h"
#include "audio/SoundSynth.h"

// Audio that is heard: each sound event plays its synthesized sound on the
// default SDL audio device, mixed from a small pool of voices, and still
// becomes its named line in the event log. Without a usable device it says
// so in one log line and carries on as the headless system.
class SdlAudioSystem : public AudioSystem {
 public:
  static constexpr std::size_t kVoices = 16;
  static constexpr int kSampleRate = 48000;

  explicit SdlAudioSystem(std::shared_ptr<Match> match);
  ~SdlAudioSystem() override;
  void Initialize() override;
  int Release() override;

  [[nodiscard]] bool DeviceOpen() const { return mDevice != 0; }
  // Voices still sounding (the mixer frees each one when its sound ends).
  [[nodiscard]] int VoicesPlaying() const;

 protected:
  void OnMessage(const std::shared_ptr<Message>& message) override;

 private:
  struct Voice {
    std::uint32_t soundID = 0;
    const std::vector<float>* samples = nullptr;
    std::size_t position = 0;
  };

  static void Mix(void* self, Uint8* stream, int bytes);
  void MixInto(float* frames, std::size_t frameCount);
  void Play(std::uint32_t soundID);
  void Seek(std::uint32_t soundID, float percent);
  void StopAll();
  void CloseDevice();
  void NoteNoDevice();

  SDL_AudioDeviceID mDevice = 0;
  bool mSubsystemStarted = false;
  SoundSynth mSynth{kSampleRate};
  // Each sound is rendered once, on first use. Map nodes never move, so the
  // voices can point into them while new sounds are added.
  std::map<std::uint32_t, std::vector<float>> mRendered;
  // Touched by the mixer thread; the game thread changes it only while the device is locked.
  std::array<Voice, kVoices> mVoices{};
};
