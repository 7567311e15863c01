#include "meta/MetaManager.h"

#include <algorithm>
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
  for (const auto& [name, record] : registry.metas) {
    const bool isOwned = std::any_of(owned.begin(), owned.end(),
                                     [record = record](const auto& heap) { return heap.get() == record; });
    // RegisterMeta takes only non-const records, so this record is modifiable.
    if (!isOwned) const_cast<MetaData*>(record)->mMembers.clear();
  }
  registry.metas.clear();
  owned.clear();
}

void MetaManager::Forget(const MetaData* record) {
  if (!gRegistryAlive) return;
  std::erase_if(Metas().metas, [record](const auto& entry) { return entry.second == record; });
}

}  // namespace META
