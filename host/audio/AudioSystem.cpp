#include "audio/AudioSystem.h"

#include <cstdio>

#include "app/HostListener.h"
#include "app/Match.h"
#include "audio/SoundCatalogue.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"

namespace {

constexpr MessageType kListenedTypes[] = {MT_POST_SOUND_EVENT, MT_SOUND_RTPC, MT_SEEK_SOUND_EVENT, MT_STOP_ALL_SOUNDS};

Callable ListenerFor(MessageType type, std::function<void(const std::shared_ptr<Message>&)> handler) {
  return Callable(HostListenerID(HostListenerOwner::Audio, static_cast<std::uint32_t>(type)), std::move(handler));
}

}  // namespace

AudioSystem::AudioSystem(std::shared_ptr<Match> match) : System(L"Audio"), mMatch(std::move(match)) {}

void AudioSystem::Initialize() {
  for (const MessageType type : kListenedTypes) {
    Engine::RegisterListener(
        type, ListenerFor(type, [this](const std::shared_ptr<Message>& message) { OnMessage(message); }));
  }
}

void AudioSystem::Update(float /*timeStep*/) {}

int AudioSystem::Release() {
  for (const MessageType type : kListenedTypes) Engine::UnregisterListener(type, ListenerFor(type, nullptr));
  return 0;
}

std::string AudioSystem::SoundName(std::uint32_t soundID) {
  if (const CataloguedSound* sound = SoundCatalogue::Find(soundID)) return sound->name;
  char text[32];
  std::snprintf(text, sizeof text, "sound 0x%08X", soundID);
  return text;
}

void AudioSystem::OnMessage(const std::shared_ptr<Message>& message) {
  switch (message->GetMessageId()) {
    case MT_POST_SOUND_EVENT:
      ++mPlayed;
      mMatch->Note("sound", SoundName(static_cast<const PostSoundEventMessage&>(*message).GetSoundID()));
      break;
    case MT_STOP_ALL_SOUNDS:
      mMatch->Note("sound", "all sounds stop");
      break;
    default:
      // Parameters and seeks change nothing that can be heard in a log.
      break;
  }
}
