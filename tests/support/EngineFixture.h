#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Engine.h"
#include "core/Message.h"
#include "core/System.h"
#include "platform/Clock.h"

// Every test that touches the engine derives from this fixture. The engine is
// process-wide static state, so SetUp brings it to a known start: no systems,
// no listeners, no queued messages, no objects or archetypes, game state 0,
// and a virtual clock (sleeps advance it at once). Counters that only grow
// (object ids, component ids) are not reset: tests compare before and after.
class EngineFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Delivers everything queued so far (and drops the previous batch).
  static void Flush();

  Platform::VirtualClock mClock{1'000'000};
};

// A host system that records what the engine hands it.
class RecordingSystem : public System {
 public:
  explicit RecordingSystem(const std::wstring& name = L"Recorder") : System(name) {}

  void TransmitMessage(std::shared_ptr<Message> message) override { immediate.push_back(std::move(message)); }
  void TransmitQueue(const MessageQueue& messages) override;
  void Update(float timeStep) override;
  int Release() override;

  // Messages of every batch handed over, in order.
  std::vector<std::shared_ptr<const Message>> queued;
  std::vector<std::shared_ptr<Message>> immediate;
  std::vector<float> updates;
  int releaseResult = 0;
  std::function<void(float)> onUpdate;
  // Shared log of release order across systems (names), if set.
  std::vector<std::wstring>* releaseLog = nullptr;

  [[nodiscard]] std::size_t CountQueued(MessageType type) const;
};

// The quit message a host sends to end the game.
std::shared_ptr<Message> MakeQuit();
