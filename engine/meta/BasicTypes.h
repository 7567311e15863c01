#pragma once
#include <cstdint>
#include <string_view>

#include "meta/MetaData.h"
#include "platform/Export.h"

namespace META {

// How the engine stores, writes and reads a value of a type known by name.
struct BasicType {
  const char* name;
  std::uint32_t size;
  bool isConst;
  SerializeFunction write;
  DeserializeFunction read;
};

// The description of a type name the engine knows without a class record
// ("float", "std::string", "ShapeType", "Vec4", ...), or nullptr.
[[nodiscard]] TW_API const BasicType* FindBasicType(std::string_view name);

// Start-up registration: the vector records' members, then "float", "int",
// "bool", "double", "UINT32", "unsigned", "unsigned long" and "Mat4", each
// only if its name is still free. Safe to call again (after Clear, too).
TW_API void RegisterBasicTypes();

}  // namespace META
