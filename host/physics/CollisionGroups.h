#pragma once
#include <cstdint>
#include <map>
#include <string>

// Collision groups as Bullet's group and mask filters. Every body has one
// category bit and a mask of the categories it meets; two bodies touch only
// when each one's category is in the other's mask.
//
// - Fixed (static and kinematic bodies) never meet each other: walls, rooms
//   and doors report nothing among themselves.
// - A body in the group "<Name>projectile" is a shot of the object <Name>: it
//   passes that object and every other shot. The object <Name> gets a
//   category of its own for this (an owner bit) as soon as the group appears.
// - Members of any other named group pass each other.
// - Everything else meets everything.
class CollisionGroups {
 public:
  struct Filter {
    int category = 0;
    int mask = 0;
    bool operator==(const Filter&) const = default;
  };

  // The filter of a body: whether it moves by itself (dynamic), the name of
  // its object and its collision group ("" for none).
  [[nodiscard]] Filter FilterOf(bool dynamic, const std::string& objectName, const std::string& group);
  // Whether the last FilterOf made `objectName`-like bodies owners: bodies of
  // that name then need a new filter. Cleared by the call.
  [[nodiscard]] bool TakeNewOwner(std::string& ownerName);
  // Groups that got no bit of their own because all were taken; they act as no group.
  [[nodiscard]] bool TakeOverflow(std::string& groupName);

  static constexpr int kFixed = 1 << 0;
  static constexpr int kMover = 1 << 1;
  static constexpr int kShot = 1 << 2;
  static constexpr int kAll = 0x7FFFFFFF;

 private:
  // A bit for a name from the shared pool, or 0 when the pool is empty.
  int BitFor(std::map<std::string, int>& table, const std::string& name);

  std::map<std::string, int> mOwnerBits;
  std::map<std::string, int> mGroupBits;
  int mNextBit = 3;
  std::string mNewOwner;
  std::string mOverflow;
};
