#include "support/EngineFixture.h"

#include "core/GameState.h"
#include "objects/ObjectFactory.h"

void EngineFixture::SetUp() {
  Platform::SetClock(&mClock);
  Engine::Release();
  Engine::ClearListeners();
  Engine::mFactory.DestroyAllObjects();
  Engine::mFactory.DestroyAllArchetypes();
  Flush();
  Engine::Initialize();
  GameState::SetState(STATE_NONE);
  GameState::SetMenuState(MENU_NONE);
}

void EngineFixture::TearDown() {
  Engine::Release();
  Engine::ClearListeners();
  Engine::mFactory.DestroyAllObjects();
  Engine::mFactory.DestroyAllArchetypes();
  Flush();
  Platform::SetClock(nullptr);
}

void EngineFixture::Flush() {
  // Twice: the second broadcast releases the batch the first one kept alive.
  Engine::BroadcastMessages();
  Engine::BroadcastMessages();
}

void RecordingSystem::TransmitQueue(const MessageQueue& messages) {
  System::TransmitQueue(messages);
  std::lock_guard<std::mutex> lock(mQueueMutex);
  while (!mMessageQueue.empty()) {
    queued.push_back(mMessageQueue.front());
    mMessageQueue.pop();
  }
}

void RecordingSystem::Update(float timeStep) {
  updates.push_back(timeStep);
  if (onUpdate) onUpdate(timeStep);
}

int RecordingSystem::Release() {
  if (releaseLog != nullptr) releaseLog->push_back(mName);
  return releaseResult;
}

std::size_t RecordingSystem::CountQueued(MessageType type) const {
  std::size_t count = 0;
  for (const auto& message : queued) count += message->GetMessageId() == type ? 1 : 0;
  return count;
}

std::shared_ptr<Message> MakeQuit() { return std::make_shared<Message>(L"Host", MT_QUIT); }
