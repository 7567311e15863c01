#include "check/LevelScaffold.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "check/LevelFiles.h"
#include "check/MemberAccess.h"
#include "check/SparseLevelWriter.h"
#include "core/Engine.h"
#include "objects/ComponentFactory.h"
#include "objects/FileFunctions.h"
#include "objects/Object.h"
#include "platform/FileSystem.h"

namespace fs = std::filesystem;

namespace {

// The Ship's proportions, which the bots find their way in.
constexpr float kSpacing = 50.0f;
constexpr float kHalf = 25.0f;
constexpr float kRoomHeight = 10.0f;
constexpr float kWallHeight = 6.0f;
constexpr float kGap = 2.5f;  // half a doorway
constexpr float kDoorHeight = 5.0f;

std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text[0] == '-' && text[1] == '0' && text[2] == '\0' ? "0" : text;
}

struct Vec {
  float x, y, z;
};

// Sets the members of one component of an object through the engine's own
// readers, so every value is what a file holding it would give.
class Part {
 public:
  explicit Part(Component* component) : mComponent(component) {}
  Part& Set(const char* path, const std::string& value) {
    if (mComponent == nullptr || !MemberAccess::Set(*mComponent, path, value)) Failures().push_back(path);
    return *this;
  }
  // Paths that named no member: a slip in the tables below, caught by Write.
  static std::vector<std::string>& Failures() {
    static std::vector<std::string> failures;
    return failures;
  }
  Part& Set(const char* path, float value) { return Set(path, Number(value)); }
  Part& Vector(const std::string& path, Vec v) {
    Set((path + ".x_").c_str(), v.x);
    Set((path + ".y_").c_str(), v.y);
    return Set((path + ".z_").c_str(), v.z);
  }
  // Colours are MetaVec4 with w_ as alpha.
  Part& Colour(const std::string& path, float r, float g, float b, float a = 1.0f) {
    Set((path + ".w_").c_str(), a);
    return Vector(path, {r, g, b});
  }

 private:
  Component* mComponent;
};

// The archetypes, made in the registry as the loader would make them.
class Archetypes {
 public:
  Part Add(const std::wstring& archetype, const wchar_t* component) {
    Component* made = Engine::mFactory.GiveArchetypeComponent(archetype, component).lock().get();
    if (made == nullptr) Part::Failures().push_back(NarrowName(component));
    return Part(made);
  }

  void Object(const std::wstring& name, Vec position, Vec scale) {
    Engine::mFactory.CreateGenericArchetype(name).lock()->SetName(NarrowName(name));
    Add(name, L"Transform").Vector("transformData.WorldPosition", position).Vector("transformData.WorldScalar", scale);
  }

  void Renderable(const std::wstring& name, const std::string& model, Vec rgb, float alpha = 1.0f,
                  const std::string& texture = "defaulttexture", bool visible = true) {
    Add(name, L"Renderable")
        .Set("m_ModelName", model)
        .Set("m_ShaderName", "defaultshader")
        .Set("m_TextureName", texture)
        .Colour("m_Color", rgb.x, rgb.y, rgb.z, alpha)
        .Colour("m_BlendFactors", 0.75f, 0.75f, 0.75f)
        .Set("m_Transparent", alpha < 1.0f ? "1" : "0")
        .Set("m_Visible", visible ? "1" : "0");
  }

  void Box(const std::wstring& name, Vec half, bool ghost) {
    Add(name, L"Collider")
        .Set("m_shapeType", "1")
        .Vector("m_AabbHalfExtents", half)
        .Vector("m_ObbScale", {2 * half.x, 2 * half.y, 2 * half.z})
        .Set("m_ghost", ghost ? "1" : "0");
  }

  void Body(const std::wstring& name, bool fixed, float damping = 1.0f, float mass = 1.0f) {
    Add(name, L"RigidBody")
        .Set("m_static", fixed ? "1" : "0")
        .Set("m_mass", fixed ? 0.0f : mass)
        .Set("m_invMass", fixed ? 0.0f : 1.0f / mass)
        .Set("m_damping", damping);
  }

  void MakeAll() {
    Object(L"Player", {0, 1, 0}, {1, 2, 1});
    Body(L"Player", false, 0.0f);
    Box(L"Player", {0.5f, 1, 0.5f}, false);
    Add(L"Player", L"Controller").Set("mLookSpeed", 4.0f);
    Add(L"Player", L"Camera");
    Add(L"Player", L"PlayerStats").Set("Speed_", 10.0f);
    Add(L"Player", L"Gun")
        .Set("mCDPerFrame", 20.0f)
        .Set("mHeatPerRifleShot", 12.0f)
        .Set("mHeatPerSpreadShot", 30.0f)
        .Set("mMaxHeatLevel", 100.0f)
        .Set("mMuzzleVel", 40.0f)
        .Set("mPelletsPerSGBlast", "5")
        .Set("mShotDelay", 0.4f)
        .Set("mShotOriginDisplacement", 1.0f)
        .Set("mSpreadDelay", 0.9f)
        .Set("mSpreadGunBlastRadius", 0.6f);
    Add(L"Player", L"Light")
        .Set("lightType_", "1")
        .Vector("diffuse_", {1, 1, 0.9f})
        .Vector("direction_", {0, 0, -1})
        .Set("intensity_", 2.0f)
        .Set("range_", 25.0f)
        .Set("interiorAngle_", 15.0f)
        .Set("exteriorAngle_", 30.0f);
    Renderable(L"Player", "player", {0.9f, 0.9f, 0.9f});

    Object(L"Room", {0, kRoomHeight / 2, 0}, {2 * kHalf, kRoomHeight, 2 * kHalf});
    Box(L"Room", {kHalf, kRoomHeight / 2, kHalf}, true);
    Add(L"Room", L"RoomComponent");
    Renderable(L"Room", "room", {0.3f, 0.3f, 0.35f});

    Object(L"Wall", {0, kWallHeight / 2, 0}, {1, kWallHeight, 1});
    Body(L"Wall", true);
    Box(L"Wall", {0.5f, kWallHeight / 2, 0.5f}, false);
    Renderable(L"Wall", "wall", {0.5f, 0.5f, 0.55f});

    Object(L"Door", {0, kDoorHeight / 2, 0}, {1, kDoorHeight, 1});
    Body(L"Door", true);
    Box(L"Door", {0.5f, kDoorHeight / 2, 0.5f}, false);
    Add(L"Door", L"DoorComponent").Set("m_closes_automatically", "1");
    Renderable(L"Door", "door", {0.7f, 0.6f, 0.2f});

    Object(L"DoorTrigger", {0, 1, 0}, {1, 2, 1});
    Box(L"DoorTrigger", {0.5f, 1, 0.5f}, true);
    Add(L"DoorTrigger", L"InteractorComponent");
    Renderable(L"DoorTrigger", "trigger", {1, 1, 1}, 1.0f, "defaulttexture", false);

    Object(L"EscapePod", {0, 2, 0}, {3, 4, 3});
    Body(L"EscapePod", true);
    Box(L"EscapePod", {1.5f, 2, 1.5f}, true);
    Add(L"EscapePod", L"EscapePod");
    Add(L"EscapePod", L"InteractorComponent");
    Renderable(L"EscapePod", "pod", {0.9f, 0.4f, 0.1f});

    for (const auto& [name, model, rgb] : {std::tuple{L"PowerCell", "powercell", Vec{0.2f, 0.9f, 0.3f}},
                                           std::tuple{L"KeyCard", "keycard", Vec{0.2f, 0.4f, 1}}}) {
      Object(name, {0, 1, 0}, {1, 1, 1});
      Box(name, {0.5f, 0.5f, 0.5f}, false);
      Add(name, L"PickupComponent").Set("m_PickupType", NarrowName(name));
      Renderable(name, model, rgb);
    }

    Engine::mFactory.CreateGenericArchetype(L"Rules").lock()->SetName("Rules");
    Add(L"Rules", L"LevelRuleset").Set("mTimeLimit", 300.0f).Set("mDeathsAllowedPerPlayer", "1");

    // What the engine spawns while playing.
    for (const auto& [name, model, life] :
         {std::tuple{L"BulletArc", "bullet", 1.5f}, std::tuple{L"PelletArc", "pellet", 0.6f}}) {
      Object(name, {0, 1, 0}, {0.2f, 0.2f, 0.2f});
      Body(name, false, 1.0f, 0.1f);
      Box(name, {0.1f, 0.1f, 0.1f}, true);
      Add(name, L"Owner");
      Add(name, L"LifeTime").Set("timeAllowedToLive_", life);
      Add(name, L"DamageDealer").Set("Damage_", 10.0f);
      Renderable(name, model, {1, 0.9f, 0.3f});
    }
    Object(L"FloodCube", {0, -10, 0}, {1, 1, 1});
    Renderable(L"FloodCube", "floodwater", {0.1f, 0.3f, 0.8f}, 0.6f, "water");
    Object(L"WarningLight", {0, 9, 0}, {1, 1, 1});
    Add(L"WarningLight", L"Light").Vector("diffuse_", {1, 0.1f, 0.1f}).Set("intensity_", 3.0f).Set("range_", 40.0f);
    Renderable(L"WarningLight", "warninglight", {1, 0, 0});
    const Vec colours[] = {{1, 0.3f, 0.3f}, {0.3f, 1, 0.3f}, {0.3f, 0.5f, 1}, {1, 1, 0.3f}};
    for (int n = 1; n <= 4; ++n) {
      const std::wstring name = L"Player_" + std::to_wstring(n) + L"_Flare";
      Object(name, {0, 0.15f, 0}, {0.3f, 0.3f, 0.3f});
      Add(name, L"Light").Vector("diffuse_", colours[n - 1]).Set("intensity_", 2.0f).Set("range_", 15.0f);
      Add(name, L"LifeTime").Set("timeAllowedToLive_", 15.0f);
      Renderable(name, "flare", colours[n - 1]);
    }
  }
};

struct Cell {
  int x, z;
  bool operator<(const Cell& other) const { return x != other.x ? x < other.x : z < other.z; }
};

// The centre, then square rings around it, each walked anticlockwise from
// its east cell, so that every room touches one made before it.
std::vector<Cell> Spiral(int count) {
  std::vector<Cell> cells{{0, 0}};
  for (int ring = 1; static_cast<int>(cells.size()) < count; ++ring) {
    Cell at{ring, 0};
    const auto step = [&](int dx, int dz, int times) {
      for (int i = 0; i < times; ++i) {
        cells.push_back(at);
        at = {at.x + dx, at.z + dz};
      }
    };
    step(0, 1, ring);
    step(-1, 0, 2 * ring);
    step(0, -1, 2 * ring);
    step(1, 0, 2 * ring);
    step(0, 1, ring);
  }
  cells.resize(static_cast<std::size_t>(count));
  return cells;
}

// The level's objects, made from the archetypes and changed as a level
// writer would, kept in the order they are written.
class Layout {
 public:
  std::shared_ptr<Object> Add(const std::wstring& archetype, const std::string& name) {
    auto object = Engine::mFactory.CreateArchetypedObject(archetype).lock();
    object->SetName(name);
    mPlaced.emplace_back(object, archetype);
    return object;
  }

  static Part Of(const std::shared_ptr<Object>& object, ComponentType type) {
    return Part(object->GetComponent(type).lock().get());
  }

  std::shared_ptr<Object> Place(const std::wstring& archetype, const std::string& name, Vec position, Vec scale) {
    auto object = Add(archetype, name);
    Of(object, CT_Transform).Vector("transformData.WorldPosition", position).Vector("transformData.WorldScalar", scale);
    return object;
  }

  // A box the size of `scale`, its collider sized to match.
  std::shared_ptr<Object> Block(const std::wstring& archetype, const std::string& name, Vec position, Vec scale) {
    auto object = Place(archetype, name, position, scale);
    Of(object, CT_Collider)
        .Vector("m_AabbHalfExtents", {scale.x / 2, scale.y / 2, scale.z / 2})
        .Vector("m_ObbScale", scale);
    return object;
  }

  void Build(int count) {
    const std::vector<Cell> cells = Spiral(count);
    std::map<Cell, int> ids;
    for (int id = 0; id < count; ++id) ids[cells[static_cast<std::size_t>(id)]] = id;
    const auto nameOf = [](int id) { return id == 0 ? std::string("Centre") : "Room " + std::to_string(id); };

    Add(L"Rules", "Match Rules");
    for (int id = 0; id < count; ++id) {
      const Cell cell = cells[static_cast<std::size_t>(id)];
      auto room = Place(L"Room", nameOf(id), {cell.x * kSpacing, kRoomHeight / 2, cell.z * kSpacing},
                        {2 * kHalf, kRoomHeight, 2 * kHalf});
      Of(room, CT_RoomComponent).Set("m_RoomID", std::to_string(id));
    }
    // Each room owns its east and north sides; a west or south side belongs
    // to the neighbour there, or is an outer wall.
    for (int id = 0; id < count; ++id) {
      const Cell cell = cells[static_cast<std::size_t>(id)];
      for (const Cell side : {Cell{1, 0}, Cell{0, 1}, Cell{-1, 0}, Cell{0, -1}}) {
        const auto neighbour = ids.find({cell.x + side.x, cell.z + side.z});
        const bool shared = neighbour != ids.end();
        if (shared && (side.x < 0 || side.z < 0)) continue;
        const float x = cell.x * kSpacing + side.x * kHalf;
        const float z = cell.z * kSpacing + side.z * kHalf;
        const bool alongZ = side.x != 0;  // the wall runs north-south
        if (!shared) {
          Block(L"Wall", "Hull", {x, kWallHeight / 2, z},
                alongZ ? Vec{1, kWallHeight, 2 * kHalf} : Vec{2 * kHalf, kWallHeight, 1});
          continue;
        }
        const float piece = kHalf - kGap;
        for (const float sign : {-1.0f, 1.0f}) {
          const float offset = sign * (kGap + piece / 2);
          Block(L"Wall", "Bulkhead", alongZ ? Vec{x, kWallHeight / 2, z + offset} : Vec{x + offset, kWallHeight / 2, z},
                alongZ ? Vec{1, kWallHeight, piece} : Vec{piece, kWallHeight, 1});
        }
        mDoors.push_back({id, neighbour->second, x, z, alongZ});
      }
    }
    for (const DoorPlace& door : mDoors) {
      const std::string name = "Door " + nameOf(door.a) + " - " + nameOf(door.b);
      // The one key door: between rooms 1 and 2, with the power cell behind it.
      const bool key = (door.a == 1 && door.b == 2) || (door.a == 2 && door.b == 1);
      auto object = Block(L"Door", name, {door.x, kDoorHeight / 2, door.z},
                          door.alongZ ? Vec{1, kDoorHeight, 2 * kGap} : Vec{2 * kGap, kDoorHeight, 1});
      Of(object, CT_DoorComponent)
          .Set("m_left_room_id", std::to_string(door.a))
          .Set("m_right_room_id", std::to_string(door.b))
          .Set("m_requires_key", key ? "1" : "0");
      auto trigger = Block(L"DoorTrigger", "Switch " + nameOf(door.a) + " - " + nameOf(door.b), {door.x, 1, door.z},
                           door.alongZ ? Vec{8, 2, 2 * kGap} : Vec{2 * kGap, 2, 8});
      Of(trigger, CT_InteractorComponent).Set("m_name_of_bound_door", name);
    }
    const auto centre = [&](int id, float dx, float dz, float y) {
      const Cell cell = cells[static_cast<std::size_t>(id)];
      return Vec{cell.x * kSpacing + dx, y, cell.z * kSpacing + dz};
    };
    auto pod = Place(L"EscapePod", "Pod", centre(1, 8, -8, 2), {3, 4, 3});
    Of(pod, CT_InteractorComponent).Set("m_name_of_bound_door", "Pod");
    Place(L"KeyCard", "Key Card", centre(0, 0, -10, 1), {1, 1, 1});
    Place(L"PowerCell", "Power Cell", centre(2, 10, 10, 1), {1, 1, 1});
    Place(L"Player", "Player1", centre(0, -4, 4, 1), {1, 2, 1});
    Place(L"Player", "Player2", centre(0, 4, 4, 1), {1, 2, 1});
  }

  [[nodiscard]] const std::vector<std::pair<std::shared_ptr<Object>, std::wstring>>& Placed() const { return mPlaced; }

 private:
  struct DoorPlace {
    int a, b;
    float x, z;
    bool alongZ;
  };
  std::vector<DoorPlace> mDoors;
  std::vector<std::pair<std::shared_ptr<Object>, std::wstring>> mPlaced;
};

}  // namespace

namespace LevelScaffold {

bool Write(const std::string& level, int rooms, std::string& problem) {
  if (rooms < kFewestRooms || rooms > kMostRooms) {
    problem = "a new level has " + std::to_string(kFewestRooms) + " to " + std::to_string(kMostRooms) + " rooms";
    return false;
  }
  std::error_code error;
  const fs::path archetypeFolder = fs::path(LevelFiles::ArchetypeFolder(level)).parent_path();
  fs::create_directories(archetypeFolder, error);
  if (error) {
    problem = "cannot make " + archetypeFolder.string() + ": " + error.message();
    return false;
  }
  Part::Failures().clear();
  Archetypes archetypes;
  archetypes.MakeAll();
  Layout layout;
  layout.Build(rooms);
  if (!Part::Failures().empty()) {
    problem = "no member '" + Part::Failures().front() + "' to set";
    return false;
  }
  for (const auto& [name, archetype] : Engine::mFactory.GetArchetypes()) {
    const std::string file = LevelFiles::ArchetypeFile(level, NarrowName(name));
    if (!Engine::mSerializer(*archetype, file)) {
      problem = "cannot write " + file;
      return false;
    }
  }
  const std::string file = LevelFiles::LevelFile(level);
  std::ofstream out(file, std::ios::out | std::ios::trunc);
  SparseLevelWriter writer(out);
  for (const auto& [object, archetype] : layout.Placed()) {
    writer.Write(*object, *Engine::mFactory.GetArchetype(archetype).lock());
  }
  out.flush();
  if (!out) {
    problem = "cannot write " + file;
    return false;
  }
  return true;
}

}  // namespace LevelScaffold
