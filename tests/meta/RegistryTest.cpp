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
#include "meta/Variant.h"

namespace {

using META::MetaData;
using META::MetaManager;

std::vector<std::string> MemberNames(const MetaData& meta) {
  std::vector<std::string> names;
  for (const auto& [name, member] : meta.GetMembers()) names.push_back(name);
  return names;
}

// What a host writing a value on its own gets.
std::string WriteAtDepthZero(const MetaData& meta, void* value) {
  std::ostringstream out;
  Variant(&meta, value).Serialize(out);
  Variant().Serialize(out);  // writes nothing
  return out.str();
}

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestRecords(); }
};

TEST_F(Registry, StartUpGivesEachBasicNameTheRecordDeclaredFirst) {
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

  // "unsigned long" is stored as 4 bytes even where the platform's is 8.
  for (const auto& [name, size] : std::vector<std::pair<std::string, std::uint32_t>>{
           {"bool", 1}, {"unsigned long", 4}, {"Mat4", 64}, {"ObjectID*", sizeof(void*)}}) {
    const MetaData* record = MetaManager::Get(name);
    ASSERT_NE(record, nullptr) << name;
    EXPECT_EQ(record->Size(), size) << name;
  }

  // Start-up again (a second Engine::Initialize) changes nothing.
  const MetaManager::MetaMap before = MetaManager::GetMap();
  META::RegisterBasicTypes();
  EXPECT_EQ(MetaManager::GetMap(), before);
}

TEST_F(Registry, MembersIterateInByteOrderOfTheirNames) {
  MetaData record("TestOrdering", 16);
  META::AddMember<float>(record, "float", "alpha", 0);
  META::AddMember<float>(record, "float", "WorldPosition", 4);
  META::AddMember<float>(record, "float", "Zeta", 8);
  META::AddMember<float>(record, "float", "WorldOrigin", 12);
  EXPECT_EQ(MemberNames(record), (std::vector<std::string>{"WorldOrigin", "WorldPosition", "Zeta", "alpha"}));
}

TEST_F(Registry, FirstDeclarationOfANameWinsAndOnlyARegisteredRecordLeaves) {
  {
    MetaData impostor("MetaVec3", 99);
    const MetaData copy = MetaVec3::meta_;
    EXPECT_EQ(MetaManager::Get("MetaVec3"), &MetaVec3::meta_);
  }
  // Neither the impostor nor the copy was registered, so their end must not
  // unregister the original; a registered record's end does unregister it.
  EXPECT_EQ(MetaManager::Get("MetaVec3"), &MetaVec3::meta_);
  EXPECT_EQ(MemberNames(MetaVec3::meta_), (std::vector<std::string>{"x_", "y_", "z_"}));
  {
    MetaData scoped("TestScoped", 4);
    EXPECT_EQ(MetaManager::Get("TestScoped"), &scoped);
  }
  EXPECT_EQ(MetaManager::Get("TestScoped"), nullptr);

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

TEST_F(Registry, TypedAddMemberRejectsStorageOfTheWrongSize) {
  MetaData record("TestStorage", 32, nullptr, false, &META::WriteBlock, &META::ReadBlock);
  META::AddMember<bool>(record, "float", "mFlag", 0);
  META::AddMember<std::uint64_t>(record, "unsigned long", "mWide", 8);
  EXPECT_FALSE(record.HasMembers());

  META::AddMember<std::uint32_t>(record, "unsigned long", "mId", 0);
  // A type nobody described becomes an empty block of the storage's size.
  META::AddMember<std::array<char, 12>>(record, "TestOpaque12", "mOpaque", 4);
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

  MetaVec3 value(Vectormath::Aos::Vector3(0.5f, 2.0f, 1e6f));
  EXPECT_EQ(WriteAtDepthZero(MetaVec3::meta_, &value), "MetaVec3\n{\n\tx_ : 0.5\n\ty_ : 2\n\tz_ : 1e+06\n}\n");
}

}  // namespace
