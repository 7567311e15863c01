#include "gameplay/DamageDealer.h"

#include "core/Engine.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData DamageDealer::meta_("DamageDealer", sizeof(DamageDealer), META::MetaManager::Get("Component"), false,
                                   &META::WriteBlock, &META::ReadBlock);

void DamageDealer::AddMeta() { META::AddMember<float>(meta_, "float", "Damage_", META_OFFSET(DamageDealer, Damage_)); }

META::MetaData& DamageDealer::GetMetaData() { return meta_; }

std::shared_ptr<Component> DamageDealer::CloneComponent() const { return CloneAs<DamageDealer>(L"DamageDealer"); }
