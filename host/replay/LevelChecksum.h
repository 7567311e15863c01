#pragma once
#include <cstdint>
#include <string>

// A checksum of the files a level is made of (its level file and every
// archetype file, names and bytes), so a recording can tell whether it is
// replayed on the level it was made on.
class LevelChecksum {
 public:
  [[nodiscard]] static std::uint64_t Of(const std::string& level);
};
