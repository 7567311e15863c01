#pragma once
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "check/ValueLimits.h"
#include "objects/ComponentType.h"
#include "vectormath/vectormath_aos.h"

class Match;

// Keeps what a level or a component hands the physics within the host's
// table of sane values. A value out of range is clamped, one that is not a
// number is refused; either way the event log gets one warning line per
// object and kind of value, not one per frame.
class ValueGuard {
 public:
  // Without a match nothing is logged.
  explicit ValueGuard(std::shared_ptr<Match> match) : mMatch(std::move(match)) {}

  // The value inside the limit, or nothing when it is not a number. Inline:
  // the physics checks every moving body's position every step, and a value
  // inside the limit needs no look at the log.
  [[nodiscard]] std::optional<float> Check(ObjectID id, const std::string& who, const ValueLimit& limit, float value) {
    if (ValueLimits::Within(limit, value)) return value;
    return Beyond(id, who, limit, value);
  }
  // Each component inside the limit, or nothing when one is not a number.
  [[nodiscard]] std::optional<Vectormath::Aos::Vector3> Check(ObjectID id, const std::string& who,
                                                              const ValueLimit& limit,
                                                              const Vectormath::Aos::Vector3& value);
  // A free-form warning, also once per object and subject.
  void Warn(ObjectID id, const std::string& who, std::string_view subject, const std::string& text);

 private:
  enum class Problem { OutOfRange, NotANumber, Other };
  // Clamps or refuses a value outside the limit, with its warning.
  std::optional<float> Beyond(ObjectID id, const std::string& who, const ValueLimit& limit, float value);
  void Warn(ObjectID id, const std::string& who, std::string_view subject, Problem problem, const std::string& text);

  std::shared_ptr<Match> mMatch;
  std::set<std::tuple<ObjectID, std::string_view, Problem>> mWarned;
};
