#include "meta/BasicTypes.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "meta/MetaVec3.h"
#include "meta/MetaVec4.h"
#include "meta/MetaVector.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

namespace META {

namespace {

constexpr std::uint32_t SizeOf(std::size_t size) { return static_cast<std::uint32_t>(size); }

// "unsigned" and "ShapeType" carry the const flag because their first
// declarations (MetaVector's sizes, the collider's shape) set it.
const std::array<BasicType, 15> kBasicTypes{{
    {"float", 4, false, &WriteFloat, &ReadFloat},
    {"int", 4, false, &WriteInt, &ReadInt},
    {"bool", 1, false, &WriteBool, &ReadBool},
    {"double", 8, false, &WriteBlock, &ReadBlock},
    {"UINT32", 4, false, &WriteUnsigned, &ReadUnsigned},
    {"unsigned", 4, true, &WriteUnsigned, &ReadUnsigned},
    {"unsigned int", 4, false, &WriteUnsigned, &ReadUnsigned},
    {"unsigned long", 4, false, &WriteUnsignedLong, &ReadUnsignedLong},
    {"ObjectID", 4, false, &WriteUnsignedLong, &ReadUnsignedLong},
    {"Mat4", 64, false, &WriteMat4, &ReadMat4},
    {"std::string", SizeOf(sizeof(std::string)), false, &WriteString, &ReadString},
    {"std::vector<std::string>", SizeOf(sizeof(std::vector<std::string>)), false, &WriteStringList, &ReadStringList},
    {"ShapeType", 4, true, &WriteInt, &ReadInt},
    {"Vec4", 16, false, &WriteBlock, &ReadBlock},
    {"ObjectID*", SizeOf(sizeof(void*)), false, &WriteBlock, &ReadBlock},
}};

}  // namespace

const BasicType* FindBasicType(std::string_view name) {
  for (const BasicType& type : kBasicTypes) {
    if (name == type.name) return &type;
  }
  return nullptr;
}

void RegisterBasicTypes() {
  MetaVec3::AddMeta();
  MetaVec4::AddMeta();
  MetaVector::AddMeta();
  // "UINT32" and "unsigned" come from one unsigned registration, so neither
  // is const here; "unsigned" normally exists already, made const by MetaVector.
  for (const char* name : {"float", "int", "bool", "double", "UINT32", "unsigned", "unsigned long", "Mat4"}) {
    if (MetaManager::Get(name) != nullptr) continue;
    const BasicType* type = FindBasicType(name);
    if (type == nullptr) continue;
    MetaManager::Adopt(std::make_unique<MetaData>(type->name, type->size, nullptr, false, type->write, type->read));
  }
}

}  // namespace META
