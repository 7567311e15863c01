#pragma once
#include "meta/MetaData.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

// A Vector4 as components store it for the text format: four plain floats.
// Converts to and from Vector4 implicitly, like MetaVec3.
class TW_API MetaVec4 {
 public:
  // Leaves the floats unset, as a plain struct would.
  MetaVec4() = default;
  MetaVec4(const Vectormath::Aos::Vector4& vector);
  MetaVec4(const MetaVec4& other) = default;
  MetaVec4& operator=(const MetaVec4& other) = default;
  operator Vectormath::Aos::Vector4() const { return {x_, y_, z_, w_}; }

  static META::MetaData meta_;
  static void AddMeta();

  float x_;
  float y_;
  float z_;
  float w_;
};
