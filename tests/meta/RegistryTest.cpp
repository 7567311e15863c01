#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "MetaTestTypes.h"
#include "meta/BasicTypes.h"
#include "meta/MetaData.h"
#include "meta/MetaVector.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

namespace {

using META::MetaData;
using META::MetaManager;

std::vector<std::string> MemberNames(const MetaData& meta) {
  std::vector<std::string> names;
  for (const auto& [name, member] : meta.GetMembers()) names.push_back(name);
  return names;
}

std::string WriteAtDepthZero(const MetaData& meta, void* value) {
  std::ostringstream out;
  META::WriteBlock(out, Variant(&meta, value), 0);
  return out.str();
}

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestRecords(); }
};

TEST_F(Registry, StartUpGivesEachBasicNameTheRecordDeclaredFirst) {
  EXPECT_EQ(MetaManager::Get("Component"), nullptr);

  // MetaVector's sizes declared "unsigned" const before the start-up routine
  // got to it; "UINT32" comes from the start-up routine alone.
  const MetaData* unsignedRecord = MetaManager::Get("unsigned");
  ASSERT_NE(unsignedRecord, nullptr);
  EXPECT_TRUE(unsignedRecord->Is_Const());
  EXPECT_EQ(MetaVector::meta_.FindMember("m_size")->Data(), unsignedRecord);
  ASSERT_NE(MetaManager::Get("UINT32"), nullptr);
  EXPECT_FALSE(MetaManager::Get("UINT32")->Is_Const());

  // "float" is the record MetaVec3::AddMeta made, shared by MetaVec4.
  EXPECT_EQ(MetaManager::Get("float"), MetaVec3::meta_.FindMember("x_")->Data());
  EXPECT_EQ(MetaManager::Get("float"), MetaVec4::meta_.FindMember("w_")->Data());

  const std::vector<std::pair<std::string, std::uint32_t>> sizes{
      {"float", 4},         {"int", 4},  {"bool", 1},     {"double", 8},   {"UINT32", 4}, {"unsigned", 4},
      {"unsigned long", 4}, {"Mat4", 64}, {"MetaVec3", 12}, {"MetaVec4", 16}, {"ObjectID*", sizeof(void*)}};
  for (const auto& [name, size] : sizes) {
    const MetaData* record = MetaManager::Get(name);
    ASSERT_NE(record, nullptr) << name;
    EXPECT_EQ(record->Size(), size) << name;
    EXPECT_EQ(record->Type(), name);
  }
  EXPECT_EQ(MetaManager::Get("MetaVec3"), &MetaVec3::meta_);

  // Start-up again (a second Engine::Initialize) changes nothing.
  const MetaManager::MetaMap before = MetaManager::GetMap();
  META::RegisterBasicTypes();
  EXPECT_EQ(MetaManager::GetMap(), before);
}

TEST_F(Registry, MembersIterateInByteOrderOfTheirNames) {
  EXPECT_EQ(MemberNames(MetaVec4::meta_), (std::vector<std::string>{"w_", "x_", "y_", "z_"}));

  MetaData record("TestOrdering", 16);
  META::AddMember<float>(record, "float", "alpha", 0);
  META::AddMember<float>(record, "float", "WorldPosition", 4);
  META::AddMember<float>(record, "float", "Zeta", 8);
  META::AddMember<float>(record, "float", "WorldOrigin", 12);
  EXPECT_EQ(MemberNames(record), (std::vector<std::string>{"WorldOrigin", "WorldPosition", "Zeta", "alpha"}));
}

TEST_F(Registry, FirstDeclarationOfANameWins) {
  {
    MetaData impostor("MetaVec3", 99);
    EXPECT_EQ(MetaManager::Get("MetaVec3"), &MetaVec3::meta_);
  }
  // The impostor was never registered, so its end must not unregister the original.
  EXPECT_EQ(MetaManager::Get("MetaVec3"), &MetaVec3::meta_);

  MetaData record("TestFirstWins", 16);
  record.AddMember("TestFirstWinsType", "a", 0, 4, nullptr, true, &META::WriteInt, &META::ReadInt);
  record.AddMember("TestFirstWinsType", "b", 4, 8, nullptr, false, &META::WriteFloat, &META::ReadFloat);
  record.AddMember("float", "a", 8, 4, nullptr, false, &META::WriteFloat, &META::ReadFloat);

  const MetaData* type = MetaManager::Get("TestFirstWinsType");
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Size(), 4u);
  EXPECT_TRUE(type->Is_Const());
  EXPECT_EQ(record.FindMember("b")->Data(), type);
  EXPECT_EQ(record.FindMember("a")->Data(), type);
  EXPECT_EQ(record.FindMember("a")->Offset(), 0u);
}

TEST_F(Registry, IsAFollowsBaseLinksOnly) {
  MetaData base("TestBase", 8);
  MetaData derived("TestDerived", 16, &base);
  EXPECT_TRUE(derived.Is_A(&derived));
  EXPECT_TRUE(derived.Is_A(&base));
  EXPECT_FALSE(base.Is_A(&derived));
  EXPECT_FALSE(derived.Is_A(&MetaVec3::meta_));
  EXPECT_FALSE(derived.Is_A(nullptr));
}

TEST_F(Registry, RecordsLeaveTheRegistryWhenDestroyedAndCopiesShareMembers) {
  {
    MetaData scoped("TestScoped", 4);
    EXPECT_EQ(MetaManager::Get("TestScoped"), &scoped);
  }
  EXPECT_EQ(MetaManager::Get("TestScoped"), nullptr);

  {
    const MetaData copy = MetaVec3::meta_;
    EXPECT_EQ(copy.Type(), "MetaVec3");
    EXPECT_EQ(copy.FindMember("x_"), MetaVec3::meta_.FindMember("x_"));
  }
  EXPECT_EQ(MetaManager::Get("MetaVec3"), &MetaVec3::meta_);
  EXPECT_EQ(MemberNames(MetaVec3::meta_), (std::vector<std::string>{"x_", "y_", "z_"}));

  const MetaData unnamed;
  EXPECT_EQ(unnamed.Type(), "meta");
  EXPECT_EQ(unnamed.Size(), sizeof(MetaData));
  EXPECT_NE(MetaManager::Get("meta"), &unnamed);
}

TEST_F(Registry, TypedAddMemberRejectsStorageOfTheWrongSize) {
  MetaData record("TestStorage", 32);
  META::AddMember<bool>(record, "float", "mFlag", 0);
  META::AddMember<std::uint64_t>(record, "unsigned long", "mWide", 8);
  META::AddMember<std::uint16_t>(record, "MetaVec3", "mShort", 16);
  EXPECT_FALSE(record.HasMembers());

  META::AddMember<std::uint32_t>(record, "unsigned long", "mId", 0);
  // A type nobody described becomes an empty block of the storage's size.
  META::AddMember<std::array<char, 12>>(record, "TestOpaque12", "mOpaque", 4);
  EXPECT_EQ(MemberNames(record), (std::vector<std::string>{"mId", "mOpaque"}));
  ASSERT_NE(MetaManager::Get("TestOpaque12"), nullptr);
  EXPECT_EQ(MetaManager::Get("TestOpaque12")->Size(), 12u);

  std::array<std::uint32_t, 8> storage{7};
  EXPECT_EQ(WriteAtDepthZero(record, storage.data()),
            "TestStorage\n{\n\tmId : 7\n\tmOpaque : \tTestOpaque12\n\t{\n\t}\n}\n");
}

TEST_F(Registry, ClearDestroysOwnedRecordsAndStartUpRestoresEverything) {
  const MetaData copy = MetaVec3::meta_;
  MetaManager::Clear();
  EXPECT_TRUE(MetaManager::GetMap().empty());
  // Static records and copies survive, without the members whose type
  // records were destroyed; a member typed by a static record stays.
  EXPECT_EQ(MetaVec3::meta_.Type(), "MetaVec3");
  EXPECT_FALSE(MetaVec3::meta_.HasMembers());
  EXPECT_FALSE(copy.HasMembers());
  EXPECT_EQ(MemberNames(Crate::meta_), (std::vector<std::string>{"m_velocity"}));

  // A class's AddMeta brings back its own record and those its members need.
  Crate::AddMeta();
  EXPECT_EQ(MetaManager::Get("TestCrate"), &Crate::meta_);
  EXPECT_EQ(MetaManager::Get("MetaVec3"), &MetaVec3::meta_);
  EXPECT_EQ(MemberNames(Crate::meta_), (std::vector<std::string>{"m_mass", "m_static", "m_velocity"}));
  META::RegisterBasicTypes();
  const META::Member* x = MetaVec3::meta_.FindMember("x_");
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->Data(), MetaManager::Get("float"));

  MetaVec3 value(Vectormath::Aos::Vector3(1.0f, 2.0f, 3.0f));
  EXPECT_EQ(WriteAtDepthZero(MetaVec3::meta_, &value), "MetaVec3\n{\n\tx_ : 1\n\ty_ : 2\n\tz_ : 3\n}\n");
}

TEST(ValueTypes, VectorsConvertBothWaysAndIdArraysCopyTheirIds) {
  const MetaVec3 position(Vectormath::Aos::Vector3(1.0f, -2.0f, 3.5f));
  EXPECT_EQ(position.x_, 1.0f);
  EXPECT_EQ(position.y_, -2.0f);
  EXPECT_EQ(position.z_, 3.5f);
  const Vectormath::Aos::Vector3 back = position;
  EXPECT_EQ(back.getZ(), 3.5f);

  const MetaVec4 tint(Vectormath::Aos::Vector4(0.25f, 0.5f, 0.75f, 1.0f));
  const Vectormath::Aos::Vector4 tintBack = tint;
  EXPECT_EQ(tintBack.getX(), 0.25f);
  EXPECT_EQ(tintBack.getW(), 1.0f);

  std::vector<ObjectID> ids{4, 8, 15};
  ids.reserve(10);
  const MetaVector array(ids);
  EXPECT_EQ(array.m_size, 3u);
  EXPECT_EQ(array.m_capacity, ids.capacity());
  EXPECT_EQ(array.m_array[2], 15u);
}

}  // namespace
