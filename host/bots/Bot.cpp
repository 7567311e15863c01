#include "bots/Bot.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/Match.h"
#include "components/Camera.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "core/InputMessages.h"
#include "gameplay/EscapePod.h"
#include "gameplay/PlayerStats.h"
#include "input/Controller.h"
#include "objects/Object.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr float kReplanInterval = 0.5f;
constexpr float kArrived = 0.4f;
// Where a bot stands to open a door, and where it heads once through.
constexpr float kDoorStandOff = 3.0f;
constexpr float kUseInterval = 1.0f;
constexpr float kPodReach = 2.2f;
constexpr float kSightRange = 18.0f;
constexpr float kAimTolerance = 4.0f;
constexpr float kProgressInterval = 1.5f;
constexpr float kRadiansToDegrees = 57.29578f;

Vector3 Flat(const Vector3& v) { return {v.getX(), 0.0f, v.getZ()}; }

float FlatLength(const Vector3& v) { return std::sqrt(v.getX() * v.getX() + v.getZ() * v.getZ()); }

Vector3 FlatUnit(const Vector3& v) {
  const float length = FlatLength(v);
  return length > 1e-6f ? Vector3(v.getX() / length, 0.0f, v.getZ() / length) : Vector3(0.0f);
}

std::int16_t Axis(float value) {
  return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

// Degrees to turn `from` about +y to face `to` (both flat).
float SignedAngle(const Vector3& from, const Vector3& to) {
  const float crossY = from.getZ() * to.getX() - from.getX() * to.getZ();
  return std::atan2(crossY, from.getX() * to.getX() + from.getZ() * to.getZ()) * kRadiansToDegrees;
}

}  // namespace

Bot::Bot(std::uint32_t playerNumber, ObjectID player, std::uint32_t seed)
    : mPlayerNumber(playerNumber), mPlayer(player), mRandom(seed) {}

void Bot::Press(const char* button) {
  mOut.push_back(std::make_shared<ButtonTriggerMessage>(L"Input", button, mPlayerNumber));
}

void Bot::Hold(const char* button) {
  mOut.push_back(std::make_shared<ButtonPressMessage>(L"Input", button, mPlayerNumber));
}

void Bot::Let(const char* button) {
  mOut.push_back(std::make_shared<ButtonReleaseMessage>(L"Input", button, mPlayerNumber));
}

void Bot::Steer(const Sight& sight, const Vector3& toward, float speedScale) {
  const Vector3 direction = FlatUnit(toward) * speedScale;
  const std::int16_t x = Axis(Vectormath::Aos::dot(direction, sight.right));
  const std::int16_t y = Axis(Vectormath::Aos::dot(direction, sight.forward));
  if (x != 0 || y != 0) mOut.push_back(std::make_shared<LeftStickMessage>(L"Input", x, y, mPlayerNumber));
}

void Bot::Turn(const Sight& sight, const Vector3& toward, float lookSpeed) {
  if (lookSpeed <= 0.0f || FlatLength(toward) < 1e-4f) return;
  const float angle = SignedAngle(sight.forward, FlatUnit(toward));
  if (std::fabs(angle) < 1.0f) return;
  // The controller turns by -(x * look speed) degrees per message.
  const std::int16_t x = Axis(-angle / lookSpeed);
  if (x != 0) mOut.push_back(std::make_shared<RightStickMessage>(L"Input", x, std::int16_t{0}, mPlayerNumber));
}

int Bot::Distance(const ShipMap& map, int from, int target, bool hasKey) {
  const auto route = map.Route(from, target, hasKey);
  return route ? static_cast<int>(route->size()) : -1;
}

int Bot::Target() const {
  switch (mGoal.kind) {
    case GoalKind::Pickup:
      return mGoal.index;
    case GoalKind::Pod:
      return 1000 + mGoal.index;
    default:
      return -1;
  }
}

Bot::Goal Bot::ChooseGoal(const ShipMap& map, int room, int keyCards, int powerCells,
                          const std::vector<int>& claimed) const {
  const bool hasKey = keyCards > 0;
  Goal best;
  int bestDistance = std::numeric_limits<int>::max();
  auto consider = [&](GoalKind kind, int index, int targetRoom, const Vector3& point, bool withKey) {
    int distance = Distance(map, room, targetRoom, withKey);
    if (distance < 0) return;
    // Someone else is already on the way: worth it only if it is much nearer.
    const int key = kind == GoalKind::Pod ? 1000 + index : kind == GoalKind::Pickup ? index : -1;
    if (key >= 0 && std::find(claimed.begin(), claimed.end(), key) != claimed.end()) distance += 3;
    if (distance >= bestDistance) return;
    bestDistance = distance;
    best = {kind, index, targetRoom, point};
  };
  // A charged player, or one whose pod waits to be launched: to the pod.
  for (int p = 0; p < static_cast<int>(map.Pods().size()); ++p) {
    const ShipMap::Pod& pod = map.Pods()[p];
    const bool mine = pod.pod->IsLaunchable() && pod.pod->GetLauncherPlayerID() == mPlayer;
    if ((powerCells > 0 || mine) && map.IsPodAvailable(p, mPlayer)) {
      consider(GoalKind::Pod, p, pod.room, pod.position, hasKey);
    }
  }
  if (best.kind != GoalKind::None) return best;
  // Otherwise a power cell, and a key card first if the cells lie behind key doors.
  bool cellBehindKeyDoor = false;
  for (int i = 0; i < static_cast<int>(map.Pickups().size()); ++i) {
    const ShipMap::Pickup& pickup = map.Pickups()[i];
    if (pickup.type != "PowerCell" || !map.IsPickupAvailable(i)) continue;
    consider(GoalKind::Pickup, i, pickup.room, pickup.position, hasKey);
    if (!hasKey && Distance(map, room, pickup.room, true) >= 0) cellBehindKeyDoor = true;
  }
  if (best.kind != GoalKind::None) return best;
  if (cellBehindKeyDoor) {
    for (int i = 0; i < static_cast<int>(map.Pickups().size()); ++i) {
      const ShipMap::Pickup& pickup = map.Pickups()[i];
      if (pickup.type == "KeyCard" && map.IsPickupAvailable(i)) {
        consider(GoalKind::Pickup, i, pickup.room, pickup.position, false);
      }
    }
    if (best.kind != GoalKind::None) return best;
  }
  // Nothing to fetch: wait where the water comes last, each bot on its own spot.
  const float spread = 4.0f;
  const Vector3 spot(spread * static_cast<float>(mPlayerNumber % 2 == 0 ? -1 : 1), 0.0f,
                     spread * static_cast<float>(mPlayerNumber < 2 ? -1 : 1));
  const int centre = map.RoomWithID(0);
  if (centre >= 0) consider(GoalKind::Haven, -1, centre, map.Rooms()[centre].center + spot, hasKey);
  if (best.kind != GoalKind::None) return best;
  for (int r = 0; r < static_cast<int>(map.Rooms().size()); ++r) {
    if (r != room) consider(GoalKind::Haven, -1, r, map.Rooms()[r].center + spot, hasKey);
  }
  if (best.kind == GoalKind::None && room >= 0 && map.StateOf(room) == ShipMap::RoomState::Dry) {
    best = {GoalKind::Haven, -1, room, map.Rooms()[room].center + spot};
  }
  return best;
}

Vector3 Bot::NextWaypoint(const ShipMap& map, int room, bool hasKey) {
  if (mCrossing >= 0) return mCrossTo;
  const auto route = map.Route(room, mGoal.room, hasKey);
  if (!route || route->empty()) return mGoal.point;
  const int door = route->front();
  const ShipMap::Door& record = map.Doors()[door];
  const int next = record.roomA == room ? record.roomB : record.roomA;
  const Vector3 doorPoint = map.DoorPoint(door);
  const float side = map.Rooms()[next].center.getElem(record.axis) > doorPoint.getElem(record.axis) ? 1.0f : -1.0f;
  Vector3 approach = doorPoint;
  approach.setElem(record.axis, doorPoint.getElem(record.axis) - side * kDoorStandOff);
  Vector3 beyond = doorPoint;
  beyond.setElem(record.axis, doorPoint.getElem(record.axis) + side * kDoorStandOff);
  mCrossTo = beyond;
  return approach;
}

int Bot::FindTarget(const Match& match, int room, const Sight& sight) const {
  int best = -1;
  float bestDistance = kSightRange;
  for (std::size_t i = 0; i < match.Players().size(); ++i) {
    const Match::Player& other = match.Players()[i];
    if (other.id == mPlayer || other.fate != Match::Fate::Playing) continue;
    const auto object = Engine::mFactory.GetObjectWithID(other.id).lock();
    const auto transform = object ? object->GetComponentAs<Transform>(CT_Transform) : nullptr;
    if (!transform || match.Map().RoomAt(transform->GetPosition()) != room) continue;
    const float distance = FlatLength(transform->GetPosition() - sight.position);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

std::vector<std::shared_ptr<Message>> Bot::Think(const ShipMap& map, const Match& match, float timeStep,
                                                 const std::vector<int>& claimed) {
  mOut.clear();
  mFire = false;
  const auto player = Engine::mFactory.GetObjectWithID(mPlayer).lock();
  if (!player) return mOut;
  const auto transform = player->GetComponentAs<Transform>(CT_Transform);
  const auto camera = player->GetComponentAs<Camera>(CT_Camera);
  const auto stats = player->GetComponentAs<PlayerStats>(CT_PlayerStats);
  const auto controller = player->GetComponentAs<Controller>(CT_Controller);
  if (!transform || !camera || !stats || !controller || stats->IsDead()) return mOut;

  Sight sight;
  sight.position = transform->GetPosition();
  sight.forward = FlatUnit(camera->GetForwardVector());
  sight.right = FlatUnit(camera->GetRightVector());
  const int room = map.RoomAt(sight.position);
  const bool hasKey = stats->GetKeyCards() > 0;
  mUseCooldown -= timeStep;
  mShotCooldown -= timeStep;
  mReplan -= timeStep;

  const bool goalGone = (mGoal.kind == GoalKind::Pickup && !map.IsPickupAvailable(mGoal.index)) ||
                        (mGoal.kind == GoalKind::Pod && !map.IsPodAvailable(mGoal.index, mPlayer));
  if (mReplan <= 0.0f || goalGone || mGoal.kind == GoalKind::None) {
    mGoal = ChooseGoal(map, room, stats->GetKeyCards(), stats->GetPowerCells(), claimed);
    mReplan = kReplanInterval;
  }

  // A flare for each new room, now and then.
  if (room != mLastRoom) {
    if (mLastRoom >= 0 && stats->HasFlare() && std::uniform_real_distribution<float>(0.0f, 1.0f)(mRandom) < 0.15f) {
      Press("Drop");
    }
    mLastRoom = room;
  }

  bool waiting = false;
  bool atDoor = false;
  Vector3 target = sight.position;
  if (mGoal.kind != GoalKind::None) target = NextWaypoint(map, room, hasKey);
  Vector3 toTarget = Flat(target - sight.position);
  float distance = FlatLength(toTarget);

  if (mCrossing >= 0 && distance < kArrived) {
    mCrossing = -1;
  } else if (mCrossing < 0 && mGoal.kind != GoalKind::None) {
    // At a door: open it, or start across once it is up.
    const auto route = map.Route(room, mGoal.room, hasKey);
    if (route && !route->empty() && distance < kArrived * 2.0f) {
      const int door = route->front();
      if (map.IsDoorPassable(door)) {
        mCrossing = door;
      } else {
        waiting = true;
        atDoor = true;
        if (!map.IsDoorOpen(door) && !map.IsDoorLocked(door) && mUseCooldown <= 0.0f) {
          Press("Use");
          mUseCooldown = kUseInterval;
        }
      }
    }
  }
  if (mCrossing >= 0) {
    target = mCrossTo;
    toTarget = Flat(target - sight.position);
    distance = FlatLength(toTarget);
  }

  // At the pod: charge it, then launch it.
  if (mGoal.kind == GoalKind::Pod) {
    const float podDistance = FlatLength(map.Pods()[mGoal.index].position - sight.position);
    if (podDistance < kPodReach && mUseCooldown <= 0.0f) {
      Press("Use");
      mUseCooldown = 0.3f;
    }
  }
  if (mGoal.kind == GoalKind::Haven && distance < kArrived) waiting = true;

  // Stuck against something: step aside for a moment.
  mProgressTimer += timeStep;
  if (mProgressTimer >= kProgressInterval) {
    if (!waiting && distance > 1.0f && FlatLength(sight.position - mProgressMark) < 0.3f) {
      const float sign = std::uniform_int_distribution<int>(0, 1)(mRandom) == 0 ? -1.0f : 1.0f;
      mSidestepDirection = Vector3(-toTarget.getZ(), 0.0f, toTarget.getX()) * sign;
      mSidestep = 0.6f;
      mCrossing = -1;
    }
    mProgressMark = sight.position;
    mProgressTimer = 0.0f;
  }

  const float speed = stats->Get_Speed();
  const bool wantSprint = !waiting && distance > 12.0f && stats->GetSprintLevel() > 0.4f && mSidestep <= 0.0f;
  if (wantSprint != mSprinting) {
    if (wantSprint) {
      Hold("Sprint");
    } else {
      Let("Sprint");
    }
    mSprinting = wantSprint;
  } else if (mSprinting) {
    Hold("Sprint");
  }

  if (mSidestep > 0.0f) {
    mSidestep -= timeStep;
    Steer(sight, mSidestepDirection, 1.0f);
  } else if (distance >= kArrived * 0.5f && speed > 0.0f) {
    // Slow down on the last stretch so as not to overshoot.
    const float step = speed * (mSprinting ? 2.5f : 1.0f) * 0.05f;
    Steer(sight, toTarget, std::min(1.0f, distance / std::max(step, 1e-3f)));
  }

  // Look where it walks, or at someone to shoot while it waits at a door.
  Vector3 look = toTarget;
  if (atDoor) {
    const int victim = FindTarget(match, room, sight);
    if (victim >= 0) {
      const auto other = Engine::mFactory.GetObjectWithID(match.Players()[static_cast<std::size_t>(victim)].id).lock();
      const auto where = other ? other->GetComponentAs<Transform>(CT_Transform) : nullptr;
      if (where) {
        look = Flat(where->GetPosition() - sight.position);
        if (std::fabs(SignedAngle(sight.forward, FlatUnit(look))) < kAimTolerance && mShotCooldown <= 0.0f) {
          mFire = true;
          mShotCooldown = std::uniform_real_distribution<float>(2.0f, 5.0f)(mRandom);
        }
      }
    }
  }
  Turn(sight, look, controller->GetLookSpeed());
  return mOut;
}
