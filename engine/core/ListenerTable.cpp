#include "core/ListenerTable.h"

#include <algorithm>

namespace {

template <class Others>
auto LowerBound(Others& others, std::int32_t type) {
  return std::lower_bound(others.begin(), others.end(), type,
                          [](const auto& entry, std::int32_t wanted) { return entry.first < wanted; });
}

}  // namespace

ListenerTable::List& ListenerTable::Get(MessageType type) {
  if (type >= 0 && type < kDirectTypes) {
    std::unique_ptr<List>& slot = mDirect[static_cast<std::size_t>(type)];
    if (!slot) slot = std::make_unique<List>();
    return *slot;
  }
  auto at = LowerBound(mOthers, type);
  if (at == mOthers.end() || at->first != type) at = mOthers.emplace(at, type, std::make_unique<List>());
  return *at->second;
}

ListenerTable::List* ListenerTable::FindOther(MessageType type) {
  const auto at = LowerBound(mOthers, type);
  return at == mOthers.end() || at->first != type ? nullptr : at->second.get();
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
