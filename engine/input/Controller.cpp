#include "input/Controller.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "components/Camera.h"
#include "components/Light.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "core/InputMessages.h"
#include "gameplay/PlayerStats.h"
#include "input/MenuCursor.h"
#include "meta/MetaData.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"
#include "platform/Window.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr float kStickRange = 32767.0f;
constexpr float kSprintFactor = 2.5f;
// A bar this low cannot start a sprint; it would only flicker on and off.
constexpr float kSprintThreshold = 0.001f;
constexpr std::uint32_t kFlareDropSound = 0x74C5CC42;

bool InPlay() { return GameState::GetState() == STATE_PLAY; }
bool InMenus() { return GameState::GetState() == STATE_MENU; }
int MenuState() { return static_cast<int>(GameState::GetMenuState()); }

// The camera's right vector laid flat; none while it points straight up or
// down, so that no request carries a NaN velocity into the host's physics.
std::optional<Vector3> FlatRight(const Camera& camera) {
  Vector3 right = camera.GetRightVector();
  right.setY(0.0f);
  const float length = std::sqrt(right.getX() * right.getX() + right.getZ() * right.getZ());
  if (length == 0.0f) return std::nullopt;
  return right / length;
}

const wchar_t* FlareArchetypeFor(const std::string& playerName) {
  if (playerName == "Player1") return L"Player_1_Flare";
  if (playerName == "Player2") return L"Player_2_Flare";
  if (playerName == "Player3") return L"Player_3_Flare";
  if (playerName == "Player4") return L"Player_4_Flare";
  return nullptr;
}

template <class T>
const T* As(const Message& message) {
  return dynamic_cast<const T*>(&message);
}

}  // namespace

META::MetaData Controller::meta_("Controller", sizeof(Controller), META::MetaManager::Get("Component"), false,
                                 &META::WriteBlock, &META::ReadBlock);

bool Controller::isFullscreened = false;
int Controller::selectedMenuItem = 0;
int Controller::selectedMenuColumn = 0;

void Controller::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<float>(meta_, "float", "mLeftStickX", META_OFFSET(Controller, mLeftStickX));
  META::AddMember<float>(meta_, "float", "mLeftStickY", META_OFFSET(Controller, mLeftStickY));
  META::AddMember<float>(meta_, "float", "mRightStickX", META_OFFSET(Controller, mRightStickX));
  META::AddMember<float>(meta_, "float", "mRightStickY", META_OFFSET(Controller, mRightStickY));
  META::AddMember<float>(meta_, "float", "mLeftTrigger", META_OFFSET(Controller, mLeftTrigger));
  META::AddMember<float>(meta_, "float", "mRightTrigger", META_OFFSET(Controller, mRightTrigger));
  META::AddMember<float>(meta_, "float", "mLookSpeed", META_OFFSET(Controller, mLookSpeed));
}

META::MetaData& Controller::GetMetaData() { return meta_; }

void Controller::Initialize() {}

std::shared_ptr<Component> Controller::CloneComponent() const { return CloneAs<Controller>(L"Controller"); }

void Controller::SetMenuSelection(int item, int column) {
  selectedMenuItem = item;
  selectedMenuColumn = column;
}

void Controller::HandleMessage(const std::shared_ptr<Message>& message) {
  if (!message) return;
  const auto object = GetParent().lock();
  if (!object) return;
  const auto stats = object->GetComponentAs<PlayerStats>(CT_PlayerStats);
  if (!stats) return;

  const Message& received = *message;
  switch (received.GetMessageId()) {
    case MT_BUTTON_TRIGGER:
      if (const auto* button = As<ButtonTriggerMessage>(received)) {
        OnButtonTrigger(*object, *stats, button->GetButtonName());
      }
      break;
    case MT_BUTTON_PRESS:
      if (const auto* button = As<ButtonPressMessage>(received)) {
        OnButtonPress(*object, *stats, button->GetButtonName());
      }
      break;
    case MT_BUTTON_RELEASE:
      if (const auto* button = As<ButtonReleaseMessage>(received)) OnButtonRelease(*stats, button->GetButtonName());
      break;
    case MT_MOUSE_LOOK:
      if (const auto* look = As<MouseLookMessage>(received)) {
        // A broken delta would leave the view NaN for good; drop it instead.
        if (!std::isfinite(look->GetXCoord()) || !std::isfinite(look->GetYCoord())) break;
        mRightStickX = look->GetXCoord();
        mRightStickY = look->GetYCoord();
        Look(*object, mRightStickX, mRightStickY);
      }
      break;
    case MT_LEFT_STICK:
      if (const auto* stick = As<LeftStickMessage>(received)) {
        OnLeftStick(*object, *stats, stick->GetLeftStickX(), stick->GetLeftStickY());
      }
      break;
    case MT_RIGHT_STICK:
      if (const auto* stick = As<RightStickMessage>(received)) {
        OnRightStick(*object, stick->GetRightStickX(), stick->GetRightStickY());
      }
      break;
    // A right-trigger pull is ignored on purpose: firing belongs to the host,
    // which drives the player's Gun itself (Gun::Fire_Gun).
    default:
      break;
  }
}

void Controller::OnButtonTrigger(Object& object, PlayerStats& stats, const std::string& button) {
  if (button == "DamagePlayers") {
    Engine::RelayMessage(std::make_shared<GiveMcGuffinMessage>(L"Controller"));
  } else if (button == "GodMode") {
    Engine::RelayMessage(std::make_shared<CheatGodModeMessage>(L"Controller", object.GetID()));
  } else if (button == "InstantWin") {
    Engine::RelayMessage(std::make_shared<CheatInstantWinMessage>(L"Controller", object.GetID()));
  } else if (button == "TestingLevel") {
    Engine::RelayMessage(std::make_shared<LoadLevelMessage>(L"Controller", "Artist_Test", 1));
  } else if (button == "Use") {
    // Doors and escape pods act on "Shoot"; the player number says who used them.
    Engine::RelayMessage(std::make_shared<ButtonTriggerMessage>(L"Controller", "Shoot", mPlayerNumber));
  } else if (button == "Drop") {
    if (InPlay() && stats.HasFlare()) DropFlare(object, stats);
  } else if (InMenus()) {
    MoveMenuSelectionWithButton(button);
  }
}

void Controller::OnButtonPress(Object& object, PlayerStats& stats, const std::string& button) {
  if (InPlay()) {
    const float speed = stats.Get_Speed();
    const bool sprinting = stats.IsSprinting();
    const auto camera = object.GetComponentAs<Camera>(CT_Camera);
    if (button == "Sprint") {
      stats.SetSprinting(stats.GetSprintLevel() > kSprintThreshold);
    } else if (camera && button == "Up") {
      RequestVelocity(object, camera->GetForwardVector() * (sprinting ? speed * kSprintFactor : speed));
    } else if (camera && button == "Down") {
      RequestVelocity(object, camera->GetForwardVector() * (sprinting ? -kSprintFactor * speed : -speed));
    } else if (camera && (button == "Left" || button == "Right")) {
      // Strafing gets no sprint bonus.
      if (const auto right = FlatRight(*camera)) RequestVelocity(object, *right * (button == "Left" ? -speed : speed));
    }
  }
  if (InMenus() && button == "Sprint") Platform::GetWindow().PostLeftButtonDown(MenuCursor::ClickPoint());
}

void Controller::OnButtonRelease(PlayerStats& stats, const std::string& button) {
  if (button != "Sprint") return;
  if (InPlay()) stats.SetSprinting(false);
  if (InMenus()) Platform::GetWindow().PostLeftButtonUp(MenuCursor::ClickPoint());
}

void Controller::OnLeftStick(Object& object, PlayerStats& stats, std::int16_t x, std::int16_t y) {
  mLeftStickX = static_cast<float>(x) / kStickRange;
  mLeftStickY = static_cast<float>(y) / kStickRange;

  if (InPlay()) {
    // No dead zone here: the host's input system applies its own.
    const auto camera = object.GetComponentAs<Camera>(CT_Camera);
    if (!camera) return;
    const float speed = stats.Get_Speed();
    if (mLeftStickX != 0.0f) {
      if (const auto right = FlatRight(*camera)) RequestVelocity(object, *right * (mLeftStickX * speed));
    }
    if (mLeftStickY != 0.0f) {
      float amount = mLeftStickY * speed;
      if (stats.IsSprinting()) amount *= kSprintFactor;
      RequestVelocity(object, camera->GetForwardVector() * amount);
    }
  } else if (InMenus()) {
    MoveMenuSelectionWithStick(mLeftStickX, mLeftStickY);
  }
}

void Controller::OnRightStick(Object& object, std::int16_t x, std::int16_t y) {
  mRightStickX = static_cast<float>(x) / kStickRange;
  mRightStickY = static_cast<float>(y) / kStickRange;
  if (InPlay()) {
    Look(object, mRightStickX, mRightStickY);
  } else if (InMenus()) {
    MoveMenuSelectionWithStick(mRightStickX, mRightStickY);
  }
}

void Controller::Look(Object& object, float lookX, float lookY) {
  const auto camera = object.GetComponentAs<Camera>(CT_Camera);
  if (!camera) return;
  if (lookX != 0.0f) {
    camera->TurnFPCam(-(lookX * mLookSpeed));
    // The body turns with the view.
    if (const auto transform = object.GetComponentAs<Transform>(CT_Transform)) {
      transform->ModifyModelRotationY(-(mLookSpeed * lookX));
    }
  }
  if (lookY != 0.0f) camera->LiftFPCam(mLookSpeed * lookY);
  // The flashlight points where the player looks.
  if (const auto light = object.GetComponentAs<Light>(CT_Light)) light->SetLightDirection(camera->GetLookAt());
}

void Controller::DropFlare(Object& object, PlayerStats& stats) {
  const auto transform = object.GetComponentAs<Transform>(CT_Transform);
  const auto camera = object.GetComponentAs<Camera>(CT_Camera);
  if (!transform || !camera) return;

  // Just ahead along the view, at about the player's waist.
  const Vector3 position = transform->GetPosition() + camera->GetForwardVector() +
                           camera->GetUpVector() * (-0.5f * transform->GetScale().getY());

  if (const wchar_t* archetype = FlareArchetypeFor(object.GetName())) {
    if (const auto flare = Engine::mFactory.CreateArchetypedObject(archetype).lock()) {
      // Lifted by a quarter of its height so that it does not start in the floor.
      float lift = 0.0f;
      if (const auto flareTransform = flare->GetComponentAs<Transform>(CT_Transform)) {
        lift = flareTransform->GetScale().getY() / 4.0f;
      }
      // Immediately: the physics must place the flare before it first simulates it.
      Engine::ImmediateMessage(std::make_shared<PhysicsMessage>(L"RoomHandler", PMT_SET_POSITION, flare->GetID(),
                                                                position + Vector3(0.0f, lift, 0.0f)));
    }
  }

  // Spent even when nothing could be made: the player cannot drop it again.
  stats.SetIfPlayerHasFlare(false);
  stats.ResetFlareTimer();
  Engine::RelayMessage(std::make_shared<PostSoundEventMessage>(L"Menus", kFlareDropSound, nullptr));
}

void Controller::RequestVelocity(const Object& object, const Vector3& velocity) {
  Engine::RelayMessage(std::make_shared<PhysicsMessage>(L"Controller", PMT_SET_VELOCITY, object.GetID(), velocity));
}

// Buttons move the selection only; the next stick message moves the cursor.
void Controller::MoveMenuSelectionWithButton(const std::string& button) {
  int& row = selectedMenuItem;
  int& column = selectedMenuColumn;
  const int menu = MenuState();
  const int lastRow = menu == MenuCursor::kFiveRowMenu ? 4 : menu == MenuCursor::kSixRowMenu ? 5 : -1;
  const bool hasColumns =
      menu == MenuCursor::kTwoColumnMenu || (menu == MenuCursor::kSixRowMenu && (row == 0 || row == 1));

  if (button == "Up" && lastRow >= 0) {
    row = MenuCursor::PreviousRow(row, lastRow);
  } else if (button == "Down" && lastRow >= 0) {
    row = MenuCursor::NextRow(row, lastRow);
  } else if (button == "Left" && hasColumns) {
    column = MenuCursor::PreviousColumn(column);
  } else if (button == "Right" && hasColumns) {
    column = MenuCursor::NextColumn(column);
  }
}

// At most one step per axis per stick message; the host paces the messages.
void Controller::MoveMenuSelectionWithStick(float stickX, float stickY) {
  int& row = selectedMenuItem;
  int& column = selectedMenuColumn;
  const bool up = stickY > 0.0f;
  const bool down = stickY < 0.0f;
  const auto stepColumn = [&column, left = stickX<0.0f, right = stickX> 0.0f] {
    if (left) column = MenuCursor::PreviousColumn(column);
    if (right) column = MenuCursor::NextColumn(column);
  };

  const int menu = MenuState();
  switch (menu) {
    case MenuCursor::kFiveRowMenu:
      if (up) row = MenuCursor::PreviousRow(row, 4);
      if (down) row = MenuCursor::NextRow(row, 4);
      // A row left over from the six-row screen is not on this one.
      if (row > 4) row = 0;
      break;
    case MenuCursor::kTwoColumnMenu:
      stepColumn();
      break;
    case MenuCursor::kSixRowMenu:
      if (up) row = MenuCursor::PreviousRow(row, 5);
      if (down) row = MenuCursor::NextRow(row, 5);
      if (row == 0 || row == 1) stepColumn();
      break;
    case MenuCursor::kSingleItemMenu:
    case MenuCursor::kLowSingleItemMenu:
    case MenuCursor::kMiddleSingleItemMenu:
      break;
    default:
      return;
  }
  MenuCursor::Place(menu, row, column, isFullscreened);
}
