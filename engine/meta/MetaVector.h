#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "meta/MetaData.h"
#include "objects/ComponentType.h"
#include "platform/Export.h"

// A serializable array of object ids. It owns its array, so it is neither
// copied nor moved: a byte copy of the owner would free the array twice.
class TW_API MetaVector {
 public:
  // An array of exactly the ids' count; m_capacity keeps the vector's capacity.
  explicit MetaVector(const std::vector<ObjectID>& ids);
  MetaVector(const MetaVector&) = delete;
  MetaVector& operator=(const MetaVector&) = delete;
  ~MetaVector() = default;

  static META::MetaData meta_;
  static void AddMeta();

  // Described as "ObjectID*": a pointer-sized handle to the owned array.
  std::unique_ptr<ObjectID[]> m_array;
  std::uint32_t m_size;
  std::uint32_t m_capacity;
};
