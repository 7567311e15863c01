#include "objects/GroupComponent.h"

#include "core/Engine.h"
#include "meta/MetaOffset.h"
#include "meta/MetaVec3.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

// The offset is saved through the MetaVec3 record, which reads and writes
// three floats in place: the vector must be exactly that.
static_assert(sizeof(Vectormath::Aos::Vector3) == sizeof(MetaVec3));

META::MetaData GroupComponent::meta_("GroupComponent", sizeof(GroupComponent), META::MetaManager::Get("Component"),
                                     false, &META::WriteBlock, &META::ReadBlock);

void GroupComponent::AddMeta() {
  META::AddMember<std::string>(meta_, "std::string", "m_GroupName", META_OFFSET(GroupComponent, m_GroupName));
  META::AddMember<bool>(meta_, "bool", "m_IsParent", META_OFFSET(GroupComponent, m_IsParent));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "m_Offset", META_OFFSET(GroupComponent, m_Offset));
}

META::MetaData& GroupComponent::GetMetaData() { return meta_; }

std::shared_ptr<Component> GroupComponent::CloneComponent() const { return CloneAs<GroupComponent>(L"GroupComponent"); }
