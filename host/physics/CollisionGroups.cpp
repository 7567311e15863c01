#include "physics/CollisionGroups.h"

namespace {

constexpr std::string_view kProjectileSuffix = "projectile";
// Bits 3 to 30 are handed out to owners and named groups; bit 31 is the sign.
constexpr int kLastBit = 30;

}  // namespace

int CollisionGroups::BitFor(std::map<std::string, int>& table, const std::string& name) {
  const auto found = table.find(name);
  if (found != table.end()) return found->second;
  if (mNextBit > kLastBit) {
    mOverflow = name;
    table.emplace(name, 0);
    return 0;
  }
  const int bit = 1 << mNextBit++;
  table.emplace(name, bit);
  if (&table == &mOwnerBits) mNewOwner = name;
  return bit;
}

CollisionGroups::Filter CollisionGroups::FilterOf(bool dynamic, const std::string& objectName,
                                                  const std::string& group) {
  const auto owner = mOwnerBits.find(objectName);
  const int ownerBit = owner == mOwnerBits.end() ? 0 : owner->second;
  Filter filter{dynamic ? kMover : kFixed, dynamic ? kAll : kAll & ~kFixed};
  if (ownerBit != 0 && dynamic) filter.category = ownerBit;
  if (group.empty()) return filter;

  if (group.size() > kProjectileSuffix.size() && group.ends_with(kProjectileSuffix)) {
    const int shooterBit = BitFor(mOwnerBits, group.substr(0, group.size() - kProjectileSuffix.size()));
    if (dynamic) filter.category = kShot;
    filter.mask &= ~kShot & ~shooterBit;
    return filter;
  }
  const int groupBit = BitFor(mGroupBits, group);
  if (groupBit == 0) return filter;
  // An owner keeps its own bit so that its shots still pass it; it only stops
  // meeting the rest of its group.
  if (dynamic && ownerBit == 0) filter.category = groupBit;
  filter.mask &= ~groupBit;
  return filter;
}

bool CollisionGroups::TakeNewOwner(std::string& ownerName) {
  if (mNewOwner.empty()) return false;
  ownerName = std::move(mNewOwner);
  mNewOwner.clear();
  return true;
}

bool CollisionGroups::TakeOverflow(std::string& groupName) {
  if (mOverflow.empty()) return false;
  groupName = std::move(mOverflow);
  mOverflow.clear();
  return true;
}
