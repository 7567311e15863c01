#pragma once
#include <cmath>
#include <optional>
#include <string_view>

// What the host calls a sane value, in one table: the level checker reports a
// member outside its range, and the physics clamps or rejects the same values
// when they reach it, so `check` and a running match agree on what is absurd.
struct ValueLimit {
  std::string_view name;  // what the value is, as a person reads it
  float low;
  float high;
};

namespace ValueLimits {

// Distances and positions in world units: the Ship spans about 100.
inline constexpr ValueLimit kPosition{"position", -1.0e5f, 1.0e5f};
inline constexpr ValueLimit kHalfExtent{"collider half extent", 0.0f, 1.0e4f};
inline constexpr ValueLimit kScale{"scale", -1.0e4f, 1.0e4f};
// Speeds in units per second: a sprinting player makes about 20.
inline constexpr ValueLimit kSpeed{"speed", -1.0e4f, 1.0e4f};
inline constexpr ValueLimit kMuzzleVelocity{"muzzle velocity", 0.0f, 1.0e4f};
inline constexpr ValueLimit kMass{"mass", 0.0f, 1.0e6f};
inline constexpr ValueLimit kDamping{"damping", 0.0f, 1.0f};
// Times in seconds.
inline constexpr ValueLimit kDuration{"time", 0.0f, 1.0e6f};

[[nodiscard]] inline bool Within(const ValueLimit& limit, float value) {
  return std::isfinite(value) && value >= limit.low && value <= limit.high;
}

// The value brought inside the limit, or nothing when it is not a number.
[[nodiscard]] inline std::optional<float> Clamp(const ValueLimit& limit, float value) {
  if (std::isnan(value)) return std::nullopt;
  return value < limit.low ? limit.low : (value > limit.high ? limit.high : value);
}

}  // namespace ValueLimits
