#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "meta/Member.h"
#include "meta/MemberIndex.h"
#include "meta/MetaManager.h"
#include "meta/Variant.h"
#include "platform/Export.h"

namespace META {

// Text functions of a type: write one value at an indentation depth, or read
// one value (the archetype flag is passed on to nested readers).
using SerializeFunction = std::ostream& (*)(std::ostream& stream, Variant value, unsigned depth);
using DeserializeFunction = std::istream& (*)(std::istream& stream, Variant value, bool archetype);

// Run-time description of a serializable type: name, size, optional base,
// const flag, text functions and, for compound types, its members.
class TW_API MetaData {
 public:
  // Ordered by plain byte comparison of the names ("WorldOrigin" before
  // "WorldPosition", upper case before lower case). Copies of a record share
  // the Member objects, so shared ownership keeps every copy valid.
  using MemberMap = std::map<std::string, std::shared_ptr<const Member>, std::less<>>;

  // Named "meta", the size of a record, nothing else; not registered.
  MetaData();
  // Registers itself unless a record of that name is registered already.
  // `name` must outlive the record (a literal).
  MetaData(const char* name, std::uint32_t size, const MetaData* base = nullptr, bool isConst = false,
           SerializeFunction serialize = nullptr, DeserializeFunction deserialize = nullptr);
  // Copies are not registered and share the source's members.
  MetaData(const MetaData& other);
  MetaData& operator=(const MetaData& other);
  // Also drops the record from the registry if it is registered.
  ~MetaData();

  void Initialize(const char* name, std::uint32_t size, const MetaData* base);

  // Adds a member whose type is the record registered under `typeName`; the
  // first use of an unknown type name creates that record (owned by the
  // registry) from the remaining arguments. A second member of the same
  // name is ignored.
  void AddMember(const char* typeName, const char* memberName, std::uint32_t offset, std::uint32_t size,
                 const MetaData* base, bool isConst, SerializeFunction serialize, DeserializeFunction deserialize);

  // True for this record and for every record reached through the base links.
  [[nodiscard]] bool Is_A(const MetaData* other) const;
  [[nodiscard]] bool Is_Const() const { return mConst; }
  [[nodiscard]] bool HasMembers() const { return !mMembers.empty(); }
  [[nodiscard]] std::uint32_t Size() const { return mSize; }
  [[nodiscard]] std::string Type() const { return mName != nullptr ? mName : ""; }
  [[nodiscard]] const char* Name() const { return mName != nullptr ? mName : ""; }
  [[nodiscard]] const MetaData* Base() const { return mBase; }
  [[nodiscard]] const MemberMap& GetMembers() const { return mMembers; }
  [[nodiscard]] const Member* FindMember(std::string_view name) const { return mIndex.Find(name); }
  // For reading a block line by line: `cursor` starts at 0 and remembers
  // where the next member is expected (see MemberIndex).
  [[nodiscard]] const Member* FindMember(std::string_view name, std::size_t& cursor) const {
    return mIndex.Find(name, cursor);
  }
  [[nodiscard]] SerializeFunction GetSerialize() const { return mSerialize; }
  [[nodiscard]] DeserializeFunction GetDeserialize() const { return mDeserialize; }

  // Raw byte copies of Size() bytes: right for plain values (numbers,
  // MetaVec3), not for types that own memory such as std::string.
  void CopyTo(void* destination, const void* source) const;
  [[nodiscard]] std::unique_ptr<std::byte[]> CopyThis(const void* source) const;

  // Call the text functions when the record has them.
  std::ostream& Serialize(std::ostream& stream, Variant value, unsigned depth) const;
  std::istream& Deserialize(std::istream& stream, Variant value, bool archetype) const;

 private:
  friend class MetaManager;

  // Brings the index up to date after the members changed.
  void IndexMembers();

  const char* mName;
  std::uint32_t mSize;
  bool mConst;
  const MetaData* mBase;
  SerializeFunction mSerialize;
  DeserializeFunction mDeserialize;
  MemberMap mMembers;
  MemberIndex mIndex;
};

// AddMember for a known type name: takes the engine's size, const flag and
// text functions for `typeName` ("float", "int", "bool", "UINT32", "unsigned",
// "unsigned int", "unsigned long", "ObjectID", "std::string",
// "std::vector<std::string>", "Mat4", "ShapeType", "Vec4", ...) or, for any
// other name, the registered class record (MetaVec3, MetaVec4, TransformData),
// else a new member-less block record. The owner is registered too when its
// name is free (after a Clear). The member is left out when
// `storageSize` differs from the record's size: reading it would write past
// the member.
TW_API void AddKnownMember(MetaData& owner, const char* typeName, const char* memberName, std::uint32_t offset,
                           std::uint32_t storageSize);

// Registers a member of storage type T, inside a class's static AddMeta:
//   void Gun::AddMeta() {
//     META::AddMember<float>(meta_, "float", "mGunTimer", META_OFFSET(Gun, mGunTimer));
//     META::AddMember<MetaVec3>(meta_, "MetaVec3", "mMuzzleAim", META_OFFSET(Gun, mMuzzleAim));
//   }
// A T with its own static record (MetaVec3, ...) has that record registered
// first, so the member always refers to it.
template <class T>
void AddMember(MetaData& owner, const char* typeName, const char* memberName, std::uint32_t offset) {
  if constexpr (requires { T::meta_; }) MetaManager::RegisterMeta(&T::meta_);
  AddKnownMember(owner, typeName, memberName, offset, static_cast<std::uint32_t>(sizeof(T)));
}

}  // namespace META
