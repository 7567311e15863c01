#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/Export.h"

namespace META {

class Member;

// A record's members by name, for the readers: one line of a file is one
// lookup, so it must cost no string. Files list a record's members in the
// record's own order, so the member after the last one found is tried first;
// any other name costs one hash.
class TW_API MemberIndex {
 public:
  // `members` in the record's order; their names must outlive the index.
  void Assign(std::vector<const Member*> members);

  [[nodiscard]] const Member* Find(std::string_view name) const;
  // `cursor` is where the next name is expected (0 at a block's start); it
  // moves past the member found.
  [[nodiscard]] const Member* Find(std::string_view name, std::size_t& cursor) const {
    if (cursor < mMembers.size() && mNames[cursor] == name) return mMembers[cursor++];
    return FindFrom(name, cursor);
  }

 private:
  static std::uint64_t LengthBit(std::size_t length) { return std::uint64_t{1} << (length < 63 ? length : 63); }
  [[nodiscard]] std::size_t Position(std::string_view name) const;
  [[nodiscard]] const Member* FindFrom(std::string_view name, std::size_t& cursor) const;

  std::vector<const Member*> mMembers;
  std::vector<std::string_view> mNames;
  // Open addressing: a member's position plus one, or 0 for a free slot.
  std::vector<std::uint32_t> mSlots;
  // Bit n set when a name is n characters long (names of 63 or more share
  // bit 63), so that most misses end before any hash: a component's name
  // looked up among an object's own members, say.
  std::uint64_t mLengths = 0;
};

}  // namespace META
