#include "components/TransformData.h"

#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData TransformData::meta_("TransformData", sizeof(TransformData), nullptr, false, &META::WriteBlock,
                                    &META::ReadBlock);

void TransformData::AddMeta() {
  // Registered at load already; again here so the record comes back after a Clear.
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "WorldPosition", META_OFFSET(TransformData, WorldPosition));
  META::AddMember<float>(meta_, "float", "WorldRotationAngleX", META_OFFSET(TransformData, WorldRotationAngleX));
  META::AddMember<float>(meta_, "float", "WorldRotationAngleY", META_OFFSET(TransformData, WorldRotationAngleY));
  META::AddMember<float>(meta_, "float", "WorldRotationAngleZ", META_OFFSET(TransformData, WorldRotationAngleZ));
  META::AddMember<float>(meta_, "float", "ModelRotationAngleX", META_OFFSET(TransformData, ModelRotationAngleX));
  META::AddMember<float>(meta_, "float", "ModelRotationAngleY", META_OFFSET(TransformData, ModelRotationAngleY));
  META::AddMember<float>(meta_, "float", "ModelRotationAngleZ", META_OFFSET(TransformData, ModelRotationAngleZ));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "WorldScalar", META_OFFSET(TransformData, WorldScalar));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "WorldOrigin", META_OFFSET(TransformData, WorldOrigin));
}
