#include "replay/LevelChecksum.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "check/LevelFiles.h"

namespace {

void Mix(std::uint64_t& hash, const std::string& bytes) {
  for (const char byte : bytes) {
    hash ^= static_cast<std::uint8_t>(byte);
    hash *= 1099511628211ull;
  }
  // The length too, so that moving bytes from one file to the next shows.
  for (std::size_t size = bytes.size(), i = 0; i < 8; ++i, size >>= 8) {
    hash ^= size & 0xFFu;
    hash *= 1099511628211ull;
  }
}

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::uint64_t LevelChecksum::Of(const std::string& level) {
  std::uint64_t hash = 14695981039346656037ull;
  Mix(hash, Contents(LevelFiles::LevelFile(level)));
  std::vector<std::filesystem::path> archetypes;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(LevelFiles::ArchetypeFolder(level), error)) {
    if (entry.is_regular_file(error)) archetypes.push_back(entry.path());
  }
  std::sort(archetypes.begin(), archetypes.end());
  for (const auto& path : archetypes) {
    Mix(hash, path.filename().string());
    Mix(hash, Contents(path));
  }
  return hash;
}
