#include "core/MessagePool.h"

#include <mutex>
#include <new>

namespace {

constexpr std::size_t kGrain = 16;
constexpr std::size_t kClasses = 16;  // blocks of up to 256 bytes
constexpr std::size_t kSlabBytes = std::size_t{64} << 10;

struct Block {
  Block* next;
};

std::size_t ClassOf(std::size_t size) { return size == 0 ? 0 : (size - 1) / kGrain; }
std::size_t BlockBytes(std::size_t index) { return (index + 1) * kGrain; }

// Blocks come from slabs of their own, never from between the heap's other
// chunks: a store of freed notices scattered through the heap would keep
// the objects freed beside them from merging. Slabs are kept for the
// process's life; the store grows to the most messages alive at once.
// The depot holds the blocks of threads that ended, and serves threads
// that are ending.
class Depot {
 public:
  void Push(std::size_t index, Block* block) {
    const std::lock_guard<std::mutex> lock(mMutex);
    block->next = mFree[index];
    mFree[index] = block;
  }
  // Moves a whole list in, under one lock.
  void PushAll(std::size_t index, Block* list) {
    if (list == nullptr) return;
    Block* last = list;
    while (last->next != nullptr) last = last->next;
    const std::lock_guard<std::mutex> lock(mMutex);
    last->next = mFree[index];
    mFree[index] = list;
  }
  // One block, made whole-block sized when there is none: it joins a store when freed.
  void* Pop(std::size_t index) {
    {
      const std::lock_guard<std::mutex> lock(mMutex);
      if (Block* const block = mFree[index]) {
        mFree[index] = block->next;
        return block;
      }
    }
    return ::operator new(BlockBytes(index));
  }
  // Every block of the class, or a new slab's.
  Block* TakeAll(std::size_t index) {
    {
      const std::lock_guard<std::mutex> lock(mMutex);
      if (Block* const list = mFree[index]) {
        mFree[index] = nullptr;
        return list;
      }
    }
    return NewSlab(index);
  }

 private:
  static Block* NewSlab(std::size_t index) {
    const std::size_t size = BlockBytes(index);
    auto* const slab = static_cast<char*>(::operator new(kSlabBytes));
    const std::size_t count = kSlabBytes / size;
    // In address order, so that the blocks of a burst of messages lie together.
    for (std::size_t i = 0; i + 1 < count; ++i) {
      reinterpret_cast<Block*>(slab + i * size)->next = reinterpret_cast<Block*>(slab + (i + 1) * size);
    }
    reinterpret_cast<Block*>(slab + (count - 1) * size)->next = nullptr;
    return reinterpret_cast<Block*>(slab);
  }

  std::mutex mMutex;
  Block* mFree[kClasses] = {};
};

// Never destroyed: messages may still be freed while the process exits.
Depot& TheDepot() {
  static Depot* const depot = new Depot;
  return *depot;
}

// Plain thread-local data, still there while the thread's destructors run.
constinit thread_local Block* tFree[kClasses] = {};
constinit thread_local bool tRegistered = false;
constinit thread_local bool tEnded = false;

// Hands the ending thread's blocks to the depot.
struct Drain {
  Drain() = default;
  Drain(const Drain&) = delete;
  Drain& operator=(const Drain&) = delete;
  ~Drain() {
    tEnded = true;
    for (std::size_t index = 0; index < kClasses; ++index) {
      TheDepot().PushAll(index, tFree[index]);
      tFree[index] = nullptr;
    }
  }
};
thread_local Drain tDrain;

// Makes this thread run its drain when it ends.
void Register() {
  if (tRegistered) return;
  static_cast<void>(&tDrain);
  tRegistered = true;
}

}  // namespace

void* MessagePool::Allocate(std::size_t size) {
  const std::size_t index = ClassOf(size);
  if (index >= kClasses) return ::operator new(size);
  // A thread past its drain is served by the depot directly.
  if (tEnded) return TheDepot().Pop(index);
  Block*& head = tFree[index];
  if (head == nullptr) {
    Register();
    head = TheDepot().TakeAll(index);
  }
  Block* const block = head;
  head = block->next;
  return block;
}

void MessagePool::Free(void* block, std::size_t size) noexcept {
  const std::size_t index = ClassOf(size);
  if (index >= kClasses) {
    ::operator delete(block);
    return;
  }
  auto* const freed = static_cast<Block*>(block);
  if (tEnded) {
    TheDepot().Push(index, freed);
    return;
  }
  Register();
  freed->next = tFree[index];
  tFree[index] = freed;
}
