// The level and archetype file members of ObjectFactory: where the files of
// a level lie, which of them are read, and what is announced around a load.
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

#include "core/Engine.h"
#include "core/RenderMessages.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "objects/ResourceRequests.h"
#include "platform/FileSystem.h"

namespace {

// Engine paths: relative to the host's current directory, with backslashes.
std::wstring LevelFolder(const std::wstring& level) {
  return std::wstring(Platform::kDefaultResourceRoot) + L"\\Levels\\" + level;
}
std::wstring LevelFile(const std::wstring& level) { return LevelFolder(level) + L"\\" + level + L".txt"; }
std::wstring ArchetypeFolder(const std::wstring& level) { return LevelFolder(level) + L"\\Archetypes\\"; }

// The archetype a path names, or false when it is no archetype file: the
// last four characters read ".ARC" in any letter case; the name is what lies
// between the last backslash and them.
bool ArchetypeNameOf(const std::wstring& path, std::wstring& name) {
  if (path.size() <= 4) return false;
  static constexpr wchar_t kExtension[] = L".ARC";
  for (std::size_t i = 0; i < 4; ++i) {
    const auto c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(path[path.size() - 4 + i])));
    if (c != kExtension[i]) return false;
  }
  const std::size_t slash = path.rfind(L'\\');
  const std::size_t start = slash == std::wstring::npos ? 0 : slash + 1;
  const std::size_t end = path.size() - 4;
  name = start <= end ? path.substr(start, end - start) : std::wstring();
  return true;
}

}  // namespace

void ObjectFactory::LoadLevel(const std::string& levelName) { LoadLevel(WidenName(levelName)); }

void ObjectFactory::LoadLevel(const std::wstring& levelName) {
  Engine::mDeserializer.Report().Clear();
  DestroyAllArchetypes();
  DestroyAllObjects();
  Engine::RelayMessage(std::make_shared<ClearResourcesMessage>(L"Core"));
  LoadArchetypes(GetFilesInWindowsDirectory(ArchetypeFolder(levelName)));
  Engine::mDeserializer(NarrowName(LevelFile(levelName)));
}

void ObjectFactory::LoadArchetypes(const std::vector<std::wstring>& files) {
  for (const std::wstring& path : files) {
    std::wstring name;
    if (!ArchetypeNameOf(path, name)) continue;
    const std::shared_ptr<Object> archetype = CreateGenericArchetype(name).lock();
    if (!archetype) {
      // The table keeps the archetype it has; this file has nothing to fill.
      Engine::mDeserializer.Report().Add(
          {NarrowName(path), 0, "archetype '" + NarrowName(name) + "' is loaded already; file skipped"});
      continue;
    }
    Engine::mDeserializer(*archetype, path);
    RelayResourceRequests(*archetype);
  }
  // Plain objects are cloned from "Object"; a file of that name wins.
  CreateGenericArchetype(L"Object");
}

void ObjectFactory::SaveLevel(const std::string& levelName) { SaveLevel(WidenName(levelName)); }

void ObjectFactory::SaveLevel(const std::wstring& levelName) {
  const std::wstring folder = LevelFolder(levelName);
  if (!DirExists(folder)) {
    MakeDir(folder);
    MakeDir(folder + L"\\Archetypes");
  }
  SaveArchetypes(levelName);
  Engine::mSerializer(LevelFile(levelName));
}

void ObjectFactory::SaveArchetypes(const std::string& levelName) { SaveArchetypes(WidenName(levelName)); }

void ObjectFactory::SaveArchetypes(const std::wstring& levelName) {
  const std::wstring folder = ArchetypeFolder(levelName);
  for (const auto& [key, archetype] : mArchetypes) {
    // Named after the archetype's own name, which AddArchetype may not match.
    if (archetype) Engine::mSerializer(*archetype, folder + archetype->GetArchetypeName() + L".arc");
  }
}
