#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

class Camera;
class Message;
class Object;
class PlayerStats;
namespace META {
class MetaData;
}

// Turns one player's input into game actions. The host hands each input
// message to the player's object; in play the controller moves the body
// through the host's physics, looks through the Camera, sprints, drops flares
// and turns "Use" into "Shoot". In the menus it moves the one menu selection
// shared by all players and places the mouse cursor over it, so that a gamepad
// can work the host's mouse-driven menus. Without PlayerStats it ignores input.
class TW_API Controller : public Component {
 public:
  Controller() = default;
  Controller(const Controller& other) = default;
  Controller& operator=(const Controller& other) = default;
  ~Controller() override = default;

  // Registers no listeners: input arrives through the object's HandleMessage.
  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // Which player (numbered from 0) this controller belongs to; set by the host.
  void SetPlayerNumber(std::uint32_t playerNumber) { mPlayerNumber = playerNumber; }
  [[nodiscard]] std::uint32_t GetPlayerNumber() const { return mPlayerNumber; }

  // The last stick positions in -1..1; the right stick also holds the last
  // mouse-look deltas, unscaled.
  [[nodiscard]] float GetLeftStickX() const { return mLeftStickX; }
  [[nodiscard]] float GetLeftStickY() const { return mLeftStickY; }
  [[nodiscard]] float GetRightStickX() const { return mRightStickX; }
  [[nodiscard]] float GetRightStickY() const { return mRightStickY; }
  // Degrees turned or lifted per unit of stick or mouse input.
  [[nodiscard]] float GetLookSpeed() const { return mLookSpeed; }
  void SetLookSpeed(float lookSpeed) { mLookSpeed = lookSpeed; }

  // Chooses the full-screen menu layout; set by the host.
  static bool isFullscreened;

  // The menu selection is never reset by the controller: a screen starts from
  // where the previous one left it. A host that wants a fresh start sets it.
  [[nodiscard]] static int GetSelectedMenuItem() { return selectedMenuItem; }
  [[nodiscard]] static int GetSelectedMenuColumn() { return selectedMenuColumn; }
  static void SetMenuSelection(int item, int column);

 private:
  void OnButtonTrigger(Object& object, PlayerStats& stats, const std::string& button);
  void OnButtonPress(Object& object, PlayerStats& stats, const std::string& button);
  void OnButtonRelease(PlayerStats& stats, const std::string& button);
  void OnLeftStick(Object& object, PlayerStats& stats, std::int16_t x, std::int16_t y);
  void OnRightStick(Object& object, std::int16_t x, std::int16_t y);
  void Look(Object& object, float lookX, float lookY);
  static void DropFlare(Object& object, PlayerStats& stats);
  static void RequestVelocity(const Object& object, const Vectormath::Aos::Vector3& velocity);

  static void MoveMenuSelectionWithButton(const std::string& button);
  static void MoveMenuSelectionWithStick(float stickX, float stickY);

  float mLeftStickX = 0.0f;
  float mLeftStickY = 0.0f;
  float mRightStickX = 0.0f;
  float mRightStickY = 0.0f;
  float mLeftTrigger = 0.0f;
  float mRightTrigger = 0.0f;
  float mLookSpeed = 0.0f;
  std::uint32_t mPlayerNumber = 0;

  static int selectedMenuItem;
  static int selectedMenuColumn;
};
