// The message bus half of Engine: listener table, queue and delivery.
#include <SDL.h>

#include <atomic>
#include <deque>
#include <unordered_map>

#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/Message.h"
#include "core/WindowMessages.h"

std::mutex Engine::mMessageMutex;
MessageQueue Engine::mNewMessages;
MessageQueue Engine::mOldMessages;

namespace {

// One registration. `removedAt` is the delivery serial current when it was
// unregistered: deliveries already running still call it, later ones do not.
struct ListenerEntry {
  Callable callable;
  std::uint64_t removedAt = 0;
};

// A deque, so that references stay valid while a listener registers more
// listeners during delivery; entries are only erased when no delivery runs.
struct ListenerList {
  std::deque<ListenerEntry> entries;
  bool needsPurge = false;
  std::size_t purgeThreshold = 32;
};

struct ListenerTable {
  std::unordered_map<std::int32_t, ListenerList> lists;
  std::uint64_t deliverySerial = 0;
  int deliveryDepth = 0;
  bool anyPurge = false;
};

ListenerTable& Table() {
  static ListenerTable table;
  return table;
}

// The batch the calling thread is delivering, if any: messages relayed by a
// listener join it, so they reach the listeners of this same broadcast.
thread_local MessageQueue* tDeliveryQueue = nullptr;

// Raised under Engine::mMessageMutex whenever the locked queue gains a
// message, lowered when it is emptied. The delivering thread reads it without
// the lock, so its own messages cost no lock unless another thread relayed.
std::atomic<bool> gLockedQueueFilled{false};

void MoveAll(MessageQueue& from, MessageQueue& to) {
  while (!from.empty()) {
    to.push(std::move(from.front()));
    from.pop();
  }
}

// Appends what other threads relayed to the batch being delivered.
void TakeLocked(std::mutex& mutex, MessageQueue& locked, MessageQueue& batch) {
  std::lock_guard<std::mutex> lock(mutex);
  MoveAll(locked, batch);
  gLockedQueueFilled.store(false, std::memory_order_relaxed);
}

bool IsDead(const ListenerEntry& entry) { return entry.removedAt != 0 || entry.callable.IsExpired(); }

void Purge(ListenerList& list) {
  std::erase_if(list.entries, IsDead);
  list.needsPurge = false;
  list.purgeThreshold = std::max<std::size_t>(32, list.entries.size() * 2);
}

void PurgeMarkedLists() {
  ListenerTable& table = Table();
  if (!table.anyPurge) return;
  for (auto& [type, list] : table.lists) {
    if (list.needsPurge) Purge(list);
  }
  table.anyPurge = false;
}

void MarkForPurge(ListenerList& list) {
  list.needsPurge = true;
  Table().anyPurge = true;
}

}  // namespace

void Engine::RegisterListener(MessageType type, const Callable& listener) {
  ListenerList& list = Table().lists[type];
  // Dead entries of destroyed components are dropped here too, so the table
  // stays bounded even when no message of this type is ever delivered.
  if (Table().deliveryDepth == 0 && list.entries.size() >= list.purgeThreshold) Purge(list);
  list.entries.push_back(ListenerEntry{listener, 0});
}

void Engine::UnregisterListener(MessageType type, const Callable& listener) {
  ListenerTable& table = Table();
  const auto found = table.lists.find(type);
  if (found == table.lists.end()) return;
  bool removed = false;
  for (ListenerEntry& entry : found->second.entries) {
    if (entry.removedAt == 0 && entry.callable == listener) {
      entry.removedAt = table.deliverySerial == 0 ? 1 : table.deliverySerial;
      removed = true;
    }
  }
  if (!removed) return;
  if (table.deliveryDepth == 0) {
    Purge(found->second);
  } else {
    MarkForPurge(found->second);
  }
}

std::size_t Engine::ListenerCount() {
  std::size_t count = 0;
  for (const auto& [type, list] : Table().lists) count += list.entries.size();
  return count;
}

void Engine::ClearListeners() {
  ListenerTable& table = Table();
  if (table.deliveryDepth != 0) {
    for (auto& [type, list] : table.lists) {
      for (ListenerEntry& entry : list.entries) {
        if (entry.removedAt == 0) entry.removedAt = table.deliverySerial;
      }
      MarkForPurge(list);
    }
    return;
  }
  table.lists.clear();
}

void Engine::Deliver(const std::shared_ptr<const Message>& message) {
  ListenerTable& table = Table();
  const auto found = table.lists.find(message->GetMessageId());
  if (found == table.lists.end()) return;
  ListenerList& list = found->second;

  const std::uint64_t serial = ++table.deliverySerial;
  ++table.deliveryDepth;
  struct DepthGuard {
    ListenerTable& table;
    ~DepthGuard() {
      if (--table.deliveryDepth == 0) PurgeMarkedLists();
    }
  } guard{table};

  const std::shared_ptr<Message> mutableMessage = std::const_pointer_cast<Message>(message);
  // Listeners added during this delivery sit past `count` and wait for the next message.
  const std::size_t count = list.entries.size();
  for (std::size_t i = 0; i < count; ++i) {
    const ListenerEntry& entry = list.entries[i];
    if (entry.removedAt != 0 && entry.removedAt < serial) continue;
    if (entry.callable.HasOwner()) {
      const std::shared_ptr<const void> owner = entry.callable.LockOwner();
      if (!owner) {
        MarkForPurge(list);
        continue;
      }
      entry.callable(mutableMessage);
    } else {
      entry.callable(mutableMessage);
    }
  }
}

void Engine::RelayMessage(const std::shared_ptr<Message>& message) {
  if (!message) return;
  if (tDeliveryQueue != nullptr) {
    // Relayed by a listener during the broadcast on this thread. What other
    // threads relayed meanwhile was queued first, so it goes first.
    if (gLockedQueueFilled.load(std::memory_order_acquire)) TakeLocked(mMessageMutex, mNewMessages, *tDeliveryQueue);
    tDeliveryQueue->push(message);
  } else {
    std::lock_guard<std::mutex> lock(mMessageMutex);
    mNewMessages.push(message);
    gLockedQueueFilled.store(true, std::memory_order_release);
  }

  const MessageType type = message->GetMessageId();
  if (type == MT_QUIT) mGameActive = false;
  if (type != MT_SDL_EVENT) return;

  const SDL_Event& event = static_cast<const SDLEventMessage&>(*message).GetEvent();
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
  MessageQueue().swap(mOldMessages);

  MessageQueue batch;
  {
    std::lock_guard<std::mutex> lock(mMessageMutex);
    batch.swap(mNewMessages);
    gLockedQueueFilled.store(false, std::memory_order_relaxed);
    for (System* system : mSystems) {
      if (system != nullptr) system->TransmitQueue(batch);
    }
    mOldMessages = batch;
  }

  // Until the batch runs dry, every relay joins it: this thread's listeners
  // append to it directly, other threads' messages are moved over from the
  // locked queue, in the order they were relayed.
  MessageQueue* const outer = tDeliveryQueue;
  tDeliveryQueue = &batch;
  struct QueueGuard {
    MessageQueue* outer;
    ~QueueGuard() { tDeliveryQueue = outer; }
  } guard{outer};
  try {
    while (true) {
      if (batch.empty()) {
        if (!gLockedQueueFilled.load(std::memory_order_acquire)) break;
        TakeLocked(mMessageMutex, mNewMessages, batch);
        if (batch.empty()) break;
      }
      // Popped only once its listeners are done, so a throwing listener
      // leaves it queued.
      Deliver(batch.front());
      batch.pop();
    }
  } catch (...) {
    // The message that failed and everything behind it go to the next
    // broadcast, ahead of what other threads relayed since.
    std::lock_guard<std::mutex> lock(mMessageMutex);
    MoveAll(mNewMessages, batch);
    mNewMessages.swap(batch);
    gLockedQueueFilled.store(!mNewMessages.empty(), std::memory_order_relaxed);
    throw;
  }
}
