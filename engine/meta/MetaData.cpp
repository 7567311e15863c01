#include "meta/MetaData.h"

#include <cstring>
#include <vector>

#include "meta/BasicTypes.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

namespace META {

MetaData::MetaData()
    : mName("meta"),
      mSize(static_cast<std::uint32_t>(sizeof(MetaData))),
      mConst(false),
      mBase(nullptr),
      mSerialize(nullptr),
      mDeserialize(nullptr) {
  MetaManager::Track(this);
}

MetaData::MetaData(const char* name, std::uint32_t size, const MetaData* base, bool isConst,
                   SerializeFunction serialize, DeserializeFunction deserialize)
    : mName(name), mSize(size), mConst(isConst), mBase(base), mSerialize(serialize), mDeserialize(deserialize) {
  MetaManager::Track(this);
  if (mName != nullptr) MetaManager::RegisterMeta(this);
}

MetaData::MetaData(const MetaData& other)
    : mName(other.mName),
      mSize(other.mSize),
      mConst(other.mConst),
      mBase(other.mBase),
      mSerialize(other.mSerialize),
      mDeserialize(other.mDeserialize),
      mMembers(other.mMembers),
      mIndex(other.mIndex) {
  MetaManager::Track(this);
}

MetaData& MetaData::operator=(const MetaData& other) = default;

MetaData::~MetaData() {
  MetaManager::Forget(this);
  mMembers.clear();
}

void MetaData::Initialize(const char* name, std::uint32_t size, const MetaData* base) {
  mName = name;
  mSize = size;
  mBase = base;
}

void MetaData::AddMember(const char* typeName, const char* memberName, std::uint32_t offset, std::uint32_t size,
                         const MetaData* base, bool isConst, SerializeFunction serialize,
                         DeserializeFunction deserialize) {
  if (typeName == nullptr || memberName == nullptr) return;
  const MetaData* type = MetaManager::Get(typeName);
  if (type == nullptr) {
    type = MetaManager::Adopt(std::make_unique<MetaData>(typeName, size, base, isConst, serialize, deserialize));
  }
  if (mMembers.try_emplace(memberName, std::make_shared<const Member>(memberName, typeName, offset, type)).second) {
    IndexMembers();
  }
}

void MetaData::IndexMembers() {
  std::vector<const Member*> members;
  members.reserve(mMembers.size());
  for (const auto& [name, member] : mMembers) members.push_back(member.get());
  mIndex.Assign(std::move(members));
}

bool MetaData::Is_A(const MetaData* other) const {
  if (other == nullptr) return false;
  for (const MetaData* record = this; record != nullptr; record = record->mBase) {
    if (record == other) return true;
  }
  return false;
}

void MetaData::CopyTo(void* destination, const void* source) const {
  if (destination == nullptr || source == nullptr || destination == source) return;
  std::memmove(destination, source, mSize);
}

std::unique_ptr<std::byte[]> MetaData::CopyThis(const void* source) const {
  auto copy = std::make_unique<std::byte[]>(mSize);
  if (source != nullptr) std::memcpy(copy.get(), source, mSize);
  return copy;
}

std::ostream& MetaData::Serialize(std::ostream& stream, Variant value, unsigned depth) const {
  if (mSerialize != nullptr) mSerialize(stream, std::move(value), depth);
  return stream;
}

std::istream& MetaData::Deserialize(std::istream& stream, Variant value, bool archetype) const {
  if (mDeserialize != nullptr) mDeserialize(stream, std::move(value), archetype);
  return stream;
}

void AddKnownMember(MetaData& owner, const char* typeName, const char* memberName, std::uint32_t offset,
                    std::uint32_t storageSize) {
  if (typeName == nullptr || memberName == nullptr) return;
  // A no-op normally (first wins); after a Clear it brings the class back.
  MetaManager::RegisterMeta(&owner);
  if (const BasicType* basic = FindBasicType(typeName)) {
    const MetaData* registered = MetaManager::Get(basic->name);
    const std::uint32_t size = registered != nullptr ? registered->Size() : basic->size;
    if (size != storageSize) return;
    owner.AddMember(basic->name, memberName, offset, basic->size, nullptr, basic->isConst, basic->write, basic->read);
    return;
  }
  const MetaData* registered = MetaManager::Get(typeName);
  if (registered != nullptr && registered->Size() != storageSize) return;
  // A type nobody described is written as an empty block and never read into.
  owner.AddMember(typeName, memberName, offset, storageSize, nullptr, false, &WriteBlock, &ReadBlock);
}

}  // namespace META
