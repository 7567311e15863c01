#include "core/ListenerTable.h"

#include <algorithm>

ListenerTable::List& ListenerTable::Get(MessageType type) {
  if (type >= 0 && type < kDirectTypes) {
    std::unique_ptr<List>& slot = mDirect[static_cast<std::size_t>(type)];
    if (!slot) slot = std::make_unique<List>();
    return *slot;
  }
  return mOthers[type];
}

void ListenerTable::Clear() {
  for (auto& list : mDirect) list.reset();
  mOthers.clear();
  mAnyPurge = false;
}

void ListenerTable::Purge(List& list) {
  list.entries.EraseIf([](const Entry& entry) { return entry.removedAt != 0 || entry.callable.IsExpired(); });
  list.needsPurge = false;
  list.purgeThreshold = std::max<std::size_t>(32, list.entries.size() * 2);
}

void ListenerTable::PurgeAllMarked() {
  ForEach([](List& list) {
    if (list.needsPurge) Purge(list);
  });
  mAnyPurge = false;
}
