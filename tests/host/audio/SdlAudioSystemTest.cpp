// The audible host audio on SDL's dummy driver (no sound card needed): sounds
// posted on the bus start voices that the mixer thread plays out, the log
// keeps its named lines, and stopping all sounds silences every voice. With
// no usable driver it says so once and keeps logging.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "app/Match.h"
#include "audio/SdlAudioSystem.h"
#include "core/GameFlowMessages.h"
#include "support/EngineFixture.h"

namespace {

constexpr std::uint32_t kWaterRising = 0x6F4DE0E1u;
constexpr std::uint32_t kPodLaunched = 0xD38D4949u;
constexpr std::uint32_t kDoorSwitch = 0xFFBB8AE6u;

class SdlAudioSystemTest : public EngineFixture {
 protected:
  void TearDown() override {
    EngineFixture::TearDown();
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  }

  void Start(const char* driver) {
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
    audio = new SdlAudioSystem(match);
    Engine::AddSystem(audio);
    audio->Initialize();
  }

  static void Post(std::uint32_t soundID) {
    Engine::RelayMessage(std::make_shared<PostSoundEventMessage>(L"RoomComponent", soundID, nullptr));
  }

  std::shared_ptr<Match> match = std::make_shared<Match>(HostOptions{}, nullptr);
  SdlAudioSystem* audio = nullptr;
};

TEST_F(SdlAudioSystemTest, PostedSoundsPlayOutOrStopAndKeepTheirNamesInTheLog) {
  Start("dummy");
  ASSERT_TRUE(audio->DeviceOpen());

  Post(kWaterRising);
  Post(kPodLaunched);
  Flush();
  EXPECT_EQ(audio->VoicesPlaying(), 2);
  EXPECT_EQ(match->Log().Count("water rising"), 1u);
  EXPECT_EQ(match->Log().Count("pod launched"), 1u);

  // More sounds than voices: the oldest give way, none is lost to the log.
  for (std::size_t i = 0; i < SdlAudioSystem::kVoices + 4; ++i) Post(kPodLaunched);
  Flush();
  EXPECT_EQ(audio->VoicesPlaying(), static_cast<int>(SdlAudioSystem::kVoices));
  EXPECT_EQ(match->Log().Count("pod launched"), SdlAudioSystem::kVoices + 5);

  Engine::RelayMessage(std::make_shared<StopAllSoundsMessage>(L"Host"));
  Flush();
  EXPECT_EQ(audio->VoicesPlaying(), 0);
  EXPECT_EQ(match->Log().Count("all sounds stop"), 1u);

  // A short sound ends by itself once the mixer has played it out.
  Post(kDoorSwitch);
  Flush();
  for (int waited = 0; waited < 3000 && audio->VoicesPlaying() > 0; waited += 10) SDL_Delay(10);
  EXPECT_EQ(audio->VoicesPlaying(), 0);
  EXPECT_EQ(match->Log().Count("door switch"), 1u);
}

TEST_F(SdlAudioSystemTest, WithoutADeviceItSaysSoOnceAndStillLogsEverySound) {
  Start("no-such-driver");
  EXPECT_FALSE(audio->DeviceOpen());
  EXPECT_EQ(match->Log().Count("no sound device"), 1u);

  Post(kWaterRising);
  Engine::RelayMessage(std::make_shared<StopAllSoundsMessage>(L"Host"));
  Flush();
  EXPECT_EQ(audio->VoicesPlaying(), 0);
  EXPECT_EQ(match->Log().Count("water rising"), 1u);
  EXPECT_EQ(match->Log().Count("all sounds stop"), 1u);
}

}  // namespace
