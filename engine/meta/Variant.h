#pragma once
#include <cstddef>
#include <iosfwd>
#include <memory>

#include "platform/Export.h"

namespace META {
class MetaData;
}

// A typed reference to one value. Made from (record, address) it does not
// own the value; after an assignment that had to copy the source's value it
// owns that copy and frees it when assigned again or destroyed.
class TW_API Variant {
 public:
  Variant() = default;
  Variant(const META::MetaData* meta, void* data) : mMeta(meta), mData(data) {}
  // Refers to the same value; an owned copy is copied again, never shared.
  Variant(const Variant& other);
  // Takes over the other's value (and ownership of it); the other is left empty.
  Variant(Variant&& other) noexcept;
  // Value assignment: when this record Is_A the source's, copies this
  // record's Size bytes from the source's value (a source of a base record
  // must hold that many); otherwise takes the source's record and owns a byte
  // copy of its value. Does nothing to a Variant without a record.
  Variant& operator=(const Variant& other);
  ~Variant() = default;

  [[nodiscard]] const META::MetaData* GetMeta() const { return mMeta; }
  [[nodiscard]] void* GetData() const { return mData; }
  [[nodiscard]] bool OwnsData() const { return mOwned != nullptr; }

  // Writes the value at depth 0 with its record's writer, if it has one.
  std::ostream& Serialize(std::ostream& stream) const;

 private:
  const META::MetaData* mMeta = nullptr;
  void* mData = nullptr;
  std::unique_ptr<std::byte[]> mOwned;
};
