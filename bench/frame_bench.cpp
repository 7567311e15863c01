// The engine's work in one frame of play, as the reference host runs it: the
// time update, every system's Update (game rules, physics, audio, renderer)
// and the broadcast to systems and listeners, without the pacing sleep.
// Levels are generated at about 1,000, 10,000 and 100,000 components: rows of
// crates (static boxes that draw), one mover in ten sliding along the lanes
// between the rows, and one player-like object in twenty whose
// PlayerStats listens to every time update. Per-frame time should grow
// linearly with the level: the cost per component (us_per_component) at
// 100,000 components no more than twice the cost at 1,000.
// Every size is timed over the same 400 frames (5 s of play) from the
// start: the movers leave the rows as time goes on, so sizes timed over
// different numbers of frames would be timed in different phases of play.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "app/HostCommandLine.h"
#include "app/Match.h"
#include "audio/AudioSystem.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "game/GameSystem.h"
#include "objects/Object.h"
#include "physics/PhysicsSystem.h"
#include "platform/Clock.h"
#include "render/RendererSystem.h"

namespace {

void Vec(std::ostream& out, const char* name, float x, float y, float z) {
  out << "\t\t" << name << " : MetaVec3\n\t\t{\n\t\t\tx_ : " << x << "\n\t\t\ty_ : " << y << "\n\t\t\tz_ : " << z
      << "\n\t\t}\n";
}

// One object block; every object has a Transform, Collider, RigidBody and
// Renderable (five components with the object itself), a player-like one
// also PlayerStats.
void Crate(std::ostream& out, int index, float x, float z, bool mover, bool player) {
  out << "Object\n{\n\tmName : " << (player ? "Crew" : mover ? "Mover" : "Crate") << index << "\n";
  out << "\tTransform\n\t{\n\t\ttransformData : TransformData\n\t\t{\n";
  out << "\t\t\tWorldPosition : MetaVec3\n\t\t\t{\n\t\t\t\tx_ : " << x << "\n\t\t\t\ty_ : 1\n\t\t\t\tz_ : " << z
      << "\n\t\t\t}\n\t\t}\n\t}\n";
  out << "\tCollider\n\t{\n";
  Vec(out, "m_AabbHalfExtents", 0.5f, 1.0f, 0.5f);
  out << "\t}\n\tRigidBody\n\t{\n\t\tm_static : " << (mover || player ? 0 : 1) << "\n";
  if (mover) Vec(out, "m_velocity", 4.0f, 0.0f, 0.0f);
  out << "\t}\n\tRenderable\n\t{\n\t\tm_ModelName : crate\n\t}\n";
  if (player) out << "\tPlayerStats\n\t{\n\t\tSpeed_ : 5\n\t}\n";
  out << "}\n\n";
}

constexpr float kFrameTime = 0.0125f;

// One frame as the engine's loop runs it, without the pacing sleep.
void Frame(float dt) {
  Engine::RelayMessage(std::make_shared<TimeUpdateMessage>(L"Core\\Engine", dt));
  for (System* system : Engine::GetSystems()) system->Update(dt);
  Engine::BroadcastMessages();
}

struct World {
  std::shared_ptr<Match> match;
  Platform::VirtualClock clock{1};
  std::size_t components = 0;
};

void Build(World& world, int targetComponents) {
  Platform::SetClock(&world.clock);
  HostOptions options;
  world.match = std::make_shared<Match>(options, nullptr);
  auto* game = new GameSystem(world.match);
  Engine::AddSystem(game);
  Engine::AddSystem(new PhysicsSystem(world.match));
  Engine::AddSystem(new AudioSystem(world.match));
  Engine::AddSystem(new RendererSystem(world.match, false, nullptr));
  Engine::Initialize();
  Engine::mFactory.CreateGenericArchetype(L"Object");

  std::ostringstream level;
  // Four components an object (the object itself is not counted).
  const int objects = targetComponents / 4;
  const int perRow = 40;
  for (int i = 0; i < objects; ++i) {
    // Rows 3 apart; crates 2 apart along a row, movers between them.
    const float x = static_cast<float>(i % perRow) * 2.0f;
    const float z = static_cast<float>(i / perRow) * 3.0f;
    const bool mover = i % 10 == 5;
    const bool player = i % 20 == 0;
    Crate(level, i, mover || player ? x + 0.0f : x, mover || player ? z + 1.5f : z, mover, player);
  }
  std::istringstream stream(level.str());
  Engine::mDeserializer(stream);
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) world.components += object->GetComponents().size();
  game->BeginMatch();
  GameState::SetState(STATE_PLAY);
  Engine::BroadcastMessages();
  Engine::BroadcastMessages();
  // A few frames settle what belongs to loading (the physics sorts its new
  // static bodies into their own tree), so the timed frames are frames of play.
  for (int frame = 0; frame < 8; ++frame) Frame(kFrameTime);
}

void TearDown() {
  GameState::SetState(STATE_NONE);
  Engine::Release();
  Engine::ClearListeners();
  Engine::mFactory.DestroyAllObjects();
  Engine::mFactory.DestroyAllArchetypes();
  Engine::BroadcastMessages();
  Engine::BroadcastMessages();
  Platform::SetClock(nullptr);
}

void BM_Frame(benchmark::State& state) {
  World world;
  Build(world, static_cast<int>(state.range(0)));
  for (auto _ : state) Frame(kFrameTime);
  state.counters["components"] = static_cast<double>(world.components);
  state.counters["us_per_component"] =
      benchmark::Counter(static_cast<double>(world.components),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  TearDown();
}

}  // namespace

BENCHMARK(BM_Frame)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Iterations(400)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
