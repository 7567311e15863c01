#include "meta/MetaVec3.h"

#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData MetaVec3::meta_("MetaVec3", sizeof(MetaVec3), nullptr, false, &META::WriteBlock, &META::ReadBlock);

void MetaVec3::AddMeta() {
  META::AddMember<float>(meta_, "float", "x_", kOffsetX);
  META::AddMember<float>(meta_, "float", "y_", kOffsetY);
  META::AddMember<float>(meta_, "float", "z_", kOffsetZ);
}
