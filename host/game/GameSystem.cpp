#include "game/GameSystem.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/HostApp.h"
#include "app/HostListener.h"
#include "app/Match.h"
#include "app/StopSignal.h"
#include "behaviors/FlickerBehavior.h"
#include "behaviors/FollowTargetBehavior.h"
#include "components/Camera.h"
#include "components/Collider.h"
#include "components/RigidBody.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "core/InputMessages.h"
#include "core/ObjectMessages.h"
#include "core/RenderMessages.h"
#include "gameplay/EscapePod.h"
#include "gameplay/Gun.h"
#include "gameplay/LevelRuleset.h"
#include "gameplay/Owner.h"
#include "gameplay/PlayerStats.h"
#include "gameplay/RoomComponent.h"
#include "gameplay/RoomHandler.h"
#include "input/Controller.h"
#include "input/MenuCursor.h"
#include "objects/Object.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr MessageType kListenedTypes[] = {MT_GAME_EVENT,          MT_POD_ACTIVATION, MT_COLLISION,
                                          MT_RIGHT_TRIGGER_PRESS, MT_CREATED_OBJECT, MT_LOAD_LEVEL,
                                          MT_CREATED_COMPONENT};
// Players who sit the match out wait here, far from every room.
const Vector3 kBench(0.0f, -500.0f, 0.0f);
constexpr float kProgressInterval = 0.25f;

bool IsProjectile(const Object& object) {
  return object.GetName() == "rifleBullet" || object.GetName() == "shotgunPellet";
}

std::shared_ptr<Object> Lookup(ObjectID id) { return Engine::mFactory.GetObjectWithID(id).lock(); }

}  // namespace

GameSystem::GameSystem(std::shared_ptr<Match> match) : System(L"Game"), mMatch(std::move(match)) {}

void GameSystem::Initialize() {
  for (const MessageType type : kListenedTypes) {
    Engine::RegisterListener(type, Callable(HostListenerID(HostListenerOwner::Game, static_cast<std::uint32_t>(type)),
                                            [this](const std::shared_ptr<Message>& message) { OnMessage(message); }));
  }
}

int GameSystem::Release() {
  for (const MessageType type : kListenedTypes) {
    Engine::UnregisterListener(
        type, Callable(HostListenerID(HostListenerOwner::Game, static_cast<std::uint32_t>(type)), nullptr));
  }
  if (mMatch->Options().realtime) mMatch->Log().ClearStatus();
  return 0;
}

void GameSystem::BeginMatch() {
  Match& match = *mMatch;
  mEnded = false;
  mTriggerHeld = {};
  mPodsTaken.clear();
  mSinceProgress = 0.0f;
  // Rooms: the level's owner fills the room map, then the rings are sorted.
  RoomHandler::ResetRooms();
  RoomHandler::InitializeRooms();
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    if (const auto room = object->GetComponentAs<RoomComponent>(CT_RoomComponent)) {
      RoomHandler::GetRooms()[room->GetRoomID()] = id;
      RoomHandler::IncrementRooms();
    }
  }
  RoomHandler::AssignRingToRooms();

  ShipMap& map = match.Map();
  map.Build();
  mRoomStates.assign(map.Rooms().size(), ShipMap::RoomState::Dry);
  mDoorOpen.assign(map.Doors().size(), false);
  mDoorSealed.assign(map.Doors().size(), false);
  for (int ring = 1; ring <= 4; ++ring)
    match.counts.roomsInRings += static_cast<int>(RoomHandler::GetRing(ring).size());

  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    if (auto ruleset = object->GetComponentAs<LevelRuleset>(CT_LevelRuleset)) {
      mRuleset = ruleset;
      break;
    }
  }

  int present = 0;
  for (std::size_t i = 0; i < match.Players().size(); ++i) {
    Match::Player& player = match.Players()[i];
    const auto object = Engine::mFactory.GetObjectByName(player.name).lock();
    if (!object) continue;
    player.present = true;
    player.id = object->GetID();
    if (const auto controller = object->GetComponentAs<Controller>(CT_Controller)) {
      controller->SetPlayerNumber(static_cast<std::uint32_t>(i));
    }
    if (present < match.Options().players) {
      player.fate = Match::Fate::Playing;
      ++present;
    } else {
      player.fate = Match::Fate::SatOut;
      const Vector3 seat = kBench + Vector3(10.0f * static_cast<float>(i), 0.0f, 0.0f);
      Engine::ImmediateMessage(std::make_shared<PhysicsMessage>(L"Game", PMT_SET_POSITION, player.id, seat));
    }
  }

  char text[160];
  std::snprintf(
      text, sizeof text, "%zu rooms (%zu, %zu, %zu, %zu in rings 1-4), %zu doors, %zu escape pods, %d players",
      map.Rooms().size(), RoomHandler::GetRing(1).size(), RoomHandler::GetRing(2).size(),
      RoomHandler::GetRing(3).size(), RoomHandler::GetRing(4).size(), map.Doors().size(), map.Pods().size(), present);
  match.Note("level", match.Options().level + ": " + text);
  RegisterCameras();
}

void GameSystem::RegisterCameras() {
  // The people at the screen see their own players; with nobody there, every player is shown.
  const auto& players = mMatch->Players();
  const bool anyHuman =
      std::any_of(players.begin(), players.end(), [](const Match::Player& p) { return p.human && p.present; });
  for (std::size_t i = 0; i < players.size(); ++i) {
    if (players[i].fate != Match::Fate::Playing || (anyHuman && !players[i].human)) continue;
    const auto object = Lookup(players[i].id);
    const auto camera = object ? object->GetComponentAs<Camera>(CT_Camera) : nullptr;
    if (camera) {
      Engine::RelayMessage(std::make_shared<RegisterCameraMessage>(L"Game", camera, static_cast<unsigned int>(i)));
    }
  }
}

void GameSystem::LoadRequestedLevel() {
  const std::string level = std::move(mRequestedLevel);
  mRequestedLevel.clear();
  std::error_code error;
  if (!std::filesystem::is_regular_file(HostApp::LevelFile(level), error)) {
    mMatch->Note("menu", "no level named " + level);
    return;
  }
  mMatch->Restart(level);
  Engine::mFactory.LoadLevel(level);
  BeginMatch();
  mMatch->Note("menu", "match started");
  GameState::SetState(STATE_PLAY);
}

void GameSystem::Update(float timeStep) {
  if (!mRequestedLevel.empty()) LoadRequestedLevel();
  // Ctrl-C: the signal handler only took note; the match ends here, as any
  // ending does, so the log and the summary are complete, and the program
  // ends even where a finished match would wait in the menus.
  if (StopSignal::Requested()) {
    if (!mEnded) End("interrupted");
    if (!mQuitSent) Engine::RelayMessage(std::make_shared<Message>(L"Game", MT_QUIT));
    mQuitSent = true;
    return;
  }
  if (mEnded || GameState::GetState() != STATE_PLAY) return;
  Match& match = *mMatch;
  match.Advance(timeStep);

  RoomHandler::UpdateTimeSinceLastFlood(timeStep);
  if (RoomHandler::IsTimeToFlood()) RoomHandler::FloodRoom();

  FireGuns(timeStep);
  mBehaviors.Update(timeStep);
  if (const auto ruleset = mRuleset.lock()) ruleset->Update(timeStep);

  WatchRooms();
  WatchDoors();
  if (match.Options().realtime) ShowProgress(timeStep);

  const auto ruleset = mRuleset.lock();
  const bool anyone = std::any_of(match.Players().begin(), match.Players().end(),
                                  [&](const Match::Player& player) { return match.Participates(player); });
  if (!anyone) {
    End("the level has no players");
  } else if (match.PlayersStillPlaying() == 0) {
    End("every player escaped or drowned");
  } else if (match.counts.roomsInRings > 0 && match.counts.roomsFlooded >= match.counts.roomsInRings) {
    End("every room but the centre has flooded");
  } else if (ruleset && ruleset->GetTimeLimit() > 0.0f && ruleset->GetTimeActive() >= ruleset->GetTimeLimit()) {
    End("the level's time limit is up");
  } else if (static_cast<double>(match.Time()) >= match.Options().maxSeconds) {
    End("--max-seconds is up");
  }
}

void GameSystem::End(const std::string& reason) {
  mEnded = true;
  Match& match = *mMatch;
  match.endReason = reason;
  for (Match::Player& player : match.Players()) {
    if (!player.present || player.fate != Match::Fate::Playing) continue;
    if (const auto object = Lookup(player.id)) {
      if (const auto transform = object->GetComponentAs<Transform>(CT_Transform)) {
        player.where = match.Map().Describe(match.Map().RoomAt(transform->GetPosition()));
      }
    }
  }
  match.Note("match", "over: " + reason);
  if (match.Options().Interactive() && !StopSignal::Requested()) {
    // Someone is at the window: show the end of the match, then the menu.
    GameState::SetState(STATE_MENU);
    GameState::SetMenuState(static_cast<MENU_STATE>(MenuCursor::kSingleItemMenu));
    return;
  }
  Engine::RelayMessage(std::make_shared<Message>(L"Game", MT_QUIT));
}

void GameSystem::FireGuns(float timeStep) {
  Match& match = *mMatch;
  for (std::size_t i = 0; i < match.Players().size(); ++i) {
    const Match::Player& player = match.Players()[i];
    if (!player.present) continue;
    const auto object = Lookup(player.id);
    const auto gun = object ? object->GetComponentAs<Gun>(CT_Gun) : nullptr;
    if (!gun) continue;
    gun->Update(timeStep);
    if (mTriggerHeld[i] && player.fate == Match::Fate::Playing) {
      const float timer = gun->GetTimer();
      gun->Fire_Gun();
      if (gun->GetTimer() < timer) ++match.counts.shots;
    }
    mTriggerHeld[i] = false;
  }
}

void GameSystem::OnMessage(const std::shared_ptr<Message>& message) {
  switch (message->GetMessageId()) {
    case MT_LOAD_LEVEL:
      mRequestedLevel = static_cast<const LoadLevelMessage&>(*message).GetFileName();
      break;
    case MT_GAME_EVENT: {
      const auto& event = static_cast<const GameEventMessage&>(*message);
      OnGameEvent(event.GetEventText(), event.GetObjectID());
      break;
    }
    case MT_POD_ACTIVATION: {
      const auto& activation = static_cast<const PodActivationMessage&>(*message);
      const auto pod = Lookup(activation.GetPodID());
      const auto player = Lookup(activation.GetPlayerObjID());
      if (pod && player) mMatch->Note(player->GetName(), "charges " + pod->GetName() + " with a power cell");
      break;
    }
    case MT_COLLISION: {
      const auto& contact = static_cast<const CollisionMessage&>(*message);
      if (contact.mKind == CMT_CONTACT_BEGIN) OnContact(contact.mObjectA, contact.mObjectB);
      break;
    }
    case MT_RIGHT_TRIGGER_PRESS: {
      const unsigned player = static_cast<const RightTriggerPressMessage&>(*message).GetPlayerID();
      if (player < mTriggerHeld.size()) mTriggerHeld[player] = true;
      break;
    }
    case MT_CREATED_OBJECT:
      OnObjectCreated(message);
      break;
    case MT_CREATED_COMPONENT:
      mBehaviors.Learn(*message);
      break;
    default:
      break;
  }
}

void GameSystem::OnGameEvent(const std::string& text, ObjectID id) {
  Match& match = *mMatch;
  if (text == "keycard picked up" || text == "powercell picked up") {
    const auto player = Lookup(id);
    if (!player) return;
    const bool keyCard = text[0] == 'k';
    ++(keyCard ? match.counts.keyCards : match.counts.powerCells);
    match.Note(player->GetName(), keyCard ? "picks up a key card" : "picks up a power cell");
  } else if (text == "player died") {
    Match::Player* player = match.FindPlayer(id);
    const auto object = Lookup(id);
    const auto stats = object ? object->GetComponentAs<PlayerStats>(CT_PlayerStats) : nullptr;
    // A flooding room reports everyone it held; only those it killed drowned.
    if (player == nullptr || player->fate != Match::Fate::Playing || !stats || !stats->IsDead()) return;
    const auto transform = object->GetComponentAs<Transform>(CT_Transform);
    player->fate = Match::Fate::Drowned;
    player->when = match.Time();
    player->where = transform ? match.Map().Describe(match.Map().RoomAt(transform->GetPosition())) : "a room";
    match.Note(player->name, "drowns in " + player->where);
  } else if (text == "escape pod launched") {
    Escape(match, id);
  }
}

void GameSystem::Escape(Match& match, ObjectID playerID) {
  Match::Player* player = match.FindPlayer(playerID);
  if (player == nullptr || player->fate != Match::Fate::Playing) return;
  // The pod charged by this player that has just lifted off.
  const ShipMap::Pod* pod = nullptr;
  for (const ShipMap::Pod& candidate : match.Map().Pods()) {
    if (candidate.pod->GetLauncherPlayerID() != playerID || !candidate.pod->IsLaunchable()) continue;
    if (std::find(mPodsTaken.begin(), mPodsTaken.end(), candidate.object) != mPodsTaken.end()) continue;
    pod = &candidate;
    break;
  }
  if (pod == nullptr) return;
  mPodsTaken.push_back(pod->object);
  player->fate = Match::Fate::Escaped;
  player->when = match.Time();
  player->where = pod->name;
  ++match.counts.podsLaunched;
  match.Note(player->name, "escapes in " + pod->name);
  // The player rides the pod out of the ship, and so does the hull drawn for
  // it: the pod itself shows only while someone is at it.
  RideWith(playerID, pod->object);
  if (const auto hull = Engine::mFactory.GetObjectByName(pod->name + " Hull").lock())
    RideWith(hull->GetID(), pod->object);
}

void GameSystem::RideWith(ObjectID rider, ObjectID pod) {
  auto follow =
      std::dynamic_pointer_cast<FollowTargetBehavior>(Engine::mFactory.CreateComponent(L"FollowTargetBehavior"));
  if (!follow) return;
  follow->SetFollowTarget(pod);
  follow->SetFollowObject(rider);
  follow->SetDistanceToFollowAt(0.0f);
  Engine::mFactory.GiveObjectComponent(rider, follow);
}

void GameSystem::OnContact(ObjectID a, ObjectID b) {
  const auto first = Lookup(a);
  const auto second = Lookup(b);
  if (!first || !second) return;
  const bool firstIsShot = IsProjectile(*first);
  if (firstIsShot == IsProjectile(*second)) return;
  const auto& shot = firstIsShot ? first : second;
  const auto& other = firstIsShot ? second : first;
  Match& match = *mMatch;
  if (Match::Player* victim = match.FindPlayer(other->GetID())) {
    const auto owner = shot->GetComponentAs<Owner>(CT_Owner);
    const auto shooter = owner ? Lookup(owner->Get_Owner()) : nullptr;
    if (victim->fate != Match::Fate::Playing || (shooter && shooter->GetID() == victim->id)) return;
    ++match.counts.hits;
    match.Note(shooter ? shooter->GetName() : std::string("someone"), "hits " + victim->name);
    Engine::mFactory.Destroy(shot->GetID());
    return;
  }
  // Walls and doors stop shots; rooms, triggers and pickups do not.
  const auto collider = other->GetComponentAs<Collider>(CT_Collider);
  const auto body = other->GetComponentAs<RigidBody>(CT_RigidBody);
  if (collider && !collider->IsGhost() && body && body->IsStatic()) Engine::mFactory.Destroy(shot->GetID());
}

void GameSystem::OnObjectCreated(const std::shared_ptr<Message>& message) {
  const auto object = static_cast<const CreatedObjectMessage&>(*message).GetObjectPTR().lock();
  if (!object || object->GetArchetypeName() != L"WarningLight") return;
  // A warning light blinks faster and faster until the water comes.
  auto flicker = std::dynamic_pointer_cast<FlickerBehavior>(Engine::mFactory.CreateComponent(L"FlickerBehavior"));
  if (!flicker) return;
  flicker->SetBehavior(object->GetID(), 0.5f, 5.0f, false, false, "warning");
  Engine::mFactory.GiveObjectComponent(object->GetID(), flicker);
}

void GameSystem::WatchRooms() {
  Match& match = *mMatch;
  const ShipMap& map = match.Map();
  for (int room = 0; room < static_cast<int>(map.Rooms().size()); ++room) {
    const ShipMap::RoomState state = map.StateOf(room);
    if (state == mRoomStates[room]) continue;
    mRoomStates[room] = state;
    const std::string& subject = map.Rooms()[room].name;
    switch (state) {
      case ShipMap::RoomState::Warning:
        match.Note(subject, "flood warning (ring " + std::to_string(map.RingOf(room)) + ")");
        break;
      case ShipMap::RoomState::Filling:
        match.Note(subject, "water rising");
        break;
      case ShipMap::RoomState::Flooded:
        ++match.counts.roomsFlooded;
        match.Note(subject, "flooded (" + std::to_string(match.counts.roomsFlooded) + " of " +
                                std::to_string(match.counts.roomsInRings) + ")");
        break;
      case ShipMap::RoomState::Dry:
        break;
    }
  }
}

void GameSystem::WatchDoors() {
  Match& match = *mMatch;
  const ShipMap& map = match.Map();
  for (int door = 0; door < static_cast<int>(map.Doors().size()); ++door) {
    const bool open = map.IsDoorOpen(door);
    const bool sealed = map.IsDoorSealed(door);
    if (open != mDoorOpen[door]) {
      mDoorOpen[door] = open;
      if (open) ++match.counts.doorOpenings;
      match.Note(map.Doors()[door].name, open ? "opens" : "closes");
    }
    if (sealed && !mDoorSealed[door]) {
      mDoorSealed[door] = true;
      match.Note(map.Doors()[door].name, "sealed by the flood");
    }
  }
}

void GameSystem::ShowProgress(float timeStep) {
  mSinceProgress += timeStep;
  if (mSinceProgress < kProgressInterval) return;
  mSinceProgress = 0.0f;
  if (isatty(STDOUT_FILENO) == 0) return;
  const Match& match = *mMatch;
  int alive = 0;
  int playing = 0;
  for (const Match::Player& player : match.Players()) {
    if (!match.Participates(player)) continue;
    ++playing;
    alive += player.fate != Match::Fate::Drowned ? 1 : 0;
  }
  char status[160];
  std::snprintf(status, sizeof status,
                "[%6.1f s]  flood clock %4.1f / %4.1f s   rooms flooded %d/%d   players alive %d/%d",
                static_cast<double>(match.Time()), static_cast<double>(RoomHandler::GetTimeSinceLastFlood()),
                static_cast<double>(RoomHandler::GetTimeBetweenFloods()), match.counts.roomsFlooded,
                match.counts.roomsInRings, alive, playing);
  mMatch->Log().ShowStatus(status);
}
