#include "check/LevelCheck.h"

#include <ostream>

#include "core/Engine.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"
#include "platform/FileSystem.h"

namespace {

void RequireArchetype(const std::wstring& name, const std::string& why, std::vector<std::string>& problems) {
  if (Engine::mFactory.GetArchetype(name).lock()) return;
  problems.push_back("Archetypes: no archetype '" + std::string(name.begin(), name.end()) + "' (" + why + ")");
}

}  // namespace

std::vector<std::string> LevelCheck::Problems() {
  std::vector<std::string> problems;
  for (const META::TextReadIssue& issue : Engine::mDeserializer.Report().Issues()) {
    // Where the file really is, not the engine's own path to it.
    std::string line = issue.file.empty() ? std::string("(stream)") : Platform::NativePath(issue.file);
    if (issue.line != 0) line += ":" + std::to_string(issue.line);
    problems.push_back(line + ": " + issue.reason);
  }
  bool guns = false;
  bool rooms = false;
  std::vector<std::string> players;
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    guns = guns || object->GetComponent(CT_Gun).lock() != nullptr;
    rooms = rooms || object->GetComponent(CT_RoomComponent).lock() != nullptr;
    const std::string& name = object->GetName();
    if (name.size() == 7 && name.compare(0, 6, "Player") == 0 && name[6] >= '1' && name[6] <= '4' &&
        object->GetComponent(CT_Controller).lock()) {
      players.push_back(name);
    }
  }
  if (guns) {
    RequireArchetype(L"BulletArc", "rifles fire it", problems);
    RequireArchetype(L"PelletArc", "spread guns fire it", problems);
  }
  if (rooms) {
    RequireArchetype(L"FloodCube", "flooding rooms fill with it", problems);
    RequireArchetype(L"WarningLight", "rooms about to flood show it", problems);
  }
  for (const std::string& player : players) {
    const std::string flare = "Player_" + player.substr(6) + "_Flare";
    RequireArchetype(WidenName(flare), player + " drops it", problems);
  }
  return problems;
}

bool LevelCheck::Run(const std::string& level, std::ostream& out) {
  Engine::mFactory.LoadLevel(level);
  const std::vector<std::string> problems = Problems();
  for (const std::string& problem : problems) out << problem << '\n';
  const std::size_t objects = Engine::mFactory.GetObjects().size();
  const std::size_t archetypes = Engine::mFactory.GetArchetypes().size();
  out << level << ": " << objects << " objects, " << archetypes << " archetypes: ";
  if (problems.empty()) {
    out << "clean\n";
  } else {
    out << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
  }
  return problems.empty();
}
