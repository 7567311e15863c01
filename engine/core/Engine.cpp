#include "core/Engine.h"

#include "core/GameFlowMessages.h"
#include "meta/BasicTypes.h"
#include "objects/ComponentTable.h"
#include "platform/Clock.h"

ObjectFactory Engine::mFactory;
Serializer Engine::mSerializer;
Deserializer Engine::mDeserializer;

float Engine::mTimeStep = 0.0f;
float Engine::mTimeDilation = 0.0f;
std::int64_t Engine::mLastTime = 0;
std::atomic<bool> Engine::mGameActive{false};
std::atomic<bool> Engine::mGameMinimized{false};
std::vector<System*> Engine::mSystems;

namespace {
constexpr float kMinFrameSeconds = 0.0125f;
constexpr std::uint32_t kMinimizedSleepMs = 100;
constexpr float kMinimizedInputStep = 0.1f;

std::int64_t Now() { return Platform::GetClock().Milliseconds(); }
}  // namespace

void Engine::AddSystem(System* system) { mSystems.push_back(system); }

void Engine::Initialize() {
  mTimeDilation = 1.0f;
  mGameActive = true;
  mGameMinimized = false;
  META::RegisterBasicTypes();
  RegisterComponentFactories(mFactory);
  for (System* system : mSystems) {
    if (system != nullptr) system->Initialize();
  }
}

float Engine::GetTimeStep() { return mTimeStep; }

void Engine::GameLoop() {
  mLastTime = Now();
  if (!mGameActive) return;
  do {
    const std::int64_t now = Now();
    mTimeStep = (static_cast<float>(now - mLastTime) / 1000.0f) * mTimeDilation;
    mLastTime = now;

    RelayMessage(std::make_shared<TimeUpdateMessage>(L"Core\\Engine", mTimeStep));
    for (System* system : mSystems) {
      if (system != nullptr) system->Update(mTimeStep);
    }
    BroadcastMessages();

    // Pace to at most 80 frames per second; a slow frame is not made up for.
    const float elapsed = static_cast<float>(Now() - mLastTime) / 1000.0f;
    if (elapsed < kMinFrameSeconds) {
      Platform::GetClock().SleepMilliseconds(static_cast<std::uint32_t>((kMinFrameSeconds - elapsed) * 1000.0f));
    }
    if (mGameMinimized) HackedMinimizedLoop();
  } while (mGameActive);
}

void Engine::HackedMinimizedLoop() {
  for (System* system : mSystems) {
    if (system != nullptr) system->Update(0.0f);
  }
  // Only input keeps running, so that a restore or quit can still arrive.
  while (mGameActive && mGameMinimized) {
    for (System* system : mSystems) {
      if (system != nullptr && system->GetName() == L"Input") system->Update(kMinimizedInputStep);
    }
    BroadcastMessages();
    Platform::GetClock().SleepMilliseconds(kMinimizedSleepMs);
  }
}

int Engine::Release() {
  int result = 0;
  for (auto it = mSystems.rbegin(); it != mSystems.rend(); ++it) {
    System* system = *it;
    if (system == nullptr) continue;
    if (system->Release() != 0) result = -1;
    delete system;
  }
  // The entries would dangle; a later AddSystem starts a fresh list.
  mSystems.clear();
  return result;
}
