#include "check/ValueCheck.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "check/CheckReport.h"
#include "check/MemberAccess.h"
#include "check/SourceMap.h"
#include "check/ValueLimits.h"
#include "core/Engine.h"
#include "meta/MetaData.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"

namespace {

// Which members the table of limits speaks for: a component's member, or
// every member below a path prefix.
struct MemberLimit {
  std::string_view component;
  std::string_view path;
  const ValueLimit& limit;
};

const MemberLimit kMemberLimits[] = {
    {"Transform", "transformData.WorldPosition", ValueLimits::kPosition},
    {"Transform", "transformData.WorldOrigin", ValueLimits::kPosition},
    {"Transform", "transformData.WorldScalar", ValueLimits::kScale},
    {"Collider", "m_AabbHalfExtents", ValueLimits::kHalfExtent},
    {"Collider", "m_ObbScale", ValueLimits::kScale},
    {"Collider", "m_ObbLocalCenter", ValueLimits::kPosition},
    {"RigidBody", "m_velocity", ValueLimits::kSpeed},
    {"RigidBody", "m_mass", ValueLimits::kMass},
    {"RigidBody", "m_damping", ValueLimits::kDamping},
    {"PlayerStats", "Speed_", ValueLimits::kSpeed},
    {"Controller", "mLookSpeed", ValueLimits::kSpeed},
    {"Gun", "mMuzzleVel", ValueLimits::kMuzzleVelocity},
    {"Gun", "mShotDelay", ValueLimits::kDuration},
    {"Gun", "mSpreadDelay", ValueLimits::kDuration},
    {"LevelRuleset", "mTimeLimit", ValueLimits::kDuration},
    {"LifeTime", "timeAllowedToLive_", ValueLimits::kDuration},
    {"LifeTime", "timeSpentAlive_", ValueLimits::kDuration},
};

const ValueLimit* LimitOf(std::string_view component, std::string_view path) {
  for (const MemberLimit& entry : kMemberLimits) {
    if (entry.component != component || path.substr(0, entry.path.size()) != entry.path) continue;
    if (path.size() == entry.path.size() || path[entry.path.size()] == '.') return &entry.limit;
  }
  return nullptr;
}

std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

// The problem with one float, or "".
std::string Judge(std::string_view component, const std::string& path, float value) {
  if (std::isnan(value)) return std::string(component) + " " + path + " is not a number (nan)";
  if (std::isinf(value)) return std::string(component) + " " + path + " is infinite";
  const ValueLimit* limit = LimitOf(component, path);
  if (limit == nullptr || ValueLimits::Within(*limit, value)) return {};
  return std::string(component) + " " + path + " is " + Number(value) + ", out of range for a " +
         std::string(limit->name) + " (" + Number(limit->low) + " to " + Number(limit->high) + ")";
}

template <class Report>
void CheckComponent(Component& component, Report report) {
  const std::string name = component.GetMetaData().Type();
  MemberAccess::ForEachLeaf(component, [&](const MemberAccess::Leaf& leaf) {
    if (leaf.type->Type() != "float") return;
    float value = 0.0f;
    std::memcpy(&value, leaf.address, sizeof value);
    const std::string problem = Judge(name, leaf.path, value);
    if (!problem.empty()) report(name, leaf.path, problem);
  });
}

}  // namespace

namespace ValueCheck {

void Check(const std::string& /*level*/, const SourceMap& where, CheckReport& report) {
  // Plain loop variables, not structured bindings: clang 14 (the fuzzer
  // build) cannot capture those in the lambdas below.
  for (const auto& entry : Engine::mFactory.GetArchetypes()) {
    const std::wstring& key = entry.first;
    for (const auto& [type, component] : entry.second->GetComponents()) {
      CheckComponent(*component, [&](const std::string& name, const std::string& path, const std::string& problem) {
        const SourceMap::Place place = where.InArchetype(key, name, path);
        report.Add(place.file, place.line, "archetype '" + NarrowName(key) + "': " + problem);
      });
    }
  }
  for (const auto& entry : Engine::mFactory.GetObjects()) {
    const std::shared_ptr<Object>& object = entry.second;
    const TextOutline::Block* block = where.BlockOf(*object);
    for (const auto& [type, component] : object->GetComponents()) {
      const std::string name = component->GetMetaData().Type();
      // A component the level block does not write is the archetype's, reported there.
      if (block == nullptr || block->Child(name) == nullptr) continue;
      CheckComponent(*component, [&](const std::string& part, const std::string& path, const std::string& problem) {
        const SourceMap::Place place = where.Where(*object, part, path);
        report.Add(place.file, place.line, "'" + object->GetName() + "': " + problem);
      });
    }
  }
}

}  // namespace ValueCheck
