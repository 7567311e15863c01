#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "meta/MetaData.h"
#include "meta/MetaVec3.h"
#include "objects/Component.h"
#include "objects/ComponentType.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

class Object;

// A player's gun: a rifle that fires one fast bullet, or a spread gun that
// fires a cone of pellets. Each mode heats up per shot and cools over time;
// a mode that reaches the maximum heat is locked until it has cooled right
// down. It listens to nothing: the host calls Update every frame and
// Fire_Gun while the trigger is held.
class TW_API Gun : public Component {
 public:
  // Any other value leaves the gun inert.
  enum AmmoType : std::uint32_t {
    RIFLE = 0,
    SPREAD_GUN = 1,
  };

  Gun() = default;
  Gun(const Gun& other) = default;
  Gun& operator=(const Gun& other) = default;
  ~Gun() override = default;

  // Points the aim down -z.
  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // Cools both modes and decides whether the current mode may fire.
  void Update(float dt);
  // Fires once if the current mode is ready; needs "BulletArc" and
  // "PelletArc" loaded and the gun on a player object.
  void Fire_Gun();
  // One blast of pellets; `lastPellet` ends up holding the last one made.
  void FireSpreadPattern(std::weak_ptr<Object>& lastPellet, float radius);

  void ResetTimer() { mGunTimer = 0.0f; }
  [[nodiscard]] const float& GetTimer() const { return mGunTimer; }

  [[nodiscard]] float Get_Muzzle_Vel() const { return mMuzzleVel; }
  void Set_Muzzle_Vel(float velocity) { mMuzzleVel = velocity; }
  [[nodiscard]] Vectormath::Aos::Vector3 Get_Muzzle_Aim() const { return mMuzzleAim; }
  void Set_Muzzle_Aim(const Vectormath::Aos::Vector3& aim) { mMuzzleAim = aim; }
  [[nodiscard]] ObjectID Get_Owner() const { return mOwner; }
  void Set_Owner(ObjectID owner) { mOwner = owner; }

  // Puts the object in the group "<playerName>projectile".
  void SetBulletCollisionGroup(ObjectID id, const std::string& playerName) const;
  // Asks the host's physics, at once, to move the object into `group`.
  void SetObjectsCollisionGroup(ObjectID id, const std::string& group) const;

  // Tuning values, normally read from the player's archetype.
  [[nodiscard]] AmmoType GetAmmoType() const { return mAmmoType; }
  void SetAmmoType(AmmoType type) { mAmmoType = type; }
  void SetCoolDownRate(float heatPerSecond) { mCDPerFrame = heatPerSecond; }
  void SetShotDelay(float seconds) { mShotDelay = seconds; }
  void SetSpreadDelay(float seconds) { mSpreadDelay = seconds; }
  void SetSpreadGunBlastRadius(float radius) { mSpreadGunBlastRadius = radius; }
  void SetPelletsPerSGBlast(std::uint32_t pellets) { mPelletsPerSGBlast = pellets; }
  void SetHeatPerRifleShot(float heat) { mHeatPerRifleShot = heat; }
  void SetHeatPerSpreadShot(float heat) { mHeatPerSpreadShot = heat; }
  void SetMaxHeatLevel(float heat) { mMaxHeatLevel = heat; }
  [[nodiscard]] float GetMaxHeatLevel() const { return mMaxHeatLevel; }

  [[nodiscard]] float GetRifleHeatLevel() const { return mRifleHeatLevel; }
  [[nodiscard]] float GetSpreadHeatLevel() const { return mSpreadHeatLevel; }
  [[nodiscard]] bool CanFire() const { return mCanFire; }
  [[nodiscard]] bool IsRifleOverheated() const { return mRifleOverheated; }
  [[nodiscard]] bool IsSpreadOverheated() const { return mSpreadOverheated; }

 private:
  // Places a projectile in front of the player, turned the way the player is.
  void PlaceProjectile(const Object& projectile, const Object& player) const;
  // Shakes the player's gamepad (queued).
  static void Vibrate(const Object& player, float seconds, float power);

  float mCDPerFrame = 0.0f;
  AmmoType mAmmoType = RIFLE;
  float mShotDelay = 0.0f;
  float mSpreadDelay = 0.0f;
  float mSpreadGunBlastRadius = 0.0f;
  // Stored and serialized for hosts; firing does not read it.
  float mShotOriginDisplacement = 0.0f;
  std::uint32_t mPelletsPerSGBlast = 0;
  float mRifleHeatLevel = 0.0f;
  float mSpreadHeatLevel = 0.0f;
  float mHeatPerRifleShot = 0.0f;
  float mHeatPerSpreadShot = 0.0f;
  float mMaxHeatLevel = 0.0f;
  bool mCanFire = false;
  bool mRifleOverheated = false;
  bool mSpreadOverheated = false;
  float mGunTimer = 0.0f;
  ObjectID mOwner = 0;
  float mMuzzleVel = 0.0f;
  MetaVec3 mMuzzleAim = Vectormath::Aos::Vector3(0.0f);
};
