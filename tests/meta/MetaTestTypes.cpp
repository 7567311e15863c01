#include "MetaTestTypes.h"

#include "meta/BasicTypes.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData Sample::meta_("TestSample", sizeof(Sample), nullptr, false, &META::WriteBlock, &META::ReadBlock);
META::MetaData Crate::meta_("TestCrate", sizeof(Crate), nullptr, false, &META::WriteBlock, &META::ReadBlock);

void Sample::AddMeta() {
  META::AddMember<float>(meta_, "float", "mFloat", META_OFFSET(Sample, mFloat));
  META::AddMember<std::int32_t>(meta_, "int", "mInt", META_OFFSET(Sample, mInt));
  META::AddMember<bool>(meta_, "bool", "mBool", META_OFFSET(Sample, mBool));
  META::AddMember<std::uint32_t>(meta_, "UINT32", "mCount", META_OFFSET(Sample, mCount));
  META::AddMember<std::uint32_t>(meta_, "unsigned int", "mFlags", META_OFFSET(Sample, mFlags));
  META::AddMember<std::uint32_t>(meta_, "unsigned long", "mId", META_OFFSET(Sample, mId));
  META::AddMember<ObjectID>(meta_, "ObjectID", "mOwner", META_OFFSET(Sample, mOwner));
  META::AddMember<std::int32_t>(meta_, "ShapeType", "mShape", META_OFFSET(Sample, mShape));
  META::AddMember<std::string>(meta_, "std::string", "mName", META_OFFSET(Sample, mName));
  META::AddMember<std::vector<std::string>>(meta_, "std::vector<std::string>", "mTextures",
                                            META_OFFSET(Sample, mTextures));
  META::AddMember<Vectormath::Aos::Matrix4>(meta_, "Mat4", "mMatrix", META_OFFSET(Sample, mMatrix));
  META::AddMember<Vectormath::Aos::Vector4>(meta_, "Vec4", "mColor", META_OFFSET(Sample, mColor));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "mPosition", META_OFFSET(Sample, mPosition));
  META::AddMember<MetaVec4>(meta_, "MetaVec4", "mTint", META_OFFSET(Sample, mTint));
}

void Crate::AddMeta() {
  META::AddMember<float>(meta_, "float", "m_mass", META_OFFSET(Crate, m_mass));
  META::AddMember<bool>(meta_, "bool", "m_static", META_OFFSET(Crate, m_static));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "m_velocity", META_OFFSET(Crate, m_velocity));
}

void RegisterTestRecords() {
  META::RegisterBasicTypes();
  Sample::AddMeta();
  Crate::AddMeta();
}
