#pragma once
#include <cstdint>
#include <type_traits>

#include "meta/MetaData.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

// A Vector3 as components store it for the text format. It is a Vector3
// (the base at offset 0, nothing added), so a component can hand out a real
// reference to it; its record names the three floats x_, y_ and z_.
class TW_API MetaVec3 : public Vectormath::Aos::Vector3 {
 public:
  MetaVec3() = default;
  MetaVec3(const Vectormath::Aos::Vector3& vector) : Vectormath::Aos::Vector3(vector) {}
  MetaVec3(const MetaVec3& other) = default;
  MetaVec3& operator=(const MetaVec3& other) = default;

  static META::MetaData meta_;
  static void AddMeta();

  // Where the record's x_, y_ and z_ lie: the vector's own three floats.
  static constexpr std::uint32_t kOffsetX = 0;
  static constexpr std::uint32_t kOffsetY = sizeof(float);
  static constexpr std::uint32_t kOffsetZ = 2 * sizeof(float);
};

static_assert(std::is_standard_layout_v<MetaVec3> && sizeof(MetaVec3) == 3 * sizeof(float),
              "the record describes three packed floats at the start of the vector");
