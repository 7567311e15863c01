#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/Callable.h"
#include "core/MessageType.h"

// The bus's listeners, one list per message type, each in registration order.
// Internal to the bus; it runs on the loop's thread and takes no lock.
class ListenerTable {
 public:
  // One registration. `removedAt` is the delivery serial current when it was
  // unregistered: deliveries already running still call it, later ones do not.
  struct Entry {
    Callable callable;
    std::uint64_t removedAt = 0;
  };

  // Entries in chunks that never move once made, so that an entry stays put
  // while its listener, being called, registers more listeners.
  class Entries {
   public:
    [[nodiscard]] std::size_t size() const { return mSize; }
    [[nodiscard]] Entry& operator[](std::size_t i) { return mChunks[i / kChunk][i % kChunk]; }
    void push_back(Entry entry) {
      if (mSize == mChunks.size() * kChunk) mChunks.emplace_back().reserve(kChunk);
      mChunks[mSize / kChunk].push_back(std::move(entry));
      ++mSize;
    }
    template <class Visit>
    void ForEach(Visit&& visit) {
      for (auto& chunk : mChunks) {
        for (Entry& entry : chunk) visit(entry);
      }
    }
    // Keeps the order of the rest; only when no delivery runs.
    template <class Dead>
    void EraseIf(Dead&& dead) {
      std::vector<std::vector<Entry>> old;
      old.swap(mChunks);
      mSize = 0;
      for (auto& chunk : old) {
        for (Entry& entry : chunk) {
          if (!dead(entry)) push_back(std::move(entry));
        }
      }
    }

   private:
    static constexpr std::size_t kChunk = 32;
    std::vector<std::vector<Entry>> mChunks;
    std::size_t mSize = 0;
  };

  // Entries are only erased when no delivery runs.
  struct List {
    Entries entries;
    bool needsPurge = false;
    std::size_t purgeThreshold = 32;
  };

  // The list of a type, or null when nothing ever registered for it.
  [[nodiscard]] List* Find(MessageType type) {
    if (type >= 0 && type < kDirectTypes) return mDirect[static_cast<std::size_t>(type)].get();
    return FindOther(type);
  }
  [[nodiscard]] List& Get(MessageType type);

  template <class Visit>
  void ForEach(Visit&& visit) {
    for (const auto& list : mDirect) {
      if (list) visit(*list);
    }
    for (auto& [type, list] : mOthers) visit(*list);
  }
  void Clear();

  // Drops the dead entries of a list; only when no delivery runs.
  static void Purge(List& list);
  // Asks for a purge once the outermost delivery ends.
  void MarkForPurge(List& list) {
    list.needsPurge = true;
    mAnyPurge = true;
  }
  void PurgeMarkedLists() {
    if (mAnyPurge) PurgeAllMarked();
  }

  std::uint64_t deliverySerial = 0;
  int deliveryDepth = 0;

 private:
  // The library's own types are small numbers: index them directly, so a
  // delivery costs no hash lookup. A game's own types may be anything.
  static constexpr std::int32_t kDirectTypes = 128;
  std::array<std::unique_ptr<List>, kDirectTypes> mDirect;
  // Sorted by type. Like the rest, constructed at compile time, so the table
  // is ready for a listener registered from any static initializer.
  std::vector<std::pair<std::int32_t, std::unique_ptr<List>>> mOthers;
  bool mAnyPurge = false;

  [[nodiscard]] List* FindOther(MessageType type);
  void PurgeAllMarked();
};
