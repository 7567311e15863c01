// Every component class the engine registers, with a non-default value in
// every stored member, survives being written as a level and read back. The
// classes and members are found through the factory table and the reflection
// records, so a class or member added later is covered without touching this.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "meta/MetaData.h"
#include "objects/ComponentFactory.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "support/EngineFixture.h"

namespace {

// Members of these types are not stored in files, by design.
bool IsUnstored(const std::string& type) {
  return type == "Mat4" || type == "Vec4" || type == "double" || type == "ObjectID*";
}

// Gives every stored leaf a value that differs from the one it has, and a
// different one for each leaf (`seed`), so swapped members are caught too.
void Perturb(const META::MetaData& record, std::byte* address, int& seed) {
  for (const auto& [name, member] : record.GetMembers()) {
    const META::MetaData* type = member->Data();
    std::byte* field = address + member->Offset();
    const std::string typeName = type->Type();
    ++seed;
    if (IsUnstored(typeName)) {
      continue;
    } else if (type->HasMembers()) {
      Perturb(*type, field, seed);
    } else if (typeName == "float") {
      float value = 0.0f;
      std::memcpy(&value, field, sizeof value);
      value += 1.5f + static_cast<float>(seed);
      std::memcpy(field, &value, sizeof value);
    } else if (typeName == "int" || typeName == "ShapeType") {
      std::int32_t value = 0;
      std::memcpy(&value, field, sizeof value);
      value = value == 1 ? 2 : 1;  // small: some ints are enumerations
      std::memcpy(field, &value, sizeof value);
    } else if (typeName == "bool") {
      bool& value = *reinterpret_cast<bool*>(field);
      value = !value;
    } else if (typeName == "UINT32" || typeName == "unsigned" || typeName == "unsigned int" ||
               typeName == "unsigned long" || typeName == "ObjectID") {
      std::uint32_t value = 0;
      std::memcpy(&value, field, sizeof value);
      value += 3u + static_cast<std::uint32_t>(seed);
      std::memcpy(field, &value, sizeof value);
    } else if (typeName == "std::string") {
      *reinterpret_cast<std::string*>(field) += "value " + std::to_string(seed) + " with blanks";
    } else if (typeName == "std::vector<std::string>") {
      auto& list = *reinterpret_cast<std::vector<std::string>*>(field);
      list = {"texture" + std::to_string(seed), "second" + std::to_string(seed)};
    } else {
      ADD_FAILURE() << "no test value for member " << name << " of type " << typeName;
    }
  }
}

std::string Write(Object& object) {
  std::ostringstream text;
  Engine::mSerializer(object, text);
  return text.str();
}

class EveryComponentRoundTripTest : public EngineFixture {};

TEST_F(EveryComponentRoundTripTest, NonDefaultValuesComeBackFromTheText) {
  ObjectFactory& factory = Engine::mFactory;
  factory.CreateGenericArchetype(L"Object");
  int seed = 0;
  std::size_t classes = 0;
  for (const auto& [registryName, componentFactory] : factory.GetComponentFactories()) {
    if (componentFactory->GetType() == CT_Object) continue;
    SCOPED_TRACE(NarrowName(registryName));
    auto original = factory.CreateGenericObject().lock();
    original->SetName("Original");
    auto component = factory.GiveObjectComponent(original, registryName).lock();
    ASSERT_TRUE(component);
    const std::string defaults = Write(*original);
    Perturb(component->GetMetaData(), reinterpret_cast<std::byte*>(component.get()), seed);
    const std::string written = Write(*original);
    if (component->GetMetaData().HasMembers()) {
      EXPECT_NE(written, defaults);
    }

    // Read back as an archetype: pure data, no Initialize to reset run-time state.
    const std::wstring copyName = L"Copy" + registryName;
    auto copy = factory.CreateGenericArchetype(copyName).lock();
    ASSERT_TRUE(copy);
    std::istringstream input(written);
    Engine::mDeserializer(*copy, input);
    EXPECT_EQ(copy->GetName(), "Original");
    ASSERT_FALSE(copy->GetComponent(component->GetType()).expired()) << "nothing was read from\n" << written;
    EXPECT_EQ(Write(*copy), written);
    ++classes;
  }
  EXPECT_GE(classes, 7u);
}

TEST_F(EveryComponentRoundTripTest, EveryRecordMemberHasAStorageOfItsOwnSize) {
  for (const auto& [registryName, componentFactory] : Engine::mFactory.GetComponentFactories()) {
    auto component = componentFactory->CreateArchetypeComponent();
    const META::MetaData& record = component->GetMetaData();
    for (const auto& [name, member] : record.GetMembers()) {
      const std::string type = member->Data()->Type();
      if (IsUnstored(type)) continue;
      EXPECT_LE(member->Offset() + member->Data()->Size(), record.Size())
          << NarrowName(registryName) << "::" << name << " runs past the end of its class";
    }
  }
}

}  // namespace
