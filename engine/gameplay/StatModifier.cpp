#include "gameplay/StatModifier.h"

#include "core/Engine.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData StatModifier::meta_("StatModifier", sizeof(StatModifier), META::MetaManager::Get("Component"), false,
                                   &META::WriteBlock, &META::ReadBlock);

void StatModifier::AddMeta() {
  META::AddMember<MODTYPE>(meta_, "UINT32", "whatToModify_", META_OFFSET(StatModifier, whatToModify_));
  META::AddMember<float>(meta_, "float", "amountToModifyBy_", META_OFFSET(StatModifier, amountToModifyBy_));
}

META::MetaData& StatModifier::GetMetaData() { return meta_; }

std::shared_ptr<Component> StatModifier::CloneComponent() const { return CloneAs<StatModifier>(L"StatModifier"); }
