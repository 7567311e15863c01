#include "gameplay/Gun.h"

#include <random>
#include <vector>

#include "components/Camera.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/InputMessages.h"
#include "gameplay/Owner.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"
#include "platform/Clock.h"

using Vectormath::Aos::Vector3;

namespace {

// The timer stops here so that it never loses precision in a long match.
constexpr float kTimerCap = 777.777f;
// Heat at or below this counts as cold.
constexpr float kColdHeat = 0.0001f;
// The spread gun cools at half the rate, the rifle at 1 / 1.333 of it.
constexpr float kSpreadCoolFactor = 0.5f;
constexpr float kRifleCoolDivisor = 1.333f;
constexpr float kPi = 3.14159265f;
// Turns a 32-bit random output into [0, 1).
constexpr float kTwoToMinus32 = 2.3283064e-10f;

constexpr float kRifleVibrationSeconds = 0.25f;
constexpr float kRifleVibrationPower = 0.5f;
constexpr float kSpreadVibrationSeconds = 0.15f;
constexpr float kSpreadVibrationPower = 0.75f;

// One mode's readiness after cooling: an overheated mode stays locked until
// its heat has drained completely, not merely under the maximum.
void UpdateReadiness(float heat, bool& overheated, float delay, float timer, float maxHeat, bool& canFire) {
  if (heat >= maxHeat) {
    overheated = true;
    return;
  }
  if (overheated) {
    canFire = false;
    return;
  }
  if (timer > delay) canFire = true;
}

// Cools one mode; the lock lifts only on an update that starts cold.
void Cool(float& heat, bool& overheated, float drop) {
  if (heat > kColdHeat) {
    heat -= drop;
  } else {
    overheated = false;
  }
  if (heat < kColdHeat) heat = 0.0f;
}

void SendPhysics(PhysicsMessageType kind, ObjectID id, const Vector3& vector) {
  Engine::ImmediateMessage(std::make_shared<PhysicsMessage>(L"Gun", kind, id, vector));
}

}  // namespace

META::MetaData Gun::meta_("Gun", sizeof(Gun), META::MetaManager::Get("Component"), false, &META::WriteBlock,
                          &META::ReadBlock);

void Gun::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<float>(meta_, "float", "mGunTimer", META_OFFSET(Gun, mGunTimer));
  META::AddMember<AmmoType>(meta_, "UINT32", "mAmmoType", META_OFFSET(Gun, mAmmoType));
  META::AddMember<float>(meta_, "float", "mShotDelay", META_OFFSET(Gun, mShotDelay));
  META::AddMember<float>(meta_, "float", "mSpreadDelay", META_OFFSET(Gun, mSpreadDelay));
  META::AddMember<float>(meta_, "float", "mSpreadGunBlastRadius", META_OFFSET(Gun, mSpreadGunBlastRadius));
  META::AddMember<float>(meta_, "float", "mShotOriginDisplacement", META_OFFSET(Gun, mShotOriginDisplacement));
  META::AddMember<std::uint32_t>(meta_, "unsigned", "mPelletsPerSGBlast", META_OFFSET(Gun, mPelletsPerSGBlast));
  META::AddMember<float>(meta_, "float", "mRifleHeatLevel", META_OFFSET(Gun, mRifleHeatLevel));
  META::AddMember<float>(meta_, "float", "mSpreadHeatLevel", META_OFFSET(Gun, mSpreadHeatLevel));
  META::AddMember<float>(meta_, "float", "mHeatPerRifleShot", META_OFFSET(Gun, mHeatPerRifleShot));
  META::AddMember<float>(meta_, "float", "mHeatPerSpreadShot", META_OFFSET(Gun, mHeatPerSpreadShot));
  META::AddMember<float>(meta_, "float", "mMaxHeatLevel", META_OFFSET(Gun, mMaxHeatLevel));
  META::AddMember<bool>(meta_, "bool", "mCanFire", META_OFFSET(Gun, mCanFire));
  META::AddMember<bool>(meta_, "bool", "mRifleOverheated", META_OFFSET(Gun, mRifleOverheated));
  META::AddMember<bool>(meta_, "bool", "mSpreadOverheated", META_OFFSET(Gun, mSpreadOverheated));
  META::AddMember<ObjectID>(meta_, "ObjectID", "mOwner", META_OFFSET(Gun, mOwner));
  META::AddMember<float>(meta_, "float", "mMuzzleVel", META_OFFSET(Gun, mMuzzleVel));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "mMuzzleAim", META_OFFSET(Gun, mMuzzleAim));
  META::AddMember<float>(meta_, "float", "mCDPerFrame", META_OFFSET(Gun, mCDPerFrame));
}

META::MetaData& Gun::GetMetaData() { return meta_; }

void Gun::Initialize() { mMuzzleAim = Vector3(0.0f, 0.0f, -1.0f); }

void Gun::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> Gun::CloneComponent() const { return CloneAs<Gun>(L"Gun"); }

void Gun::Update(float dt) {
  if (mGunTimer < kTimerCap) mGunTimer += dt;

  // Both modes cool whichever is in use.
  Cool(mSpreadHeatLevel, mSpreadOverheated, mCDPerFrame * kSpreadCoolFactor * dt);
  Cool(mRifleHeatLevel, mRifleOverheated, (mCDPerFrame / kRifleCoolDivisor) * dt);

  if (mAmmoType == RIFLE) {
    UpdateReadiness(mRifleHeatLevel, mRifleOverheated, mShotDelay, mGunTimer, mMaxHeatLevel, mCanFire);
  } else if (mAmmoType == SPREAD_GUN) {
    UpdateReadiness(mSpreadHeatLevel, mSpreadOverheated, mSpreadDelay, mGunTimer, mMaxHeatLevel, mCanFire);
  }
}

void Gun::Fire_Gun() {
  const bool rifle = mAmmoType == RIFLE && mGunTimer > mShotDelay && mCanFire;
  const bool spread = mAmmoType == SPREAD_GUN && mGunTimer > mSpreadDelay && mCanFire;
  if (!rifle && !spread) return;
  // Physics messages go out at once and their listeners may replace this gun
  // or destroy the player: hold both until the shot is done.
  const std::shared_ptr<Component> self = weak_from_this().lock();
  const std::shared_ptr<Object> player = GetParent().lock();
  if (!player) return;

  if (spread) {
    std::weak_ptr<Object> lastPellet = player;
    FireSpreadPattern(lastPellet, mSpreadGunBlastRadius);
    mSpreadHeatLevel += mHeatPerSpreadShot;
    if (mSpreadHeatLevel >= mMaxHeatLevel) mCanFire = false;
    mGunTimer = 0.0f;
    Vibrate(*player, kSpreadVibrationSeconds, kSpreadVibrationPower);
    return;
  }

  const std::shared_ptr<Object> bullet = Engine::mFactory.CreateArchetypedObject(L"BulletArc").lock();
  if (!bullet) return;
  bullet->SetName("rifleBullet");
  if (const auto owner = bullet->GetComponentAs<Owner>(CT_Owner)) owner->Set_Owner(player->GetID());
  if (const auto camera = player->GetComponentAs<Camera>(CT_Camera)) mMuzzleAim = camera->GetLookAt();
  SetBulletCollisionGroup(bullet->GetID(), player->GetName());
  PlaceProjectile(*bullet, *player);
  SendPhysics(PMT_SET_VELOCITY, bullet->GetID(), Vector3(mMuzzleAim) * mMuzzleVel);

  mRifleHeatLevel += mHeatPerRifleShot;
  if (mRifleHeatLevel >= mMaxHeatLevel) mCanFire = false;
  mGunTimer = 0.0f;
  Vibrate(*player, kRifleVibrationSeconds, kRifleVibrationPower);
}

void Gun::FireSpreadPattern(std::weak_ptr<Object>& lastPellet, float radius) {
  const std::shared_ptr<Component> self = weak_from_this().lock();
  const std::shared_ptr<Object> player = GetParent().lock();

  // Seeded from the calendar second: blasts within one second share a pattern.
  std::mt19937 generator(static_cast<std::uint32_t>(Platform::GetClock().CalendarSeconds()));
  const float low = radius / -kPi;
  const float width = radius / kPi - low;
  const auto offset = [&generator, low, width]() {
    return static_cast<float>(generator()) * kTwoToMinus32 * width + low;
  };

  // Every pellet is placed before any of them flies.
  std::vector<std::shared_ptr<PhysicsMessage>> launches;
  for (std::uint32_t i = 0; i < mPelletsPerSGBlast; ++i) {
    const std::shared_ptr<Object> pellet = Engine::mFactory.CreateArchetypedObject(L"PelletArc").lock();
    lastPellet = pellet;
    if (!pellet) continue;
    pellet->SetName("shotgunPellet");
    const auto owner = pellet->GetComponentAs<Owner>(CT_Owner);
    if (owner && player) {
      owner->Set_Owner(player->GetID());
      SetBulletCollisionGroup(pellet->GetID(), player->GetName());
      if (const auto camera = player->GetComponentAs<Camera>(CT_Camera)) mMuzzleAim = camera->GetLookAt();
    }
    const float x = offset();
    const float y = offset();
    const float z = offset();
    if (player) PlaceProjectile(*pellet, *player);
    // Not normalised: pellets at the rim of the cone fly a little faster.
    launches.push_back(std::make_shared<PhysicsMessage>(L"Gun", PMT_SET_VELOCITY, pellet->GetID(),
                                                        (Vector3(mMuzzleAim) + Vector3(x, y, z)) * mMuzzleVel));
  }
  for (const auto& launch : launches) Engine::ImmediateMessage(launch);
}

void Gun::SetBulletCollisionGroup(ObjectID id, const std::string& playerName) const {
  SetObjectsCollisionGroup(id, playerName + "projectile");
}

void Gun::SetObjectsCollisionGroup(ObjectID id, const std::string& group) const {
  auto message = std::make_shared<PhysicsMessage>(L"Gun", PMT_SET_COLLISION_GROUP, id, Vector3(0.0f));
  message->mCollisionGroup = group;
  Engine::ImmediateMessage(message);
}

void Gun::PlaceProjectile(const Object& projectile, const Object& player) const {
  const auto playerTransform = player.GetComponentAs<Transform>(CT_Transform);
  if (!playerTransform) return;
  SendPhysics(PMT_SET_POSITION, projectile.GetID(), playerTransform->GetPosition() + Vector3(mMuzzleAim));
  if (const auto transform = projectile.GetComponentAs<Transform>(CT_Transform)) {
    // Angles and cached matrix as they stand; the player's matrix is not rebuilt for it.
    transform->CopyWorldRotation(*playerTransform);
  }
}

void Gun::Vibrate(const Object& player, float seconds, float power) {
  Engine::RelayMessage(
      std::make_shared<ControllerVibrateMessage>(L"GameLogic", seconds, power, player.GetComponent(CT_Controller)));
}
