#include "meta/MetaVec4.h"

#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData MetaVec4::meta_("MetaVec4", sizeof(MetaVec4), nullptr, false, &META::WriteBlock, &META::ReadBlock);

MetaVec4::MetaVec4(const Vectormath::Aos::Vector4& vector)
    : x_(vector.getX()), y_(vector.getY()), z_(vector.getZ()), w_(vector.getW()) {}

void MetaVec4::AddMeta() {
  META::AddMember<float>(meta_, "float", "x_", META_OFFSET(MetaVec4, x_));
  META::AddMember<float>(meta_, "float", "y_", META_OFFSET(MetaVec4, y_));
  META::AddMember<float>(meta_, "float", "z_", META_OFFSET(MetaVec4, z_));
  META::AddMember<float>(meta_, "float", "w_", META_OFFSET(MetaVec4, w_));
}
