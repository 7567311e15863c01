#include "meta/MemberIndex.h"

#include <utility>

#include "meta/Member.h"

namespace META {

namespace {

std::size_t Hash(std::string_view name) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
  return static_cast<std::size_t>(hash ^ (hash >> 29));
}

}  // namespace

void MemberIndex::Assign(std::vector<const Member*> members) {
  mMembers = std::move(members);
  mNames.clear();
  mLengths = 0;
  for (const Member* member : mMembers) {
    mNames.emplace_back(member->Name());
    mLengths |= LengthBit(mNames.back().size());
  }
  // At most half full, so a miss ends soon.
  std::size_t size = 4;
  while (size < 2 * mMembers.size()) size *= 2;
  mSlots.assign(size, 0);
  for (std::size_t i = 0; i < mMembers.size(); ++i) {
    std::size_t slot = Hash(mNames[i]) & (size - 1);
    while (mSlots[slot] != 0) slot = (slot + 1) & (size - 1);
    mSlots[slot] = static_cast<std::uint32_t>(i + 1);
  }
}

std::size_t MemberIndex::Position(std::string_view name) const {
  if ((mLengths & LengthBit(name.size())) == 0) return mMembers.size();
  const std::size_t mask = mSlots.size() - 1;
  for (std::size_t slot = Hash(name) & mask; mSlots[slot] != 0; slot = (slot + 1) & mask) {
    const std::size_t position = mSlots[slot] - 1;
    if (mNames[position] == name) return position;
  }
  return mMembers.size();
}

const Member* MemberIndex::Find(std::string_view name) const {
  if (mSlots.empty()) return nullptr;
  const std::size_t position = Position(name);
  return position < mMembers.size() ? mMembers[position] : nullptr;
}

const Member* MemberIndex::FindFrom(std::string_view name, std::size_t& cursor) const {
  if (mSlots.empty()) return nullptr;
  const std::size_t position = Position(name);
  if (position == mMembers.size()) return nullptr;
  cursor = position + 1;
  return mMembers[position];
}

}  // namespace META
