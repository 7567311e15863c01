#include "gameplay/Owner.h"

#include "core/Engine.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData Owner::meta_("Owner", sizeof(Owner), META::MetaManager::Get("Component"), false, &META::WriteBlock,
                            &META::ReadBlock);

void Owner::AddMeta() { META::AddMember<ObjectID>(meta_, "ObjectID", "Owner_", META_OFFSET(Owner, Owner_)); }

META::MetaData& Owner::GetMetaData() { return meta_; }

std::shared_ptr<Component> Owner::CloneComponent() const { return CloneAs<Owner>(L"Owner"); }
