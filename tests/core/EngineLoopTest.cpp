// The frame loop as a host drives it: pacing, the minimized loop, quitting and
// shutdown. All timing runs on the fixture's virtual clock.
#include <SDL.h>
#include <gtest/gtest.h>

#include "core/GameFlowMessages.h"
#include "core/WindowMessages.h"
#include "support/EngineFixture.h"

namespace {

class EngineLoopTest : public EngineFixture {
 protected:
  // A system that spends `frameMs` of virtual time per Update and quits after `frames` frames.
  RecordingSystem* AddTimedSystem(std::int64_t frameMs, int frames, const std::wstring& name = L"Recorder") {
    auto* system = new RecordingSystem(name);
    system->onUpdate = [this, system, frameMs, frames](float) {
      mClock.Advance(frameMs);
      if (static_cast<int>(system->updates.size()) == frames) Engine::RelayMessage(MakeQuit());
    };
    Engine::AddSystem(system);
    return system;
  }

  static std::shared_ptr<Message> WindowEvent(std::uint8_t code) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = code;
    return std::make_shared<SDLEventMessage>(L"Input", event);
  }
};

TEST_F(EngineLoopTest, SlowFrameIsNotFollowedBySleepAndFastFrameSleepsTheRest) {
  AddTimedSystem(20, 3);
  Engine::GameLoop();
  EXPECT_EQ(mClock.SleepCount(), 0u);

  Engine::Release();
  Engine::Initialize();
  AddTimedSystem(5, 3);
  const std::int64_t before = mClock.TotalSlept();
  Engine::GameLoop();
  EXPECT_EQ(mClock.SleepCount(), 3u);
  EXPECT_EQ(mClock.LastSleep(), 7u);  // 12.5 - 5 = 7.5, truncated
  EXPECT_EQ(mClock.TotalSlept() - before, 21);
}

TEST_F(EngineLoopTest, TimeStepCarriesThePreviousFrameIncludingItsSleep) {
  std::vector<float> steps;
  Engine::RegisterListener(MT_TIME_UPDATE, Callable(1, [&](const std::shared_ptr<Message>& message) {
                             steps.push_back(static_cast<TimeUpdateMessage&>(*message).GetDT());
                           }));
  RecordingSystem* system = AddTimedSystem(5, 3);
  Engine::GameLoop();
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_FLOAT_EQ(steps[0], 0.0f);
  EXPECT_FLOAT_EQ(steps[1], 0.012f);  // 5 ms of work + 7 ms of sleep
  EXPECT_FLOAT_EQ(steps[2], 0.012f);
  EXPECT_FLOAT_EQ(Engine::GetTimeStep(), 0.012f);
  // Every frame hands its batch to the systems, time update included.
  EXPECT_EQ(system->CountQueued(MT_TIME_UPDATE), 3u);
}

TEST_F(EngineLoopTest, QuitFromAListenerEndsTheLoopAfterThatFrame) {
  int frames = 0;
  Engine::RegisterListener(MT_TIME_UPDATE, Callable(7, [&](const std::shared_ptr<Message>&) {
                             if (++frames == 4) Engine::RelayMessage(MakeQuit());
                           }));
  auto* system = new RecordingSystem();
  Engine::AddSystem(system);
  Engine::GameLoop();
  EXPECT_EQ(frames, 4);
  EXPECT_EQ(system->updates.size(), 4u);
  EXPECT_EQ(mClock.SleepCount(), 4u);  // the quitting frame is still paced
  EXPECT_FALSE(Engine::IsGameActive());
}

TEST_F(EngineLoopTest, ImmediateQuitEndsTheLoopThoughItIsNeverQueued) {
  auto* system = new RecordingSystem();
  system->onUpdate = [system](float) {
    if (system->updates.size() == 2) Engine::ImmediateMessage(MakeQuit());
  };
  Engine::AddSystem(system);
  Engine::GameLoop();
  EXPECT_EQ(system->updates.size(), 2u);
  EXPECT_EQ(system->immediate.size(), 1u);
  EXPECT_EQ(system->CountQueued(MT_QUIT), 0u);
}

TEST_F(EngineLoopTest, LoopWithoutSystemsRunsUntilQuit) {
  int frames = 0;
  Engine::RegisterListener(MT_TIME_UPDATE, Callable(2, [&](const std::shared_ptr<Message>&) {
                             if (++frames == 10) Engine::RelayMessage(MakeQuit());
                           }));
  Engine::GameLoop();
  EXPECT_EQ(frames, 10);
}

TEST_F(EngineLoopTest, GameLoopReturnsAtOnceWhenNotActive) {
  Engine::RelayMessage(MakeQuit());
  auto* system = new RecordingSystem();
  Engine::AddSystem(system);
  Engine::GameLoop();
  EXPECT_TRUE(system->updates.empty());
}

TEST_F(EngineLoopTest, MinimizedLoopRunsOnlyInputUntilFocusReturns) {
  auto* input = new RecordingSystem(L"Input");
  auto* inputish = new RecordingSystem(L"Input2");
  auto* physics = new RecordingSystem(L"Physics");
  int frame = 0;
  int minimizedCycles = 0;
  input->onUpdate = [&](float step) {
    if (Engine::IsGameMinimized()) {
      if (step == 0.1f && ++minimizedCycles == 3) Engine::RelayMessage(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
      return;
    }
    ++frame;
    if (frame == 1) Engine::RelayMessage(WindowEvent(SDL_WINDOWEVENT_MINIMIZED));
    if (frame == 2) Engine::RelayMessage(MakeQuit());
  };
  Engine::AddSystem(input);
  Engine::AddSystem(inputish);
  Engine::AddSystem(physics);
  Engine::GameLoop();

  EXPECT_EQ(minimizedCycles, 3);
  EXPECT_FALSE(Engine::IsGameMinimized());
  // Physics: first frame, exactly one Update(0.0) on minimizing, then the last frame.
  ASSERT_EQ(physics->updates.size(), 3u);
  EXPECT_EQ(physics->updates[1], 0.0f);
  EXPECT_EQ(std::count(inputish->updates.begin(), inputish->updates.end(), 0.1f), 0);
  EXPECT_EQ(std::count(input->updates.begin(), input->updates.end(), 0.1f), 3);
  // Restoring after minimizing asks the host to pause.
  EXPECT_EQ(physics->CountQueued(MT_PAUSE), 1u);
}

TEST_F(EngineLoopTest, ReleaseGoesInReverseOrderAndReportsAnyFailure) {
  std::vector<std::wstring> log;
  for (const wchar_t* name : {L"A", L"B", L"C"}) {
    auto* system = new RecordingSystem(name);
    system->releaseLog = &log;
    system->releaseResult = std::wstring(name) == L"B" ? 3 : 0;
    Engine::AddSystem(system);
  }
  EXPECT_EQ(Engine::Release(), -1);
  EXPECT_EQ(log, (std::vector<std::wstring>{L"C", L"B", L"A"}));
  EXPECT_TRUE(Engine::GetSystems().empty());
  EXPECT_EQ(Engine::Release(), 0);
}

TEST_F(EngineLoopTest, InitializeStartsSystemsAddedBeforeIt) {
  struct Counting : RecordingSystem {
    int initialized = 0;
    void Initialize() override { ++initialized; }
  };
  auto* system = new Counting();
  Engine::AddSystem(system);
  Engine::Initialize();
  EXPECT_EQ(system->initialized, 1);
  EXPECT_TRUE(Engine::IsGameActive());
}

}  // namespace
