// Delivery rules of the message bus as hosts and components rely on them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/GameFlowMessages.h"
#include "core/WindowMessages.h"
#include "support/EngineFixture.h"

namespace {

std::shared_ptr<Message> Event(const std::string& text, ObjectID id = 0) {
  return std::make_shared<GameEventMessage>(L"Test", text, id);
}

std::string TextOf(const std::shared_ptr<const Message>& message) {
  return static_cast<const GameEventMessage&>(*message).GetEventText();
}

class BusTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    system = new RecordingSystem();
    Engine::AddSystem(system);
  }

  // Records the texts of game events as listener `id` sees them.
  Callable Recorder(ListenerID id, std::vector<std::string>& log) {
    return Callable(id, [&log](const std::shared_ptr<Message>& message) { log.push_back(TextOf(message)); });
  }

  RecordingSystem* system = nullptr;
};

TEST_F(BusTest, UnheardMessageStillReachesSystems) {
  Engine::RelayMessage(Event("nobody listens"));
  Engine::BroadcastMessages();
  ASSERT_EQ(system->queued.size(), 1u);
  EXPECT_EQ(TextOf(system->queued[0]), "nobody listens");
}

TEST_F(BusTest, ListenerRelayedMessageIsDeliveredInTheSameBroadcastButNotToSystems) {
  std::vector<std::string> log;
  Engine::RegisterListener(MT_GAME_EVENT, Callable(1, [&](const std::shared_ptr<Message>& message) {
                             const std::string text = TextOf(message);
                             log.push_back(text);
                             if (text == "open door") Engine::RelayMessage(Event("door opened"));
                           }));
  Engine::RelayMessage(Event("open door"));
  Engine::RelayMessage(Event("second"));
  Engine::BroadcastMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"open door", "second", "door opened"}));
  ASSERT_EQ(system->queued.size(), 2u);

  // Nor does it turn up in the next batch.
  Engine::BroadcastMessages();
  EXPECT_EQ(system->queued.size(), 2u);
}

TEST_F(BusTest, RegistrationDuringDeliveryTakesEffectFromTheNextMessage) {
  std::vector<std::string> late;
  bool registered = false;
  Engine::RegisterListener(MT_GAME_EVENT, Callable(1, [&](const std::shared_ptr<Message>&) {
                             if (!registered) {
                               registered = true;
                               Engine::RegisterListener(MT_GAME_EVENT, Recorder(2, late));
                             }
                           }));
  Engine::RelayMessage(Event("first"));
  Engine::RelayMessage(Event("second"));
  Engine::BroadcastMessages();
  EXPECT_EQ(late, (std::vector<std::string>{"second"}));
}

TEST_F(BusTest, UnregisteredDuringDeliveryIsStillCalledForThatMessageOnly) {
  std::vector<std::string> log;
  const Callable victim = Recorder(2, log);
  Engine::RegisterListener(MT_GAME_EVENT, Callable(1, [&](const std::shared_ptr<Message>&) {
                             Engine::UnregisterListener(MT_GAME_EVENT, victim);
                           }));
  Engine::RegisterListener(MT_GAME_EVENT, victim);
  Engine::RelayMessage(Event("first"));
  Engine::RelayMessage(Event("second"));
  Engine::BroadcastMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"first"}));
}

TEST_F(BusTest, DuplicateRegistrationIsCalledTwiceAndOneUnregisterRemovesBoth) {
  std::vector<std::string> log;
  Engine::RegisterListener(MT_GAME_EVENT, Recorder(5, log));
  Engine::RegisterListener(MT_GAME_EVENT, Recorder(5, log));
  Engine::ImmediateMessage(Event("twice"));
  EXPECT_EQ(log.size(), 2u);

  // Equal ids are equal listeners, whatever their functions.
  Engine::UnregisterListener(MT_GAME_EVENT, Callable(5, nullptr));
  Engine::ImmediateMessage(Event("gone"));
  EXPECT_EQ(log.size(), 2u);
  // Unknown types and ids are ignored.
  Engine::UnregisterListener(MT_PHYSICS, Callable(5, nullptr));
  Engine::UnregisterListener(MT_GAME_EVENT, Callable(99, nullptr));
}

TEST_F(BusTest, MessagesReachOnlyListenersOfTheirOwnType) {
  int collisions = 0;
  Engine::RegisterListener(MT_COLLISION, Callable(1, [&](const std::shared_ptr<Message>&) { ++collisions; }));
  Engine::ImmediateMessage(Event("not a collision"));
  EXPECT_EQ(collisions, 0);
}

TEST_F(BusTest, ImmediateMessageGoesToSystemsThenListenersAtOnce) {
  std::vector<std::string> log;
  Engine::RegisterListener(MT_GAME_EVENT, Callable(1, [&](const std::shared_ptr<Message>&) {
                             log.push_back(system->immediate.empty() ? "listener first" : "system first");
                           }));
  Engine::ImmediateMessage(Event("now"));
  EXPECT_EQ(log, (std::vector<std::string>{"system first"}));
  EXPECT_TRUE(system->queued.empty());
}

TEST_F(BusTest, EmptyListenerFunctionThrowsBadFunctionCall) {
  Engine::RegisterListener(MT_GAME_EVENT, Callable(1, nullptr));
  EXPECT_THROW(Engine::ImmediateMessage(Event("boom")), std::bad_function_call);
  // The bus is still usable afterwards.
  Engine::UnregisterListener(MT_GAME_EVENT, Callable(1, nullptr));
  EXPECT_NO_THROW(Engine::ImmediateMessage(Event("fine")));
}

TEST_F(BusTest, AThrowingListenerLeavesItsMessageAndTheRestQueuedForTheNextBroadcast) {
  std::vector<std::string> log;
  bool thrown = false;
  Engine::RegisterListener(MT_GAME_EVENT, Callable(1, [&](const std::shared_ptr<Message>& message) {
                             const std::string text = TextOf(message);
                             log.push_back(text);
                             if (text == "first") Engine::RelayMessage(Event("relayed"));
                             if (text == "fails" && !thrown) {
                               thrown = true;
                               throw std::runtime_error("listener failed");
                             }
                           }));
  for (const char* text : {"first", "fails", "last"}) Engine::RelayMessage(Event(text));
  EXPECT_THROW(Engine::BroadcastMessages(), std::runtime_error);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "fails"}));

  system->queued.clear();
  log.clear();
  Engine::BroadcastMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"fails", "last", "relayed"}));
  std::vector<std::string> handedOver;
  for (const auto& message : system->queued) handedOver.push_back(TextOf(message));
  EXPECT_EQ(handedOver, log);
}

TEST_F(BusTest, BatchStaysAliveUntilTheNextBroadcast) {
  std::weak_ptr<Message> watched;
  {
    auto message = Event("kept");
    watched = message;
    Engine::RelayMessage(message);
  }
  Engine::BroadcastMessages();
  system->queued.clear();
  EXPECT_FALSE(watched.expired());
  Engine::BroadcastMessages();
  EXPECT_TRUE(watched.expired());
}

TEST_F(BusTest, ListenerWithAVanishedOwnerIsNeverCalledAndItsEntryIsDropped) {
  auto owner = std::make_shared<int>(1);
  int calls = 0;
  const std::size_t before = Engine::ListenerCount();
  Engine::RegisterListener(MT_GAME_EVENT,
                           Callable(
                               1, [&](const std::shared_ptr<Message>&) { ++calls; }, std::weak_ptr<const void>(owner)));
  Engine::ImmediateMessage(Event("alive"));
  owner.reset();
  Engine::ImmediateMessage(Event("gone"));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(Engine::ListenerCount(), before);
}

TEST_F(BusTest, ListenersOfVanishedOwnersDoNotPileUpWithoutDeliveries) {
  const std::size_t before = Engine::ListenerCount();
  for (int i = 0; i < 1000; ++i) {
    auto owner = std::make_shared<int>(i);
    Engine::RegisterListener(MT_COLLISION,
                             Callable(
                                 i, [](const std::shared_ptr<Message>&) {}, std::weak_ptr<const void>(owner)));
  }
  EXPECT_LT(Engine::ListenerCount(), before + 64);
}

class BusWindowEventTest : public BusTest {
 protected:
  static std::shared_ptr<Message> WindowEvent(std::uint8_t code) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = code;
    return std::make_shared<SDLEventMessage>(L"Input", event);
  }
};

TEST_F(BusWindowEventTest, FocusLostAlwaysAsksForPauseBehindTheEvent) {
  Engine::RelayMessage(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  Engine::BroadcastMessages();
  ASSERT_EQ(system->queued.size(), 2u);
  EXPECT_EQ(system->queued[0]->GetMessageId(), MT_SDL_EVENT);
  ASSERT_EQ(system->queued[1]->GetMessageId(), MT_PAUSE);
  const auto& pause = static_cast<const PauseMessage&>(*system->queued[1]);
  EXPECT_EQ(pause.GetSender(), L"Core");
  EXPECT_EQ(pause.mPauseType, PAUSE_WINDOW_FOCUS);
  EXPECT_EQ(pause.mObjectID, 0u);
}

TEST_F(BusWindowEventTest, FocusGainedPausesOnlyAfterMinimizing) {
  Engine::RelayMessage(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  Engine::BroadcastMessages();
  EXPECT_EQ(system->CountQueued(MT_PAUSE), 0u);

  Engine::RelayMessage(WindowEvent(SDL_WINDOWEVENT_MINIMIZED));
  EXPECT_TRUE(Engine::IsGameMinimized());
  Engine::RelayMessage(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_FALSE(Engine::IsGameMinimized());
  Engine::BroadcastMessages();
  EXPECT_EQ(system->CountQueued(MT_PAUSE), 1u);
}

TEST_F(BusWindowEventTest, ImmediateWindowEventsAreNotInspected) {
  Engine::ImmediateMessage(WindowEvent(SDL_WINDOWEVENT_MINIMIZED));
  EXPECT_FALSE(Engine::IsGameMinimized());
}

}  // namespace
