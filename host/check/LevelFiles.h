#pragma once
#include <string>

// Where a level's files lie, as native paths under the resource root in use:
// the same paths the engine's loader builds.
namespace LevelFiles {

[[nodiscard]] std::string LevelFolder(const std::string& level);
[[nodiscard]] std::string LevelFile(const std::string& level);
// With a trailing separator.
[[nodiscard]] std::string ArchetypeFolder(const std::string& level);
[[nodiscard]] std::string ArchetypeFile(const std::string& level, const std::string& archetype);

// Why `level` cannot name a level folder inside the resource root (a path,
// "..", an empty name), or "" when it can.
[[nodiscard]] std::string NameProblem(const std::string& level);

}  // namespace LevelFiles
