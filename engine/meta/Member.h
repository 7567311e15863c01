#pragma once
#include <cstdint>

#include "platform/Export.h"

namespace META {

class MetaData;

// One serialized member of a compound type: its name, where it lives inside
// the owner and the record of its own type.
class TW_API Member {
 public:
  // The type name is accepted for symmetry with AddMember but not kept: the
  // record already carries it. `name` must outlive the member (a literal).
  Member(const char* name, const char* typeName, std::uint32_t offset, const MetaData* data);

  [[nodiscard]] const char* Name() const { return mName; }
  [[nodiscard]] std::uint32_t Offset() const { return mOffset; }
  [[nodiscard]] const MetaData* Data() const { return mData; }

 private:
  const char* mName;
  std::uint32_t mOffset;
  const MetaData* mData;
};

}  // namespace META
