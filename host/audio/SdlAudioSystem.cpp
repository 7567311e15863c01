#include "audio/SdlAudioSystem.h"

#include <SDL.h>

#include <algorithm>
#include <string>

#include "app/Match.h"
#include "core/GameFlowMessages.h"

namespace {

constexpr int kChannels = 2;
// About 10 ms a buffer: sounds start within a frame of being posted.
constexpr Uint16 kBufferFrames = 512;
// Headroom for several sounds at once before the clamp.
constexpr float kMasterGain = 0.6f;

}  // namespace

SdlAudioSystem::SdlAudioSystem(std::shared_ptr<Match> match) : AudioSystem(std::move(match)) {}

SdlAudioSystem::~SdlAudioSystem() { CloseDevice(); }

void SdlAudioSystem::Initialize() {
  AudioSystem::Initialize();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    NoteNoDevice();
    return;
  }
  mSubsystemStarted = true;
  SDL_AudioSpec wanted{};
  wanted.freq = kSampleRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = kChannels;
  wanted.samples = kBufferFrames;
  wanted.callback = &SdlAudioSystem::Mix;
  wanted.userdata = this;
  // No changes allowed: SDL converts to whatever the device wants, and the mixer stays simple.
  mDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (mDevice == 0) {
    NoteNoDevice();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    mSubsystemStarted = false;
    return;
  }
  SDL_PauseAudioDevice(mDevice, 0);
}

void SdlAudioSystem::NoteNoDevice() {
  mMatch->Note("audio", std::string("no sound device (") + SDL_GetError() + "), playing silently");
}

int SdlAudioSystem::Release() {
  const int result = AudioSystem::Release();
  CloseDevice();
  return result;
}

void SdlAudioSystem::CloseDevice() {
  // Closing waits for the mixer thread, so nothing touches the voices afterwards.
  if (mDevice != 0) SDL_CloseAudioDevice(mDevice);
  mDevice = 0;
  mVoices = {};
  if (mSubsystemStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  mSubsystemStarted = false;
}

int SdlAudioSystem::VoicesPlaying() const {
  if (mDevice == 0) return 0;
  SDL_LockAudioDevice(mDevice);
  const auto playing = std::count_if(mVoices.begin(), mVoices.end(), [](const Voice& v) { return v.samples; });
  SDL_UnlockAudioDevice(mDevice);
  return static_cast<int>(playing);
}

void SdlAudioSystem::OnMessage(const std::shared_ptr<Message>& message) {
  AudioSystem::OnMessage(message);
  if (mDevice == 0) return;
  switch (message->GetMessageId()) {
    case MT_POST_SOUND_EVENT:
      Play(static_cast<const PostSoundEventMessage&>(*message).GetSoundID());
      break;
    case MT_SEEK_SOUND_EVENT: {
      const auto& seek = static_cast<const SeekSoundEventMessage&>(*message);
      Seek(seek.GetSoundID(), seek.GetPercent());
      break;
    }
    case MT_STOP_ALL_SOUNDS:
      StopAll();
      break;
    default:
      // No sound here has a named parameter to set.
      break;
  }
}

void SdlAudioSystem::Play(std::uint32_t soundID) {
  auto rendered = mRendered.find(soundID);
  if (rendered == mRendered.end()) rendered = mRendered.emplace(soundID, mSynth.Render(soundID)).first;

  SDL_LockAudioDevice(mDevice);
  // A free voice, or else the one furthest through its sound: cutting the
  // tail of an old sound is heard least.
  Voice* chosen = &mVoices[0];
  for (Voice& voice : mVoices) {
    if (!voice.samples) {
      chosen = &voice;
      break;
    }
    if (voice.position * chosen->samples->size() > chosen->position * voice.samples->size()) chosen = &voice;
  }
  *chosen = Voice{soundID, &rendered->second, 0};
  SDL_UnlockAudioDevice(mDevice);
}

void SdlAudioSystem::Seek(std::uint32_t soundID, float percent) {
  // Not a number counts as the start; anything outside 0-100 is held to it.
  const double share = percent > 0.0f ? std::min(static_cast<double>(percent), 100.0) / 100.0 : 0.0;
  SDL_LockAudioDevice(mDevice);
  for (Voice& voice : mVoices) {
    if (voice.samples && voice.soundID == soundID) {
      voice.position = static_cast<std::size_t>(share * static_cast<double>(voice.samples->size()));
    }
  }
  SDL_UnlockAudioDevice(mDevice);
}

void SdlAudioSystem::StopAll() {
  SDL_LockAudioDevice(mDevice);
  mVoices = {};
  SDL_UnlockAudioDevice(mDevice);
}

void SdlAudioSystem::Mix(void* self, Uint8* stream, int bytes) {
  const auto frameCount = static_cast<std::size_t>(bytes) / (sizeof(float) * kChannels);
  static_cast<SdlAudioSystem*>(self)->MixInto(reinterpret_cast<float*>(stream), frameCount);
}

void SdlAudioSystem::MixInto(float* frames, std::size_t frameCount) {
  std::fill(frames, frames + frameCount * kChannels, 0.0f);
  for (Voice& voice : mVoices) {
    if (!voice.samples) continue;
    const std::vector<float>& samples = *voice.samples;
    const std::size_t count = std::min(frameCount, samples.size() - std::min(voice.position, samples.size()));
    for (std::size_t i = 0; i < count; ++i) {
      const float sample = kMasterGain * samples[voice.position + i];
      frames[i * kChannels] += sample;
      frames[i * kChannels + 1] += sample;
    }
    voice.position += count;
    if (voice.position >= samples.size()) voice = Voice{};
  }
  for (std::size_t i = 0; i < frameCount * kChannels; ++i) frames[i] = std::clamp(frames[i], -1.0f, 1.0f);
}
