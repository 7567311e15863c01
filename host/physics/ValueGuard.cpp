#include "physics/ValueGuard.h"

#include <cmath>
#include <cstdio>

#include "app/Match.h"

using Vectormath::Aos::Vector3;

namespace {

std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

std::string Range(const ValueLimit& limit) { return "(" + Number(limit.low) + " to " + Number(limit.high) + ")"; }

}  // namespace

void ValueGuard::Warn(ObjectID id, const std::string& who, std::string_view subject, const std::string& text) {
  Warn(id, who, subject, Problem::Other, text);
}

void ValueGuard::Warn(ObjectID id, const std::string& who, std::string_view subject, Problem problem,
                      const std::string& text) {
  if (!mWarned.emplace(id, subject, problem).second || !mMatch) return;
  mMatch->Note(who, "warning: " + text);
}

std::optional<float> ValueGuard::Beyond(ObjectID id, const std::string& who, const ValueLimit& limit, float value) {
  const std::optional<float> clamped = ValueLimits::Clamp(limit, value);
  if (clamped) {
    Warn(id, who, limit.name, Problem::OutOfRange,
         std::string(limit.name) + " " + Number(value) + " is out of range " + Range(limit) + ": clamped to " +
             Number(*clamped));
  } else {
    Warn(id, who, limit.name, Problem::NotANumber, std::string(limit.name) + " is not a number: refused");
  }
  return clamped;
}

std::optional<Vector3> ValueGuard::Check(ObjectID id, const std::string& who, const ValueLimit& limit,
                                         const Vector3& value) {
  Vector3 result(0.0f);
  for (int axis = 0; axis < 3; ++axis) {
    const std::optional<float> checked = Check(id, who, limit, value.getElem(axis));
    if (!checked) return std::nullopt;
    result.setElem(axis, *checked);
  }
  return result;
}
