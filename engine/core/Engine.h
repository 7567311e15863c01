#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "core/Callable.h"
#include "core/MessageType.h"
#include "core/System.h"
#include "meta/Deserializer.h"
#include "meta/Serializer.h"
#include "objects/ObjectFactory.h"
#include "platform/Export.h"

class Message;

// The engine: owns the host's systems, the frame loop, the message bus, the
// object registry and the level reader and writer. Static only.
//
// A host calls AddSystem for each system, Initialize, GameLoop (returns when a
// quit message arrives) and Release.
class TW_API Engine {
 public:
  Engine() = delete;

  // Takes ownership; the system is deleted by Release.
  static void AddSystem(System* system);
  static void Initialize();
  static void GameLoop();
  [[nodiscard]] static float GetTimeStep();
  // 0 when every system released cleanly, -1 otherwise.
  static int Release();

  static void RegisterListener(MessageType type, const Callable& listener);
  static void UnregisterListener(MessageType type, const Callable& listener);
  // Queues a message for the next broadcast; safe from any thread. The
  // thread that broadcasts queues without a lock unless another thread relayed.
  static void RelayMessage(const std::shared_ptr<Message>& message);
  // The same, taking over the caller's pointer (saves a reference count).
  static void RelayMessage(std::shared_ptr<Message>&& message);
  // Hands a message to every system and listener now, on the caller's stack.
  static void ImmediateMessage(const std::shared_ptr<Message>& message);
  static void BroadcastMessages();

  // Read access for hosts and tests.
  [[nodiscard]] static bool IsGameActive() { return mGameActive.load(); }
  [[nodiscard]] static bool IsGameMinimized() { return mGameMinimized.load(); }
  [[nodiscard]] static const std::vector<System*>& GetSystems() { return mSystems; }
  // Entries in the listener table, dead ones included until they are purged.
  [[nodiscard]] static std::size_t ListenerCount();
  // Drops every listener; for a host tearing a game down, and for tests.
  static void ClearListeners();

  static ObjectFactory mFactory;
  static Serializer mSerializer;
  static Deserializer mDeserializer;

 private:
  static void HackedMinimizedLoop();
  static void Enqueue(std::shared_ptr<Message>&& message);
  static void InspectRelayed(const Message& message);
  static void Deliver(const std::shared_ptr<Message>& message);

  static float mTimeStep;
  static float mTimeDilation;
  static std::int64_t mLastTime;
  static std::atomic<bool> mGameActive;
  static std::atomic<bool> mGameMinimized;
  static std::vector<System*> mSystems;
  static std::mutex mMessageMutex;
  // What other threads relayed, under mMessageMutex; the broadcasting
  // thread's own relays go straight into the batch it delivers.
  static std::vector<std::shared_ptr<Message>> mNewMessages;
  // The last broadcast's batch, alive until the next broadcast begins.
  static std::vector<std::shared_ptr<Message>> mOldMessages;
};
