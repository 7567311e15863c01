#pragma once
#include <cstddef>
#include <cstdint>

// Byte offset of a data member, for AddMember calls inside a class's static AddMeta.
// Component classes are not standard-layout; g++ gives offsetof a well-defined
// answer for them (no virtual bases here), so its warning is silenced locally.
#define META_OFFSET(Class, member)                                                                                   \
  ([]() -> std::uint32_t {                                                                                           \
    _Pragma("GCC diagnostic push") _Pragma(                                                                          \
        "GCC diagnostic ignored \"-Winvalid-offsetof\"") return static_cast<std::uint32_t>(offsetof(Class, member)); \
    _Pragma("GCC diagnostic pop")                                                                                    \
  }())
