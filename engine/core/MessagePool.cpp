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

// Blocks come from slabs of their own, never from between the heap's other
// chunks: a store of freed notices scattered through the heap would keep
// the objects freed beside them from merging. Slabs are kept for the
// process's life; the store grows to the most messages alive at once.
struct Depot {
  std::mutex mutex;
  Block* free[kClasses] = {};  // blocks of threads that ended
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
    Depot& depot = TheDepot();
    const std::lock_guard<std::mutex> lock(depot.mutex);
    for (std::size_t index = 0; index < kClasses; ++index) {
      while (Block* const block = tFree[index]) {
        tFree[index] = block->next;
        block->next = depot.free[index];
        depot.free[index] = block;
      }
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

std::size_t ClassOf(std::size_t size) { return size == 0 ? 0 : (size - 1) / kGrain; }

// A list of free blocks of the class: the depot's, or a new slab's.
Block* TakeBlocks(std::size_t index) {
  Depot& depot = TheDepot();
  {
    const std::lock_guard<std::mutex> lock(depot.mutex);
    if (Block* const list = depot.free[index]) {
      depot.free[index] = nullptr;
      return list;
    }
  }
  const std::size_t size = (index + 1) * kGrain;
  auto* const slab = static_cast<char*>(::operator new(kSlabBytes));
  const std::size_t count = kSlabBytes / size;
  // In address order, so that the blocks of a burst of messages lie together.
  for (std::size_t i = 0; i + 1 < count; ++i) {
    reinterpret_cast<Block*>(slab + i * size)->next = reinterpret_cast<Block*>(slab + (i + 1) * size);
  }
  reinterpret_cast<Block*>(slab + (count - 1) * size)->next = nullptr;
  return reinterpret_cast<Block*>(slab);
}

}  // namespace

void* MessagePool::Allocate(std::size_t size) {
  const std::size_t index = ClassOf(size);
  if (index >= kClasses) return ::operator new(size);
  if (tEnded) {
    // The thread is past its drain: the depot serves it directly.
    Depot& depot = TheDepot();
    const std::lock_guard<std::mutex> lock(depot.mutex);
    if (Block* const block = depot.free[index]) {
      depot.free[index] = block->next;
      return block;
    }
    return ::operator new((index + 1) * kGrain);  // whole-block sized: it joins the store when freed
  }
  Block*& head = tFree[index];
  if (head == nullptr) {
    Register();
    head = TakeBlocks(index);
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
    Depot& depot = TheDepot();
    const std::lock_guard<std::mutex> lock(depot.mutex);
    freed->next = depot.free[index];
    depot.free[index] = freed;
    return;
  }
  Register();
  freed->next = tFree[index];
  tFree[index] = freed;
}
