#include "check/LevelRules.h"

#include <cstdint>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "check/CheckReport.h"
#include "check/LevelFiles.h"
#include "check/MemberAccess.h"
#include "check/SourceMap.h"
#include "check/Suggestion.h"
#include "core/Engine.h"
#include "gameplay/InteractorComponent.h"
#include "gameplay/PickupComponent.h"
#include "gameplay/RoomComponent.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"

namespace {

const std::vector<std::string> kPlayerNames = {"Player1", "Player2", "Player3", "Player4"};

bool Has(const Object& object, ComponentType type) { return object.GetComponent(type).lock() != nullptr; }

std::string Quoted(const std::string& name) { return "'" + name + "'"; }

int PlayerNumber(const std::string& name) {
  for (std::size_t i = 0; i < kPlayerNames.size(); ++i) {
    if (name == kPlayerNames[i]) return static_cast<int>(i);
  }
  return -1;
}

class Rules {
 public:
  Rules(const std::string& level, const SourceMap& where, CheckReport& report)
      : mLevel(level), mWhere(where), mReport(report) {
    for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
      mObjects.push_back(object.get());
      mByName[object->GetName()].push_back(object.get());
    }
  }

  void Run() {
    Rooms();
    Doors();
    Players();
    PodsAndPickups();
    Interactors();
    SpawnedArchetypes();
  }

 private:
  void At(const Object& object, std::string_view component, std::string_view path, const std::string& message) {
    const SourceMap::Place place = mWhere.Where(object, component, path);
    mReport.Add(place.file, place.line, message);
  }
  void Level(const std::string& message) { mReport.Add(LevelFiles::LevelFile(mLevel), 0, message); }

  void Rooms() {
    std::vector<const Object*> rooms;
    for (const Object* object : mObjects) {
      if (Has(*object, CT_RoomComponent)) rooms.push_back(object);
    }
    if (rooms.empty()) {
      Level("no rooms: a level needs a centre room (RoomComponent with m_RoomID 0) and rooms around it");
      return;
    }
    const std::uint32_t count = static_cast<std::uint32_t>(rooms.size());
    for (const Object* object : rooms) {
      const std::uint32_t id = object->GetComponentAs<RoomComponent>(CT_RoomComponent)->GetRoomID();
      const auto [first, fresh] = mRoomIDs.emplace(id, object);
      if (!fresh) {
        At(*object, "RoomComponent", "m_RoomID",
           "room " + Quoted(object->GetName()) + " has m_RoomID " + std::to_string(id) + ", which room " +
               Quoted(first->second->GetName()) + " has already: room ids must be unique");
      } else if (id >= count) {
        At(*object, "RoomComponent", "m_RoomID",
           "room " + Quoted(object->GetName()) + " has m_RoomID " + std::to_string(id) + ", out of range: with " +
               std::to_string(count) + " rooms the ids are 0 to " + std::to_string(count - 1) +
               " (a room above that never floods)");
      }
      if (!Has(*object, CT_Transform)) {
        At(*object, {}, {}, "room " + Quoted(object->GetName()) + " has no Transform: it gets no flood ring");
      }
    }
    if (mRoomIDs.find(0) == mRoomIDs.end()) {
      Level("no centre room: no room has m_RoomID 0 (the centre, from which the flood rings are measured)");
    }
  }

  void Doors() {
    for (const Object* object : mObjects) {
      const auto door = object->GetComponent(CT_DoorComponent).lock();
      if (!door) continue;
      std::int32_t ids[2] = {0, 0};
      const char* members[2] = {"m_left_room_id", "m_right_room_id"};
      for (int side = 0; side < 2; ++side) {
        const std::string text = MemberAccess::TextOf(*door, members[side]);
        ids[side] = text.empty() ? 0 : std::stoi(text);
        if (ids[side] < 0 || mRoomIDs.find(static_cast<std::uint32_t>(ids[side])) == mRoomIDs.end()) {
          At(*object, "DoorComponent", members[side],
             "door " + Quoted(object->GetName()) + ": " + members[side] + " is " + std::to_string(ids[side]) +
                 ", but no room has that id (the door never seals)");
        }
      }
      if (ids[0] == ids[1]) {
        At(*object, "DoorComponent", "m_right_room_id",
           "door " + Quoted(object->GetName()) + " leads from room " + std::to_string(ids[0]) + " to itself");
      }
    }
  }

  void Players() {
    int players = 0;
    for (const Object* object : mObjects) {
      const std::string& name = object->GetName();
      const int number = PlayerNumber(name);
      if (number < 0) {
        if (Has(*object, CT_Controller)) {
          At(*object, {}, {},
             Quoted(name) + " has a Controller but is not named Player1 to Player4, so no one plays it" +
                 Suggestion::DidYouMean(name, kPlayerNames));
        }
        continue;
      }
      if (mByName[name].front() != object) {
        At(*object, {}, {}, "a second object is named " + Quoted(name) + ": only the first one is played");
        continue;
      }
      ++players;
      for (const auto& [type, what, why] : {std::tuple{CT_Controller, "Controller", "cannot move"},
                                            std::tuple{CT_PlayerStats, "PlayerStats", "cannot pick anything up"},
                                            std::tuple{CT_Transform, "Transform", "has no place in the level"}}) {
        if (!Has(*object, type)) At(*object, {}, {}, Quoted(name) + " has no " + what + ": the player " + why);
      }
    }
    if (players == 0) Level("no players: a level needs objects named Player1 to Player4 (at least one)");
  }

  void PodsAndPickups() {
    int pods = 0;
    int cells = 0;
    int cards = 0;
    for (const Object* object : mObjects) {
      if (Has(*object, CT_EscapePod)) ++pods;
      const auto pickup = object->GetComponentAs<PickupComponent>(CT_PickupComponent);
      if (!pickup) continue;
      const std::string type = pickup->GetPickupType();
      if (type == "PowerCell") {
        ++cells;
      } else if (type == "KeyCard") {
        ++cards;
      } else {
        At(*object, "PickupComponent", "m_PickupType",
           "pickup " + Quoted(object->GetName()) + " has m_PickupType " + Quoted(type) +
               ", which gives nothing (KeyCard or PowerCell)" + Suggestion::DidYouMean(type, {"KeyCard", "PowerCell"}));
      }
    }
    if (pods == 0) Level("no escape pod: nobody can escape (an object with an EscapePod)");
    if (pods > 0 && cells == 0) Level("no power cell: the escape pods can never be charged");
    if (cards > 0) return;
    for (const Object* object : mObjects) {
      const auto door = object->GetComponent(CT_DoorComponent).lock();
      if (door && MemberAccess::TextOf(*door, "m_requires_key") == "1") {
        At(*object, "DoorComponent", "m_requires_key",
           "door " + Quoted(object->GetName()) + " needs a key card, but the level has none");
      }
    }
  }

  void Interactors() {
    std::map<const Object*, bool> served;
    std::vector<std::string> targets;
    for (const Object* object : mObjects) {
      if (Has(*object, CT_DoorComponent) || Has(*object, CT_EscapePod)) targets.push_back(object->GetName());
    }
    for (const Object* object : mObjects) {
      const auto interactor = object->GetComponentAs<InteractorComponent>(CT_InteractorComponent);
      const bool plate = Has(*object, CT_PressurePlate);
      const bool pod = Has(*object, CT_EscapePod);
      const std::string& name = object->GetName();
      if (!interactor) {
        if (plate)
          At(*object, {}, {}, "pressure plate " + Quoted(name) + " has no InteractorComponent: it opens nothing");
        if (pod)
          At(*object, {}, {}, "escape pod " + Quoted(name) + " has no InteractorComponent: nobody can charge it");
        continue;
      }
      const std::string& bound = interactor->GetBoundObjectName();
      const auto at = [&](const std::string& message) {
        At(*object, "InteractorComponent", "m_name_of_bound_door", message);
      };
      if (bound.empty()) {
        at(Quoted(name) + " has an InteractorComponent bound to nothing (m_name_of_bound_door is empty)");
        continue;
      }
      const auto found = mByName.find(bound);
      if (found == mByName.end()) {
        at(Quoted(name) + " is bound to " + Quoted(bound) + ", but no object has that name" +
           Suggestion::DidYouMean(bound, targets));
        continue;
      }
      if (found->second.size() > 1) {
        at(Quoted(name) + " is bound to " + Quoted(bound) + ", the name of " + std::to_string(found->second.size()) +
           " objects: it may bind to the wrong one");
      }
      // The last object of that name to be created is the one it binds to.
      const Object& target = *found->second.back();
      served[&target] = true;
      if (pod) {
        if (&target != object) {
          at("escape pod " + Quoted(name) + " must bind its interactor to its own name, not " + Quoted(bound));
        }
      } else if (plate) {
        if (!Has(target, CT_DoorComponent)) {
          at("pressure plate " + Quoted(name) + " is bound to " + Quoted(bound) + ", which is no door");
        }
      } else if (Has(target, CT_EscapePod)) {
        at(Quoted(name) + " is bound to escape pod " + Quoted(bound) +
           ": a pod is charged only through the InteractorComponent on the pod itself");
      } else if (!Has(target, CT_DoorComponent)) {
        at(Quoted(name) + " is bound to " + Quoted(bound) + ", which is neither a door nor an escape pod");
      }
    }
    for (const Object* object : mObjects) {
      if (Has(*object, CT_DoorComponent) && !served[object]) {
        At(*object, {}, {},
           "door " + Quoted(object->GetName()) + " has no trigger or pressure plate bound to it: it never opens");
      }
    }
  }

  void Require(const std::wstring& archetype, const std::string& why) {
    if (Engine::mFactory.GetArchetype(archetype).lock()) return;
    mReport.Add(LevelFiles::ArchetypeFile(mLevel, NarrowName(archetype)), 0,
                "no archetype '" + NarrowName(archetype) + "' (" + why + "): this file is missing");
  }

  void SpawnedArchetypes() {
    bool guns = false;
    for (const Object* object : mObjects) guns = guns || Has(*object, CT_Gun);
    if (guns) {
      Require(L"BulletArc", "rifles fire it");
      Require(L"PelletArc", "spread guns fire it");
    }
    if (!mRoomIDs.empty()) {
      Require(L"FloodCube", "flooding rooms fill with it");
      Require(L"WarningLight", "rooms about to flood show it");
    }
    for (std::size_t i = 0; i < kPlayerNames.size(); ++i) {
      const auto player = mByName.find(kPlayerNames[i]);
      if (player == mByName.end() || !Has(*player->second.front(), CT_Controller)) continue;
      Require(L"Player_" + std::to_wstring(i + 1) + L"_Flare", kPlayerNames[i] + " drops it");
    }
  }

  const std::string& mLevel;
  const SourceMap& mWhere;
  CheckReport& mReport;
  std::vector<const Object*> mObjects;
  std::map<std::string, std::vector<const Object*>> mByName;
  std::map<std::uint32_t, const Object*> mRoomIDs;
};

}  // namespace

namespace LevelRules {

void Check(const std::string& level, const SourceMap& where, CheckReport& report) { Rules(level, where, report).Run(); }

}  // namespace LevelRules
