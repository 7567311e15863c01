#include "gameplay/Spawner.h"

#include "core/Engine.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData Spawner::meta_("Spawner", sizeof(Spawner), META::MetaManager::Get("Component"), false, &META::WriteBlock,
                              &META::ReadBlock);

void Spawner::AddMeta() {
  META::AddMember<std::uint32_t>(meta_, "unsigned", "PlayerID_", META_OFFSET(Spawner, PlayerID_));
}

META::MetaData& Spawner::GetMetaData() { return meta_; }

std::shared_ptr<Component> Spawner::CloneComponent() const { return CloneAs<Spawner>(L"Spawner"); }
