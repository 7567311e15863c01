// Loading a level of 10,000 objects from our text format against loading the
// same level written as JSON with RapidJSON. Both paths end in the same
// registry calls: clone the archetype, give each component, fill its members
// through the reflection records, request resources and initialize.
// Compare BM_LoadLevelText with BM_LoadLevelJson, BM_ReloadLevelText
// (destroy the level and load it again, a player's "restart") with
// BM_ReloadLevelJson, and BM_ParseLevelText with BM_ParseLevelJsonTyped:
// the part the paths do not share, words or DOM, member lookups and every
// value stored in the components' typed members, with no object made.
//
// JSON is parsed in situ, RapidJSON's fastest, from a copy of the text made
// outside the timed part (the file cases read the file inside it, both).
// This source also builds against older trees of the library, so that one
// run can compare them; it uses nothing the older trees lack.
#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <istream>
#include <map>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "components/Renderable.h"
#include "core/Engine.h"
#include "core/RenderMessages.h"
#include "meta/MetaData.h"
#include "meta/ObjectText.h"
#include "meta/TextInput.h"
#include "meta/TextReaders.h"
#include "meta/TextWords.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "objects/ResourceRequests.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kObjects = 10'000;

// Reads a string in place, so neither path pays for a copy of its input.
// Seekable like a file, so the text reader may read it in chunks.
class MemoryBuffer : public std::streambuf {
 public:
  explicit MemoryBuffer(const std::string& text) {
    char* begin = const_cast<char*>(text.data());
    setg(begin, begin, begin + text.size());
  }

 protected:
  pos_type seekoff(off_type offset, std::ios_base::seekdir from, std::ios_base::openmode /*which*/) override {
    char* base = from == std::ios_base::beg ? eback() : from == std::ios_base::end ? egptr() : gptr();
    char* target = base + offset;
    if (target < eback() || target > egptr()) return pos_type(off_type(-1));
    setg(eback(), target, egptr());
    return pos_type(off_type(target - eback()));
  }
  pos_type seekpos(pos_type position, std::ios_base::openmode which) override {
    return seekoff(off_type(position), std::ios_base::beg, which);
  }
};

void ClearWorld() {
  Engine::mFactory.DestroyAllObjects();
  Engine::BroadcastMessages();
  Engine::BroadcastMessages();
  Engine::ClearListeners();
}

// The storage of a member reached by a path of member names ("transformData",
// "WorldPosition", "x_"), or nullptr when the component has no such member.
void* MemberAt(Component& component, std::initializer_list<const char*> path) {
  const META::MetaData* meta = &component.GetMetaData();
  char* address = static_cast<char*>(dynamic_cast<void*>(&component));
  for (const char* name : path) {
    const META::Member* member = meta != nullptr ? meta->FindMember(name) : nullptr;
    if (member == nullptr) return nullptr;
    address += member->Offset();
    meta = member->Data();
  }
  return address;
}

template <class T>
void Set(const std::shared_ptr<Component>& component, std::initializer_list<const char*> path, const T& value) {
  if (component == nullptr) return;
  if (void* address = MemberAt(*component, path)) *static_cast<T*>(address) = value;
}

std::shared_ptr<Component> Give(const std::shared_ptr<Object>& object, const wchar_t* name) {
  return Engine::mFactory.GiveObjectComponent(object, name).lock();
}

// A ship's worth of things: every object is placed and drawn, most are
// physical, some give light, a few are cameras, players or projectiles.
void BuildLevel() {
  for (int i = 0; i < kObjects; ++i) {
    auto object = Engine::mFactory.CreateGenericObject().lock();
    object->SetName((i % 50 == 0 ? "Player " : "Crate ") + std::to_string(i));
    const auto f = static_cast<float>(i);

    auto transform = Give(object, L"Transform");
    Set(transform, {"transformData", "WorldPosition", "x_"}, f * 0.5f);
    Set(transform, {"transformData", "WorldPosition", "y_"}, 1.25f);
    Set(transform, {"transformData", "WorldPosition", "z_"}, -f * 0.25f);
    Set(transform, {"transformData", "WorldRotationAngleY"}, static_cast<float>(i % 360));

    auto renderable = Give(object, L"Renderable");
    Set(renderable, {"m_ModelName"}, std::string(i % 3 == 0 ? "crate" : "barrel"));
    Set(renderable, {"m_TextureName"}, std::vector<std::string>{"crate_diffuse", "crate_normal"});

    if (i % 5 != 0) {
      auto body = Give(object, L"RigidBody");
      Set(body, {"m_mass"}, 1.0f + static_cast<float>(i % 7));
      auto collider = Give(object, L"Collider");
      Set(collider, {"m_AabbHalfExtents", "x_"}, 0.5f);
      Set(collider, {"m_AabbHalfExtents", "y_"}, 0.5f);
      Set(collider, {"m_AabbHalfExtents", "z_"}, 0.5f);
    }
    if (i % 20 == 0) Set(Give(object, L"Light"), {"range_"}, 25.0f);
    if (i % 50 == 0) {
      Give(object, L"Camera");
      Give(object, L"PlayerStats");
    }
    if (i % 10 == 3) {
      Set(Give(object, L"Owner"), {"Owner_"}, static_cast<std::uint32_t>(i / 50));
      Give(object, L"LifeTime");
    }
  }
}

// ---- JSON: the same level, member for member, walked from the records.

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void WriteJsonMembers(JsonWriter& json, const META::MetaData& meta, const char* base) {
  json.StartObject();
  for (const auto& [name, member] : meta.GetMembers()) {
    const META::MetaData* type = member->Data();
    const char* at = base + member->Offset();
    const META::DeserializeFunction read = type->GetDeserialize();
    if (type->HasMembers()) {
      json.Key(name.c_str());
      WriteJsonMembers(json, *type, at);
    } else if (read == &META::ReadFloat) {
      json.Key(name.c_str());
      json.Double(static_cast<double>(*reinterpret_cast<const float*>(at)));
    } else if (read == &META::ReadInt) {
      json.Key(name.c_str());
      json.Int(*reinterpret_cast<const std::int32_t*>(at));
    } else if (read == &META::ReadBool) {
      json.Key(name.c_str());
      json.Bool(*reinterpret_cast<const bool*>(at));
    } else if (read == &META::ReadUnsigned || read == &META::ReadUnsignedLong) {
      json.Key(name.c_str());
      json.Uint(*reinterpret_cast<const std::uint32_t*>(at));
    } else if (read == &META::ReadString) {
      json.Key(name.c_str());
      json.String(reinterpret_cast<const std::string*>(at)->c_str());
    } else if (read == &META::ReadStringList) {
      json.Key(name.c_str());
      json.StartArray();
      for (const std::string& item : *reinterpret_cast<const std::vector<std::string>*>(at)) json.String(item.c_str());
      json.EndArray();
    }
  }
  json.EndObject();
}

std::string WriteJsonLevel() {
  rapidjson::StringBuffer buffer;
  JsonWriter json(buffer);
  json.StartArray();
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    json.StartObject();
    json.Key("archetype");
    json.String("Object");
    json.Key("mName");
    json.String(object->GetName().c_str());
    json.Key("components");
    json.StartArray();
    for (const auto& [type, component] : object->GetComponents()) {
      const META::MetaData& meta = component->GetMetaData();
      json.StartObject();
      json.Key("type");
      json.String(meta.Name());
      json.Key("members");
      WriteJsonMembers(json, meta, static_cast<const char*>(dynamic_cast<const void*>(component.get())));
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  return buffer.GetString();
}

// Members come in the records' order in both formats; where the library can
// try the next member first, the JSON path does so too, as the text reader.
#if __has_include("meta/MemberIndex.h")
struct Lookup {
  std::size_t cursor = 0;
  const META::Member* operator()(const META::MetaData& meta, std::string_view name) {
    return meta.FindMember(name, cursor);
  }
};
#else
struct Lookup {
  const META::Member* operator()(const META::MetaData& meta, std::string_view name) const {
    return meta.FindMember(name);
  }
};
#endif

void ReadJsonMembers(const rapidjson::Value& members, const META::MetaData& meta, char* base) {
  Lookup find;
  for (auto it = members.MemberBegin(); it != members.MemberEnd(); ++it) {
    const META::Member* member = find(meta, std::string_view(it->name.GetString(), it->name.GetStringLength()));
    if (member == nullptr) continue;
    const META::MetaData* type = member->Data();
    char* at = base + member->Offset();
    const rapidjson::Value& value = it->value;
    const META::DeserializeFunction read = type->GetDeserialize();
    if (type->HasMembers()) {
      if (value.IsObject()) ReadJsonMembers(value, *type, at);
    } else if (read == &META::ReadFloat && value.IsNumber()) {
      *reinterpret_cast<float*>(at) = value.GetFloat();
    } else if (read == &META::ReadInt && value.IsInt()) {
      *reinterpret_cast<std::int32_t*>(at) = value.GetInt();
    } else if (read == &META::ReadBool && value.IsBool()) {
      *reinterpret_cast<bool*>(at) = value.GetBool();
    } else if ((read == &META::ReadUnsigned || read == &META::ReadUnsignedLong) && value.IsUint()) {
      *reinterpret_cast<std::uint32_t*>(at) = value.GetUint();
    } else if (read == &META::ReadString && value.IsString()) {
      reinterpret_cast<std::string*>(at)->assign(value.GetString(), value.GetStringLength());
    } else if (read == &META::ReadStringList && value.IsArray()) {
      auto& items = *reinterpret_cast<std::vector<std::string>*>(at);
      items.clear();
      for (const auto& item : value.GetArray()) {
        if (item.IsString()) items.emplace_back(item.GetString(), item.GetStringLength());
      }
    }
  }
}

// `text` is parsed in place and left unusable.
void LoadJsonLevel(std::string& text) {
  rapidjson::Document document;
  document.ParseInsitu(text.data());
  if (document.HasParseError() || !document.IsArray()) return;
  // Names are widened into reused buffers, as the text reader does.
  std::wstring archetype;
  std::wstring registryName;
  for (const auto& block : document.GetArray()) {
    const std::shared_ptr<Object> object =
        Engine::mFactory.CreateArchetypedObject(Platform::WidenInto(archetype, block["archetype"].GetString())).lock();
    if (!object) continue;
    object->SetName(block["mName"].GetString());
    for (const auto& entry : block["components"].GetArray()) {
      const std::shared_ptr<Component> component =
          Engine::mFactory.GiveObjectComponent(object, Platform::WidenInto(registryName, entry["type"].GetString()))
              .lock();
      if (!component) continue;
      ReadJsonMembers(entry["members"], component->GetMetaData(),
                      static_cast<char*>(dynamic_cast<void*>(component.get())));
    }
    RelayResourceRequests(*object);
    object->Initialize();
  }
}

// ---- The two loads.

// The level in memory, and as two files in a scratch folder that goes with
// the process.
struct Level {
  Level() : folder(std::filesystem::temp_directory_path() / ("tidewater-level-bench-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder);
  }
  ~Level() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  Level(const Level&) = delete;
  Level& operator=(const Level&) = delete;

  std::string text;
  std::string json;
  std::filesystem::path folder;
  std::string textFile;
  std::string jsonFile;
};

const Level& TheLevel() {
  static const Level level;
  static const bool built = [] {
    Level& made = const_cast<Level&>(level);
    Engine::Initialize();
    Engine::mFactory.CreateGenericArchetype(L"Object");
    BuildLevel();
    std::ostringstream text;
    Engine::mSerializer(text);
    made.text = text.str();
    made.json = WriteJsonLevel();
    made.textFile = (made.folder / "Ship.txt").string();
    made.jsonFile = (made.folder / "Ship.json").string();
    Engine::mSerializer(made.textFile);
    std::ofstream(made.jsonFile, std::ios::binary) << made.json;
    ClearWorld();
    return true;
  }();
  static_cast<void>(built);
  return level;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

void LoadText(const Level& level) {
  MemoryBuffer buffer(level.text);
  std::istream in(&buffer);
  Engine::mDeserializer(in);
}

void CheckLoaded(benchmark::State& state) {
  if (Engine::mFactory.GetObjects().size() != kObjects) state.SkipWithError("not every object was read");
}

void BM_LoadLevelText(benchmark::State& state) {
  const Level& level = TheLevel();
  for (auto _ : state) {
    LoadText(level);
    state.PauseTiming();
    CheckLoaded(state);
    ClearWorld();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(level.text.size()));
}

void BM_LoadLevelJson(benchmark::State& state) {
  const Level& level = TheLevel();
  std::string json = level.json;
  for (auto _ : state) {
    LoadJsonLevel(json);
    state.PauseTiming();
    CheckLoaded(state);
    ClearWorld();
    json = level.json;
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(level.json.size()));
}

// Restarting a level: the loaded one is destroyed (every object and
// component announced) and the same level read again. The messages are
// delivered between the rounds, as the next frame would. `refresh` readies
// the input again outside the timing (RapidJSON parses its copy in place).
template <class Load, class Refresh>
void RunReload(benchmark::State& state, Load load, Refresh refresh) {
  load();
  Engine::BroadcastMessages();
  refresh();
  for (auto _ : state) {
    Engine::mFactory.DestroyAllObjects();
    load();
    state.PauseTiming();
    CheckLoaded(state);
    Engine::BroadcastMessages();
    Engine::BroadcastMessages();
    refresh();
    state.ResumeTiming();
  }
  ClearWorld();
  state.SetItemsProcessed(state.iterations() * kObjects);
}

void BM_ReloadLevelText(benchmark::State& state) {
  const Level& level = TheLevel();
  RunReload(
      state, [&level] { LoadText(level); }, [] {});
}

void BM_ReloadLevelJson(benchmark::State& state) {
  const Level& level = TheLevel();
  std::string json = level.json;
  RunReload(
      state, [&json] { LoadJsonLevel(json); }, [&json, &level] { json = level.json; });
}

// The same loads from files, as a host does them: the text reader streams
// the file; the JSON document needs the whole file in memory first.
void BM_LoadLevelTextFile(benchmark::State& state) {
  const Level& level = TheLevel();
  for (auto _ : state) {
    Engine::mDeserializer(level.textFile);
    state.PauseTiming();
    CheckLoaded(state);
    ClearWorld();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
}

void BM_LoadLevelJsonFile(benchmark::State& state) {
  const Level& level = TheLevel();
  for (auto _ : state) {
    std::string json = ReadWholeFile(level.jsonFile);
    LoadJsonLevel(json);
    state.PauseTiming();
    CheckLoaded(state);
    ClearWorld();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
}

// ---- Parsing into typed storage, no object made: every component block of
// the level is read into one standing component of its kind, and every name
// into one standing object, through the same records and the same lookups
// on both paths.

struct Storage {
  const META::MetaData* meta;
  char* base;
};

struct Scratch {
  Scratch() {
    object = Engine::mFactory.CreateGenericObject().lock();
    for (const wchar_t* name : {L"Transform", L"Renderable", L"RigidBody", L"Collider", L"Light", L"Camera",
                                L"PlayerStats", L"Owner", L"LifeTime"}) {
      const std::shared_ptr<Component> component = Give(object, name);
      const META::MetaData& meta = component->GetMetaData();
      components.emplace(meta.Name(), Storage{&meta, static_cast<char*>(dynamic_cast<void*>(component.get()))});
    }
    Engine::BroadcastMessages();
  }
  ~Scratch() { ClearWorld(); }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  std::shared_ptr<Object> object;
  std::map<std::string, Storage, std::less<>> components;
};

std::size_t ParseTextLevel(const Level& level, Scratch& scratch) {
  MemoryBuffer buffer(level.text);
  std::istream source(&buffer);
  META::TextInput in(source, "level");
  const META::MetaData& objectMeta = scratch.object->GetMetaData();
  char* const objectBase = reinterpret_cast<char*>(scratch.object.get());
  std::string head;
  std::string word;
  std::string separator;
  std::size_t objects = 0;
  // Head word and "{", then names with their ":" or "{" up to "}".
  while (META::ReadWord(in, head) && META::ReadWord(in, word)) {
    while (META::ReadWord(in, word) && word != "}" && META::ReadWord(in, separator)) {
      if (const META::Member* member = objectMeta.FindMember(word)) {
        member->Data()->Deserialize(in, Variant(member->Data(), objectBase + member->Offset()), false);
        continue;
      }
      const auto found = scratch.components.find(word);
      if (found == scratch.components.end()) {
        if (!META::SkipBlock(in)) break;
        continue;
      }
      const Storage& storage = found->second;
      storage.meta->Deserialize(in, Variant(storage.meta, storage.base), false);
    }
    ++objects;
  }
  return objects;
}

std::size_t ParseJsonLevel(std::string& text, Scratch& scratch) {
  rapidjson::Document document;
  document.ParseInsitu(text.data());
  if (document.HasParseError() || !document.IsArray()) return 0;
  std::size_t objects = 0;
  for (const auto& block : document.GetArray()) {
    scratch.object->SetName(block["mName"].GetString());
    for (const auto& entry : block["components"].GetArray()) {
      const rapidjson::Value& type = entry["type"];
      const auto found = scratch.components.find(std::string_view(type.GetString(), type.GetStringLength()));
      if (found == scratch.components.end()) continue;
      ReadJsonMembers(entry["members"], *found->second.meta, found->second.base);
    }
    ++objects;
  }
  return objects;
}

void BM_ParseLevelText(benchmark::State& state) {
  const Level& level = TheLevel();
  Scratch scratch;
  for (auto _ : state) {
    if (ParseTextLevel(level, scratch) != kObjects) state.SkipWithError("not every object was read");
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(level.text.size()));
}

void BM_ParseLevelJsonTyped(benchmark::State& state) {
  const Level& level = TheLevel();
  Scratch scratch;
  std::string json = level.json;
  for (auto _ : state) {
    if (ParseJsonLevel(json, scratch) != kObjects) state.SkipWithError("not every object was read");
    state.PauseTiming();
    json = level.json;
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(level.json.size()));
}

// The word reader alone, with line counting: the level's words without the
// registry's work.
void BM_ReadLevelWords(benchmark::State& state) {
  const Level& level = TheLevel();
  for (auto _ : state) {
    MemoryBuffer buffer(level.text);
    std::istream source(&buffer);
    META::TextInput in(source, "level");
    std::string word;
    std::size_t words = 0;
    while (META::ReadWord(in, word)) ++words;
    benchmark::DoNotOptimize(words);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(level.text.size()));
}

// The JSON document alone.
void BM_ParseLevelJson(benchmark::State& state) {
  const Level& level = TheLevel();
  std::string json = level.json;
  for (auto _ : state) {
    rapidjson::Document document;
    document.ParseInsitu(json.data());
    benchmark::DoNotOptimize(document.IsArray());
    state.PauseTiming();
    json = level.json;
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(level.json.size()));
}

BENCHMARK(BM_LoadLevelText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLevelJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReloadLevelText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReloadLevelJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLevelTextFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLevelJsonFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseLevelText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseLevelJsonTyped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLevelWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseLevelJson)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
