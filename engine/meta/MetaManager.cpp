#include "meta/MetaManager.h"

#include <unordered_set>
#include <vector>

#include "meta/MetaData.h"

namespace META {

namespace {
// Constant-initialized, so a record destroyed at any point of start-up or
// shutdown can ask whether the registry still exists.
bool gRegistryAlive = false;
}  // namespace

struct MetaManager::Registry {
  Registry() { gRegistryAlive = true; }
  ~Registry() { gRegistryAlive = false; }
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  MetaMap metas;
  std::vector<std::unique_ptr<MetaData>> owned;
  std::unordered_set<MetaData*> live;
};

MetaManager::Registry& MetaManager::Metas() {
  static Registry registry;
  return registry;
}

const MetaData* MetaManager::Get(const std::string& name) {
  const MetaMap& metas = Metas().metas;
  const auto found = metas.find(name);
  return found == metas.end() ? nullptr : found->second;
}

void MetaManager::RegisterMeta(MetaData* record) {
  if (record == nullptr) return;
  Metas().metas.try_emplace(record->Type(), record);
}

const MetaData* MetaManager::Adopt(std::unique_ptr<MetaData> record) {
  if (record == nullptr) return nullptr;
  const std::string name = record->Type();
  RegisterMeta(record.get());
  Registry& registry = Metas();
  if (Get(name) == record.get()) registry.owned.push_back(std::move(record));
  return Get(name);
}

const MetaManager::MetaMap& MetaManager::GetMap() { return Metas().metas; }

void MetaManager::Clear() {
  Registry& registry = Metas();
  std::vector<std::unique_ptr<MetaData>> owned = std::move(registry.owned);
  registry.owned.clear();
  std::unordered_set<const MetaData*> doomed;
  for (const auto& record : owned) doomed.insert(record.get());
  for (MetaData* record : registry.live) {
    if (doomed.contains(record)) continue;
    std::erase_if(record->mMembers, [&doomed](const auto& entry) { return doomed.contains(entry.second->Data()); });
    record->IndexMembers();
  }
  registry.metas.clear();
  owned.clear();
}

void MetaManager::Track(MetaData* record) { Metas().live.insert(record); }

void MetaManager::Forget(MetaData* record) {
  if (!gRegistryAlive) return;
  Registry& registry = Metas();
  registry.live.erase(record);
  std::erase_if(registry.metas, [record](const auto& entry) { return entry.second == record; });
}

}  // namespace META
