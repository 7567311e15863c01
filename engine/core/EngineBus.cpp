// The message bus half of Engine: queues, hand-over and delivery.
#include <SDL.h>

#include <atomic>
#include <utility>

#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/ListenerTable.h"
#include "core/Message.h"
#include "core/WindowMessages.h"

std::mutex Engine::mMessageMutex;
std::vector<std::shared_ptr<Message>> Engine::mNewMessages;
std::vector<std::shared_ptr<Message>> Engine::mOldMessages;

namespace {

using Messages = std::vector<std::shared_ptr<Message>>;

constinit ListenerTable gTable;

ListenerTable& Table() { return gTable; }

// Messages on their way to the listeners, delivered from `next` on. Relays on
// the thread that owns a batch append to it: before a broadcast they wait
// there for it, during one they join it behind everything already queued.
struct Batch {
  Messages messages;
  std::size_t next = 0;
  // Counts the times the batch was emptied, so a delivery can tell that a
  // broadcast nested in one of its listeners has moved on underneath it.
  std::uint64_t round = 0;

  [[nodiscard]] bool Drained() const { return next == messages.size(); }
};

// The batch of the loop's thread: the first thread to broadcast owns it until
// it ends. Kept across broadcasts so its storage is reused frame after frame.
Batch gLoopBatch;
bool gLoopBatchOwned = false;  // under Engine::mMessageMutex

// The batch the calling thread relays into without a lock: the loop batch on
// the loop's thread, a broadcast's own batch on any other thread while it
// broadcasts, otherwise none.
// Initial-exec: the library is linked, never loaded late, so the variable
// needs no lookup per relay.
[[gnu::tls_model("initial-exec")]] thread_local Batch* tOwnBatch = nullptr;

// Raised under Engine::mMessageMutex whenever the locked queue gains a
// message, lowered when it is emptied. The owning thread reads it without the
// lock, so its own messages cost no lock unless another thread relayed.
std::atomic<bool> gLockedQueueFilled{false};

// Moves what other threads relayed behind the batch; under the lock.
void TakeLocked(Messages& locked, Batch& batch) {
  for (auto& message : locked) batch.messages.push_back(std::move(message));
  locked.clear();
  gLockedQueueFilled.store(false, std::memory_order_relaxed);
}

// Puts a batch's undelivered messages, starting with `first` when given, in
// front of the locked queue, for the next broadcast.
void ReturnToLocked(Batch& batch, Messages& locked, std::shared_ptr<Message> first) {
  Messages rest;
  rest.reserve(batch.messages.size() - batch.next + locked.size() + 1);
  if (first) rest.push_back(std::move(first));
  for (std::size_t i = batch.next; i < batch.messages.size(); ++i) rest.push_back(std::move(batch.messages[i]));
  for (auto& message : locked) rest.push_back(std::move(message));
  locked.swap(rest);
  batch.messages.clear();
  batch.next = 0;
  gLockedQueueFilled.store(!locked.empty(), std::memory_order_relaxed);
}

// Gives the loop batch back when its thread ends, so that another thread may
// take over the loop and nothing queued is lost.
struct LoopThreadRelease {
  std::mutex& mutex;
  Messages& locked;
  ~LoopThreadRelease() {
    std::lock_guard<std::mutex> lock(mutex);
    ReturnToLocked(gLoopBatch, locked, nullptr);
    gLoopBatchOwned = false;
    tOwnBatch = nullptr;
  }
};

}  // namespace

void Engine::RegisterListener(MessageType type, const Callable& listener) {
  ListenerTable& table = Table();
  ListenerTable::List& list = table.Get(type);
  // Dead entries of destroyed components are dropped here too, so the table
  // stays bounded even when no message of this type is ever delivered.
  if (table.deliveryDepth == 0 && list.entries.size() >= list.purgeThreshold) ListenerTable::Purge(list);
  list.entries.push_back(ListenerTable::Entry{listener, 0});
}

void Engine::UnregisterListener(MessageType type, const Callable& listener) {
  ListenerTable& table = Table();
  ListenerTable::List* list = table.Find(type);
  if (list == nullptr) return;
  bool removed = false;
  list->entries.ForEach([&](ListenerTable::Entry& entry) {
    if (entry.removedAt == 0 && entry.callable == listener) {
      entry.removedAt = table.deliverySerial == 0 ? 1 : table.deliverySerial;
      removed = true;
    }
  });
  if (!removed) return;
  if (table.deliveryDepth == 0) {
    ListenerTable::Purge(*list);
  } else {
    table.MarkForPurge(*list);
  }
}

std::size_t Engine::ListenerCount() {
  std::size_t count = 0;
  Table().ForEach([&count](const ListenerTable::List& list) { count += list.entries.size(); });
  return count;
}

void Engine::ClearListeners() {
  ListenerTable& table = Table();
  if (table.deliveryDepth != 0) {
    table.ForEach([&table](ListenerTable::List& list) {
      list.entries.ForEach([&table](ListenerTable::Entry& entry) {
        if (entry.removedAt == 0) entry.removedAt = table.deliverySerial;
      });
      table.MarkForPurge(list);
    });
    return;
  }
  table.Clear();
}

// Inlined into the broadcast loop, which runs it for every message.
[[gnu::always_inline]] inline void Engine::Deliver(const std::shared_ptr<Message>& message) {
  ListenerTable& table = Table();
  ListenerTable::List* const list = table.Find(message->GetMessageId());
  if (list == nullptr) return;

  const std::uint64_t serial = ++table.deliverySerial;
  ++table.deliveryDepth;
  struct DepthGuard {
    ListenerTable& table;
    ~DepthGuard() {
      if (--table.deliveryDepth == 0) table.PurgeMarkedLists();
    }
  } guard{table};

  // Listeners added during this delivery sit past `count` and wait for the next message.
  const std::size_t count = list->entries.size();
  for (std::size_t i = 0; i < count; ++i) {
    const ListenerTable::Entry& entry = list->entries[i];
    if (entry.removedAt != 0 && entry.removedAt < serial) continue;
    if (entry.callable.HasOwner()) {
      // Held for the call: the listener may destroy its own component.
      const std::shared_ptr<const void> owner = entry.callable.LockOwner();
      if (!owner) {
        table.MarkForPurge(*list);
        continue;
      }
      entry.callable(message);
    } else {
      entry.callable(message);
    }
  }
}

void Engine::Enqueue(std::shared_ptr<Message>&& message) {
  if (Batch* const own = tOwnBatch) {
    // What other threads relayed meanwhile was queued first, so it goes first.
    if (gLockedQueueFilled.load(std::memory_order_acquire)) {
      std::lock_guard<std::mutex> lock(mMessageMutex);
      TakeLocked(mNewMessages, *own);
    }
    own->messages.push_back(std::move(message));
    return;
  }
  std::lock_guard<std::mutex> lock(mMessageMutex);
  mNewMessages.push_back(std::move(message));
  gLockedQueueFilled.store(true, std::memory_order_release);
}

void Engine::RelayMessage(const std::shared_ptr<Message>& message) {
  if (!message) return;
  Enqueue(std::shared_ptr<Message>(message));
  // The caller's pointer keeps the message alive, even once another thread has delivered it.
  InspectRelayed(*message);
}

void Engine::RelayMessage(std::shared_ptr<Message>&& message) {
  if (!message) return;
  const MessageType type = message->GetMessageId();
  if (type == MT_SDL_EVENT) {
    // Read after it is queued, so it must outlive the queue's hold on it.
    RelayMessage(static_cast<const std::shared_ptr<Message>&>(message));
    return;
  }
  Enqueue(std::move(message));
  if (type == MT_QUIT) mGameActive = false;
}

void Engine::InspectRelayed(const Message& message) {
  const MessageType type = message.GetMessageId();
  if (type == MT_QUIT) mGameActive = false;
  if (type != MT_SDL_EVENT) return;

  const SDL_Event& event = static_cast<const SDLEventMessage&>(message).GetEvent();
  if (event.type != SDL_WINDOWEVENT) return;
  switch (event.window.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
      mGameMinimized = true;
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (mGameMinimized) {
        RelayMessage(std::make_shared<PauseMessage>(L"Core", PAUSE_WINDOW_FOCUS, 0u));
        mGameMinimized = false;
      }
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      RelayMessage(std::make_shared<PauseMessage>(L"Core", PAUSE_WINDOW_FOCUS, 0u));
      break;
    default:
      break;
  }
}

void Engine::ImmediateMessage(const std::shared_ptr<Message>& message) {
  if (!message) return;
  for (System* system : mSystems) {
    if (system != nullptr) system->TransmitMessage(message);
  }
  if (message->GetMessageId() == MT_QUIT) mGameActive = false;
  Deliver(message);
}

void Engine::BroadcastMessages() {
  // Releasing the last batch may free destroyed objects; do it on this thread.
  mOldMessages.clear();

  if (tOwnBatch != &gLoopBatch) {
    std::lock_guard<std::mutex> lock(mMessageMutex);
    if (!gLoopBatchOwned) {
      // This thread runs the loop from now on.
      gLoopBatchOwned = true;
      tOwnBatch = &gLoopBatch;
      thread_local LoopThreadRelease release{mMessageMutex, mNewMessages};
    }
  }
  // Any other thread delivers what was relayed under the lock, in a batch of
  // its own that its listeners' relays join.
  const bool ownsLoop = tOwnBatch == &gLoopBatch;
  Batch local;
  Batch& batch = ownsLoop ? gLoopBatch : local;
  struct OwnGuard {
    Batch* restored;
    ~OwnGuard() { tOwnBatch = restored; }
  } ownGuard{tOwnBatch};
  tOwnBatch = &batch;

  // Messages handed to the systems stay alive until the next broadcast;
  // those relayed during delivery are released once delivered.
  std::size_t handedOver = 0;
  {
    std::lock_guard<std::mutex> lock(mMessageMutex);
    TakeLocked(mNewMessages, batch);
    handedOver = batch.messages.size();
    if (!mSystems.empty()) {
      MessageQueue queue;
      for (std::size_t i = batch.next; i < handedOver; ++i) queue.push(batch.messages[i]);
      for (System* system : mSystems) {
        if (system != nullptr) system->TransmitQueue(queue);
      }
    }
  }

  // Until the batch runs dry, every relay joins it: this thread's listeners
  // append to it directly, other threads' messages are moved over from the
  // locked queue, in the order they were relayed.
  while (true) {
    if (batch.Drained()) {
      if (!gLockedQueueFilled.load(std::memory_order_acquire)) break;
      std::lock_guard<std::mutex> lock(mMessageMutex);
      TakeLocked(mNewMessages, batch);
      if (batch.Drained()) break;
    }
    // Moved out of its slot while it is delivered: a listener's relay may
    // grow the batch's storage. Put back afterwards when it was handed to
    // the systems, to stay alive with the batch until the next broadcast.
    const std::size_t index = batch.next++;
    const std::uint64_t round = batch.round;
    std::shared_ptr<Message> current = std::move(batch.messages[index]);
    try {
      Deliver(current);
    } catch (...) {
      // The message that failed and everything behind it go to the next
      // broadcast, ahead of what other threads relayed since.
      std::lock_guard<std::mutex> lock(mMessageMutex);
      if (batch.round == round) {
        for (std::size_t i = 0; i < index && i < handedOver; ++i) mOldMessages.push_back(std::move(batch.messages[i]));
      }
      ReturnToLocked(batch, mNewMessages, std::move(current));
      ++batch.round;
      throw;
    }
    if (index < handedOver && batch.round == round) batch.messages[index] = std::move(current);
  }
  // The delivered messages become the old batch; the old batch's storage,
  // emptied above, takes the next one.
  mOldMessages.swap(batch.messages);
  batch.messages.clear();
  batch.next = 0;
  ++batch.round;
}
