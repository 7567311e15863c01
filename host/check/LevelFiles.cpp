#include "check/LevelFiles.h"

#include "objects/FileFunctions.h"
#include "platform/FileSystem.h"

namespace LevelFiles {

namespace {

std::wstring Folder(const std::string& level) {
  return std::wstring(Platform::kDefaultResourceRoot) + L"\\Levels\\" + WidenName(level);
}

}  // namespace

std::string LevelFolder(const std::string& level) { return Platform::NativePath(Folder(level)); }

std::string LevelFile(const std::string& level) {
  return Platform::NativePath(Folder(level) + L"\\" + WidenName(level) + L".txt");
}

std::string ArchetypeFolder(const std::string& level) {
  return Platform::NativePath(Folder(level) + L"\\Archetypes\\");
}

std::string ArchetypeFile(const std::string& level, const std::string& archetype) {
  return Platform::NativePath(Folder(level) + L"\\Archetypes\\" + WidenName(archetype) + L".arc");
}

std::string NameProblem(const std::string& level) {
  if (level.empty()) return "a level name cannot be empty";
  if (level == "." || level == "..") return "a level name cannot be '.' or '..'";
  for (const char c : level) {
    if (c == '/' || c == '\\') return "a level is named, not given as a path ('" + level + "' holds a separator)";
    if (static_cast<unsigned char>(c) < 0x20) return "a level name cannot hold control characters";
  }
  if (level.find("..") != std::string::npos) return "a level name cannot hold '..'";
  return {};
}

}  // namespace LevelFiles
