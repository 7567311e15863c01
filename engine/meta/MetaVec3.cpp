#include "meta/MetaVec3.h"

#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData MetaVec3::meta_("MetaVec3", sizeof(MetaVec3), nullptr, false, &META::WriteBlock, &META::ReadBlock);

MetaVec3::MetaVec3(const Vectormath::Aos::Vector3& vector) : x_(vector.getX()), y_(vector.getY()), z_(vector.getZ()) {}

void MetaVec3::AddMeta() {
  META::AddMember<float>(meta_, "float", "x_", META_OFFSET(MetaVec3, x_));
  META::AddMember<float>(meta_, "float", "y_", META_OFFSET(MetaVec3, y_));
  META::AddMember<float>(meta_, "float", "z_", META_OFFSET(MetaVec3, z_));
}
