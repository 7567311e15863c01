// Relaying from other threads while the game loop broadcasts: every message
// arrives exactly once, at the systems and at the listeners. Also run under
// ThreadSanitizer (`make tsan`).
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/GameFlowMessages.h"
#include "core/MessagePool.h"
#include "core/RenderMessages.h"
#include "support/EngineFixture.h"

namespace {

constexpr int kThreads = 4;
constexpr int kPerThread = 2000;

class BusThreadsTest : public EngineFixture {};

TEST_F(BusThreadsTest, RelayFromManyThreadsDuringTheLoopLosesAndDuplicatesNothing) {
  auto* system = new RecordingSystem();
  Engine::AddSystem(system);

  std::multiset<ObjectID> heard;
  std::atomic<int> finished{0};
  Engine::RegisterListener(MT_GAME_EVENT, Callable(1, [&](const std::shared_ptr<Message>& message) {
                             heard.insert(static_cast<GameEventMessage&>(*message).GetObjectID());
                             // Listener traffic mixes with the threads' traffic.
                             if (heard.size() % 500 == 0)
                               Engine::RelayMessage(std::make_shared<TimeUpdateMessage>(L"Test", 0.0f));
                           }));
  // Quit only once every thread is done and its messages have been delivered.
  Engine::RegisterListener(MT_TIME_UPDATE, Callable(2, [&](const std::shared_ptr<Message>&) {
                             if (finished.load() == kThreads && heard.size() == kThreads * kPerThread) {
                               Engine::RelayMessage(MakeQuit());
                             }
                           }));

  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &finished] {
      for (int i = 0; i < kPerThread; ++i) {
        Engine::RelayMessage(
            std::make_shared<GameEventMessage>(L"Worker", "tick", static_cast<ObjectID>(t * kPerThread + i)));
        if (i % 64 == 0) std::this_thread::yield();
      }
      finished.fetch_add(1);
    });
  }
  Engine::GameLoop();
  for (auto& thread : threads) thread.join();
  EngineFixture::Flush();

  ASSERT_EQ(heard.size(), static_cast<std::size_t>(kThreads * kPerThread));
  for (ObjectID id = 0; id < kThreads * kPerThread; ++id) ASSERT_EQ(heard.count(id), 1u) << id;
  // Systems get what was queued before a broadcast began; what arrived while
  // listeners ran joined that broadcast for the listeners only.
  std::multiset<ObjectID> seenBySystem;
  for (const auto& message : system->queued) {
    if (message->GetMessageId() == MT_GAME_EVENT) {
      seenBySystem.insert(static_cast<const GameEventMessage&>(*message).GetObjectID());
    }
  }
  for (ObjectID id : seenBySystem) ASSERT_EQ(seenBySystem.count(id), 1u) << id;
}

TEST_F(BusThreadsTest, ARelayFromAnotherThreadDuringDeliveryJoinsTheBatchInRelayOrder) {
  auto* system = new RecordingSystem();
  Engine::AddSystem(system);
  std::vector<std::string> heard;
  Engine::RegisterListener(MT_GAME_EVENT, Callable(1, [&](const std::shared_ptr<Message>& message) {
                             const std::string text = static_cast<GameEventMessage&>(*message).GetEventText();
                             heard.push_back(text);
                             if (text != "first") return;
                             std::thread([] {
                               Engine::RelayMessage(std::make_shared<GameEventMessage>(L"Worker", "from worker", 0u));
                             }).join();
                             Engine::RelayMessage(std::make_shared<GameEventMessage>(L"Test", "from listener", 0u));
                           }));
  for (const char* text : {"first", "second"})
    Engine::RelayMessage(std::make_shared<GameEventMessage>(L"Test", text, 0u));
  Engine::BroadcastMessages();
  EXPECT_EQ(heard, (std::vector<std::string>{"first", "second", "from worker", "from listener"}));
  EXPECT_EQ(system->queued.size(), 2u);
  Engine::BroadcastMessages();
  EXPECT_EQ(heard.size(), 4u);
  EXPECT_EQ(system->queued.size(), 2u);
}

TEST_F(BusThreadsTest, QuitRelayedFromAnotherThreadEndsTheLoop) {
  std::atomic<int> frames{0};
  Engine::RegisterListener(MT_TIME_UPDATE, Callable(1, [&](const std::shared_ptr<Message>&) { ++frames; }));
  std::thread quitter([&] {
    while (frames.load() < 5) std::this_thread::yield();
    Engine::RelayMessage(MakeQuit());
  });
  Engine::GameLoop();
  quitter.join();
  EXPECT_GE(frames.load(), 5);
}

// The library's notices come from per-thread stores of blocks. Blocks freed
// on a thread other than the one that made them, or left by threads that
// ended, serve later messages whole, and no block serves two at once.
TEST_F(BusThreadsTest, PooledMessagesFreedOnOtherThreadsServeLaterOnesWholeAndOnce) {
  using Made = std::vector<std::shared_ptr<LoadResourceMessage>>;
  const auto make = [](const std::string& name) {
    return MessagePool::Make<LoadResourceMessage>(L"Test", RT_MODEL, name);
  };
  Made handed;
  for (int i = 0; i < kPerThread; ++i) handed.push_back(make("loop " + std::to_string(i)));
  std::vector<Made> made(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = t; i < kPerThread; i += kThreads) handed[static_cast<std::size_t>(i)].reset();
      for (int i = 0; i < kPerThread; ++i)
        made[static_cast<std::size_t>(t)].push_back(make(std::to_string(t) + "/" + std::to_string(i)));
    });
  }
  for (std::thread& thread : threads) thread.join();
  Made later;
  for (int i = 0; i < kThreads * kPerThread; ++i) later.push_back(make("later " + std::to_string(i)));

  std::set<const void*> storage;
  for (int t = 0; t < kThreads; ++t) {
    for (int i = 0; i < kPerThread; ++i) {
      const auto& message = made[static_cast<std::size_t>(t)][static_cast<std::size_t>(i)];
      EXPECT_EQ(message->GetName(), std::to_string(t) + "/" + std::to_string(i));
      storage.insert(message.get());
    }
  }
  for (int i = 0; i < kThreads * kPerThread; ++i) {
    EXPECT_EQ(later[static_cast<std::size_t>(i)]->GetName(), "later " + std::to_string(i));
    storage.insert(later[static_cast<std::size_t>(i)].get());
  }
  EXPECT_EQ(storage.size(), static_cast<std::size_t>(2 * kThreads * kPerThread));
}

}  // namespace
