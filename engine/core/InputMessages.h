#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "core/Message.h"
#include "platform/Export.h"

class Component;

// Input as the host's input system reports it, already mapped to players
// (numbered from 0) and button names, plus the Controller's requests back to
// the gamepads and the cheats it passes on.

// Shared by the three button messages: a named button of one player.
class TW_API ButtonMessage : public Message {
 public:
  [[nodiscard]] const std::string& GetButtonName() const { return mButtonName; }
  [[nodiscard]] unsigned int GetPlayerID() const { return mPlayerID; }

 protected:
  ButtonMessage(const std::wstring& sender, MessageType type, const std::string& buttonName, unsigned int playerID)
      : Message(sender, type), mButtonName(buttonName), mPlayerID(playerID) {}

 private:
  std::string mButtonName;
  unsigned int mPlayerID;
};

// The button went down this frame; sent once per press.
class TW_API ButtonTriggerMessage : public ButtonMessage {
 public:
  ButtonTriggerMessage(const std::wstring& sender, const std::string& buttonName, unsigned int playerID)
      : ButtonMessage(sender, MT_BUTTON_TRIGGER, buttonName, playerID) {}
};

// The button is held; sent every frame it stays down.
class TW_API ButtonPressMessage : public ButtonMessage {
 public:
  ButtonPressMessage(const std::wstring& sender, const std::string& buttonName, unsigned int playerID)
      : ButtonMessage(sender, MT_BUTTON_PRESS, buttonName, playerID) {}
};

class TW_API ButtonReleaseMessage : public ButtonMessage {
 public:
  ButtonReleaseMessage(const std::wstring& sender, const std::string& buttonName, unsigned int playerID)
      : ButtonMessage(sender, MT_BUTTON_RELEASE, buttonName, playerID) {}
};

class TW_API MouseLookMessage : public Message {
 public:
  MouseLookMessage(const std::wstring& sender, float x, float y, unsigned int playerID)
      : Message(sender, MT_MOUSE_LOOK), mX(x), mY(y), mPlayerID(playerID) {}

  [[nodiscard]] float GetXCoord() const { return mX; }
  [[nodiscard]] float GetYCoord() const { return mY; }
  [[nodiscard]] unsigned int GetPlayerID() const { return mPlayerID; }

 private:
  float mX;
  float mY;
  unsigned int mPlayerID;
};

// Raw signed 16-bit axis values, as the gamepad reports them.
class TW_API LeftStickMessage : public Message {
 public:
  LeftStickMessage(const std::wstring& sender, std::int16_t x, std::int16_t y, unsigned int playerID)
      : Message(sender, MT_LEFT_STICK), mX(x), mY(y), mPlayerID(playerID) {}

  [[nodiscard]] std::int16_t GetLeftStickX() const { return mX; }
  [[nodiscard]] std::int16_t GetLeftStickY() const { return mY; }
  [[nodiscard]] unsigned int GetPlayerID() const { return mPlayerID; }

 private:
  std::int16_t mX;
  std::int16_t mY;
  unsigned int mPlayerID;
};

class TW_API RightStickMessage : public Message {
 public:
  RightStickMessage(const std::wstring& sender, std::int16_t x, std::int16_t y, unsigned int playerID)
      : Message(sender, MT_RIGHT_STICK), mX(x), mY(y), mPlayerID(playerID) {}

  [[nodiscard]] std::int16_t GetRightStickX() const { return mX; }
  [[nodiscard]] std::int16_t GetRightStickY() const { return mY; }
  [[nodiscard]] unsigned int GetPlayerID() const { return mPlayerID; }

 private:
  std::int16_t mX;
  std::int16_t mY;
  unsigned int mPlayerID;
};

// Shared by the messages that carry nothing but the player they concern:
// the trigger states and the cheats.
class TW_API PlayerIDMessage : public Message {
 public:
  [[nodiscard]] unsigned int GetPlayerID() const { return mPlayerID; }

 protected:
  PlayerIDMessage(const std::wstring& sender, MessageType type, unsigned int playerID)
      : Message(sender, type), mPlayerID(playerID) {}

 private:
  unsigned int mPlayerID;
};

// Trigger = pulled this frame (one-shot), Press = held, Release = let go.
class TW_API LeftTriggerTriggerMessage : public PlayerIDMessage {
 public:
  LeftTriggerTriggerMessage(const std::wstring& sender, unsigned int playerID)
      : PlayerIDMessage(sender, MT_LEFT_TRIGGER_TRIGGER, playerID) {}
};

class TW_API LeftTriggerPressMessage : public PlayerIDMessage {
 public:
  LeftTriggerPressMessage(const std::wstring& sender, unsigned int playerID)
      : PlayerIDMessage(sender, MT_LEFT_TRIGGER_PRESS, playerID) {}
};

class TW_API LeftTriggerReleaseMessage : public PlayerIDMessage {
 public:
  LeftTriggerReleaseMessage(const std::wstring& sender, unsigned int playerID)
      : PlayerIDMessage(sender, MT_LEFT_TRIGGER_RELEASE, playerID) {}
};

class TW_API RightTriggerTriggerMessage : public PlayerIDMessage {
 public:
  RightTriggerTriggerMessage(const std::wstring& sender, unsigned int playerID)
      : PlayerIDMessage(sender, MT_RIGHT_TRIGGER_TRIGGER, playerID) {}
};

class TW_API RightTriggerPressMessage : public PlayerIDMessage {
 public:
  RightTriggerPressMessage(const std::wstring& sender, unsigned int playerID)
      : PlayerIDMessage(sender, MT_RIGHT_TRIGGER_PRESS, playerID) {}
};

class TW_API RightTriggerReleaseMessage : public PlayerIDMessage {
 public:
  RightTriggerReleaseMessage(const std::wstring& sender, unsigned int playerID)
      : PlayerIDMessage(sender, MT_RIGHT_TRIGGER_RELEASE, playerID) {}
};

// Cheats the Controller passes on to the host.
class TW_API CheatDamagePlayersMessage : public PlayerIDMessage {
 public:
  CheatDamagePlayersMessage(const std::wstring& sender, unsigned int playerID)
      : PlayerIDMessage(sender, MT_CHEAT_DAMAGE_PLAYERS, playerID) {}
};

class TW_API CheatInstantWinMessage : public PlayerIDMessage {
 public:
  CheatInstantWinMessage(const std::wstring& sender, unsigned int playerID)
      : PlayerIDMessage(sender, MT_CHEAT_INSTANT_WIN, playerID) {}
};

class TW_API CheatGodModeMessage : public PlayerIDMessage {
 public:
  CheatGodModeMessage(const std::wstring& sender, unsigned int playerID)
      : PlayerIDMessage(sender, MT_CHEAT_GOD_MODE, playerID) {}
};

// Shakes the gamepad of the player who owns the given controller component.
class TW_API ControllerVibrateMessage : public Message {
 public:
  ControllerVibrateMessage(const std::wstring& sender, float durationInSeconds, float normalizedPower,
                           std::weak_ptr<Component> controller)
      : Message(sender, MT_CONTROLLER_VIBRATE),
        mDurationInSeconds(durationInSeconds),
        mNormalizedPower(normalizedPower),
        mController(std::move(controller)) {}

  [[nodiscard]] float GetDurationInSeconds() const { return mDurationInSeconds; }
  [[nodiscard]] float GetNormalizedPower() const { return mNormalizedPower; }
  [[nodiscard]] std::weak_ptr<Component> GetControllerComponent() const { return mController; }

 private:
  float mDurationInSeconds;
  float mNormalizedPower;
  std::weak_ptr<Component> mController;
};

class TW_API ControllerVibrateMotorsMessage : public Message {
 public:
  ControllerVibrateMotorsMessage(const std::wstring& sender, float durationInSeconds, float normalizedLeftPower,
                                 float normalizedRightPower, std::weak_ptr<Component> controller)
      : Message(sender, MT_CONTROLLER_VIBRATE_MOTORS),
        mDurationInSeconds(durationInSeconds),
        mNormalizedLeftPower(normalizedLeftPower),
        mNormalizedRightPower(normalizedRightPower),
        mController(std::move(controller)) {}

  [[nodiscard]] float GetDurationInSeconds() const { return mDurationInSeconds; }
  [[nodiscard]] float GetNormalizedLeftPower() const { return mNormalizedLeftPower; }
  [[nodiscard]] float GetNormalizedRightPower() const { return mNormalizedRightPower; }
  [[nodiscard]] std::weak_ptr<Component> GetControllerComponent() const { return mController; }

 private:
  float mDurationInSeconds;
  float mNormalizedLeftPower;
  float mNormalizedRightPower;
  std::weak_ptr<Component> mController;
};

// Another message, addressed to one player only.
class TW_API ControllerIDMessage : public Message {
 public:
  ControllerIDMessage(const std::wstring& sender, std::shared_ptr<Message> wrapped, unsigned int playerID)
      : Message(sender, MT_CONTROLLER_ID), mWrapped(std::move(wrapped)), mPlayerID(playerID) {}

  [[nodiscard]] std::shared_ptr<Message>& GetWrappedMessage() { return mWrapped; }
  [[nodiscard]] const std::shared_ptr<Message>& GetWrappedMessage() const { return mWrapped; }
  [[nodiscard]] unsigned int GetPlayerID() const { return mPlayerID; }

 private:
  std::shared_ptr<Message> mWrapped;
  unsigned int mPlayerID;
};

class TW_API ChangePlayerMode : public Message {
 public:
  ChangePlayerMode(const std::wstring& sender, unsigned int playerMode)
      : Message(sender, MT_CHANGE_PLAYER_MODE), mPlayerMode(playerMode) {}

  [[nodiscard]] unsigned int GetPlayerMode() const { return mPlayerMode; }

 private:
  unsigned int mPlayerMode;
};

class TW_API GiveMcGuffinMessage : public Message {
 public:
  explicit GiveMcGuffinMessage(const std::wstring& sender) : Message(sender, MT_GIVE_MCGUFFIN) {}
};
