// A player's input as the host hands it to the player's object: walking,
// looking, sprinting, flares, cheats, and a gamepad working the menus.
#include <gtest/gtest.h>

#include "components/Camera.h"
#include "components/Light.h"
#include "components/Transform.h"
#include "core/GameState.h"
#include "core/Messages.h"
#include "gameplay/PlayerStats.h"
#include "input/Controller.h"
#include "objects/Object.h"
#include "platform/RecordingWindow.h"
#include "support/EngineFixture.h"
#include "support/VectormathAsserts.h"

namespace {

using tidewater_test::VecNear;
using Vectormath::Aos::Vector3;
using Point = Platform::Window::Point;

const std::vector<std::wstring> kFullPlayer{L"Transform", L"Controller", L"PlayerStats", L"Camera", L"Light"};

class ControllerTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    host = new RecordingSystem(L"Host");
    Engine::AddSystem(host);
    Platform::SetWindow(&window);
    // The menu selection and layout are shared by the whole process.
    Controller::isFullscreened = false;
    Controller::SetMenuSelection(0, 0);
    GameState::SetState(STATE_PLAY);
  }
  void TearDown() override {
    Platform::SetWindow(nullptr);
    Controller::isFullscreened = false;
    EngineFixture::TearDown();
  }

  struct Player {
    std::shared_ptr<Object> object;
    std::shared_ptr<Controller> controller = object->GetComponentAs<Controller>(CT_Controller);
    std::shared_ptr<PlayerStats> stats = object->GetComponentAs<PlayerStats>(CT_PlayerStats);
    std::shared_ptr<Transform> transform = object->GetComponentAs<Transform>(CT_Transform);
    std::shared_ptr<Camera> camera = object->GetComponentAs<Camera>(CT_Camera);
    std::shared_ptr<Light> light = object->GetComponentAs<Light>(CT_Light);
  };

  // Built as a level builds one: parts given, then the object started.
  static Player MakePlayer(const std::string& name, const std::vector<std::wstring>& parts = kFullPlayer) {
    auto object = Engine::mFactory.CreateGenericObject().lock();
    object->SetName(name);
    for (const auto& part : parts) Engine::mFactory.GiveObjectComponent(object, part);
    Player player{object};
    if (player.stats) player.stats->Set_Speed(4.0f);
    object->Initialize();
    Flush();
    return player;
  }

  template <class M>
  static void Button(const Player& player, const std::string& name) {
    player.object->HandleMessage(std::make_shared<M>(L"Input", name, 0));
  }
  template <class M>
  static void Stick(const Player& player, std::int16_t x, std::int16_t y) {
    player.object->HandleMessage(std::make_shared<M>(L"Input", x, y, 0));
  }

  // What reached the host at the next broadcast, of one type (all if none given).
  template <class M = Message>
  std::vector<std::shared_ptr<const M>> Delivered(MessageType type = MT_ERROR) {
    host->queued.clear();
    Flush();
    std::vector<std::shared_ptr<const M>> found;
    for (const auto& message : host->queued) {
      if (type == MT_ERROR || message->GetMessageId() == type)
        found.push_back(std::static_pointer_cast<const M>(message));
    }
    return found;
  }

  // Checks the velocity requests of the next broadcast, in order.
  void ExpectVelocities(const Player& player, const std::vector<Vector3>& velocities) {
    const auto requests = Delivered<PhysicsMessage>(MT_PHYSICS);
    ASSERT_EQ(requests.size(), velocities.size());
    for (std::size_t i = 0; i < velocities.size(); ++i) {
      EXPECT_EQ(requests[i]->mKind, PMT_SET_VELOCITY);
      EXPECT_EQ(requests[i]->mObjectID, player.object->GetID());
      EXPECT_TRUE(VecNear(requests[i]->mVector, velocities[i])) << "request " << i;
    }
  }

  // The last cursor placement, in client coordinates.
  [[nodiscard]] Point Cursor() const {
    if (window.CursorMoves().empty()) return {-1, -1};
    return {window.CursorMoves().back().x - 100, window.CursorMoves().back().y - 50};
  }
  static void ExpectSelection(int row, int column) {
    EXPECT_EQ(Controller::GetSelectedMenuItem(), row);
    EXPECT_EQ(Controller::GetSelectedMenuColumn(), column);
  }
  static void Menu(int menuState) {
    GameState::SetState(STATE_MENU);
    GameState::SetMenuState(static_cast<MENU_STATE>(menuState));
  }

  RecordingSystem* host = nullptr;
  // A client area whose sides do not divide evenly, away from the screen origin.
  Platform::RecordingWindow window{{801, 607}, {100, 50}};
};

TEST_F(ControllerTest, WalkingAsksThePhysicsForOneVelocityPerMovedAxisOnlyInPlay) {
  const Player player = MakePlayer("Player1");
  Stick<LeftStickMessage>(player, 0, 32767);
  ExpectVelocities(player, {{0.0f, 0.0f, -4.0f}});
  Stick<LeftStickMessage>(player, 32767, -16384);
  ExpectVelocities(player, {{4.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 4.0f * 16384.0f / 32767.0f}});
  Stick<LeftStickMessage>(player, 0, 0);
  ExpectVelocities(player, {});

  // Sprinting speeds up walking along the view, never strafing.
  Button<ButtonPressMessage>(player, "Sprint");
  Stick<LeftStickMessage>(player, 32767, 32767);
  ExpectVelocities(player, {{4.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -10.0f}});
  for (const char* button : {"Down", "Left"}) Button<ButtonPressMessage>(player, button);
  ExpectVelocities(player, {{0.0f, 0.0f, 10.0f}, {-4.0f, 0.0f, 0.0f}});

  for (STATE elsewhere : {STATE_MENU, STATE_NONE}) {
    GameState::SetState(elsewhere);
    Stick<LeftStickMessage>(player, 32767, 32767);
    Button<ButtonPressMessage>(player, "Up");
    ExpectVelocities(player, {});
  }
}

TEST_F(ControllerTest, LookingTurnsTheCameraAndTheBodyAndPointsTheFlashlight) {
  const Player player = MakePlayer("Player1");
  player.controller->SetLookSpeed(90.0f);
  Stick<RightStickMessage>(player, 32767, 0);
  EXPECT_TRUE(VecNear(player.camera->GetLookAt(), {1.0f, 0.0f, 0.0f})) << "a quarter turn right, no lift";
  EXPECT_FLOAT_EQ(player.transform->GetTransformData().ModelRotationAngleY, -90.0f);
  EXPECT_TRUE(VecNear(player.light->GetLightDirection(), player.camera->GetLookAt()));
  Stick<LeftStickMessage>(player, 0, 32767);
  ExpectVelocities(player, {{4.0f, 0.0f, 0.0f}});

  // Lifting tips the view only; a centred stick still re-aims the flashlight.
  Stick<RightStickMessage>(player, 0, 16384);
  EXPECT_GT(player.camera->GetLookAt().getY(), 0.5f);
  EXPECT_FLOAT_EQ(player.transform->GetTransformData().ModelRotationAngleY, -90.0f);
  player.light->SetLightDirection({0.0f, -1.0f, 0.0f});
  Stick<RightStickMessage>(player, 0, 0);
  EXPECT_TRUE(VecNear(player.light->GetLightDirection(), player.camera->GetLookAt()));

  // In the menus the right stick steers the menu, but the mouse still looks, unscaled.
  Menu(0);
  Stick<RightStickMessage>(player, 32767, 0);
  EXPECT_FLOAT_EQ(player.transform->GetTransformData().ModelRotationAngleY, -90.0f);
  player.object->HandleMessage(std::make_shared<MouseLookMessage>(L"Input", -0.5f, 0.0f, 0));
  EXPECT_FLOAT_EQ(player.transform->GetTransformData().ModelRotationAngleY, -45.0f);
}

TEST_F(ControllerTest, SprintNeedsSprintLeftInTheBarAndEndsOnRelease) {
  const Player player = MakePlayer("Player1");
  Button<ButtonPressMessage>(player, "Sprint");
  for (int second = 0; second < 7; ++second) {
    Engine::RelayMessage(std::make_shared<TimeUpdateMessage>(L"Core\\Engine", 1.0f));
    Flush();
  }
  Button<ButtonReleaseMessage>(player, "Sprint");
  EXPECT_FALSE(player.stats->IsSprinting());
  ASSERT_LT(player.stats->GetSprintLevel(), 0.001f);
  Button<ButtonPressMessage>(player, "Sprint");
  EXPECT_FALSE(player.stats->IsSprinting());
  EXPECT_TRUE(window.Clicks().empty()) << "no menu clicks in play";
}

TEST_F(ControllerTest, EachPlayerDropsItsOwnFlareAheadAndThenHasNone) {
  for (int n = 1; n <= 4; ++n) {
    SCOPED_TRACE(n);
    // Each flare archetype is as tall as its player number.
    auto archetype = Engine::mFactory.CreateGenericArchetype(L"Player_" + std::to_wstring(n) + L"_Flare");
    std::static_pointer_cast<Transform>(Engine::mFactory.GiveArchetypeComponent(archetype, L"Transform").lock())
        ->SetWorldScalar({1.0f, static_cast<float>(n), 1.0f});
    const Player player = MakePlayer("Player" + std::to_string(n));
    player.transform->SetWorldPosition({10.0f, 0.0f, 5.0f});
    player.transform->SetWorldScalar({1.0f, 2.0f, 1.0f});
    player.stats->SetIfPlayerHasFlare(true);
    host->immediate.clear();
    Button<ButtonTriggerMessage>(player, "Drop");

    ASSERT_EQ(host->immediate.size(), 1u);
    const auto& place = static_cast<const PhysicsMessage&>(*host->immediate[0]);
    EXPECT_EQ(place.mKind, PMT_SET_POSITION);
    // One ahead, down half the player's height, up a quarter of the flare's.
    EXPECT_TRUE(VecNear(place.mVector, {10.0f, -1.0f + static_cast<float>(n) / 4.0f, 4.0f}));
    auto flare = Engine::mFactory.GetObjectWithID(place.mObjectID).lock();
    ASSERT_TRUE(flare);
    EXPECT_EQ(flare->GetComponentAs<Transform>(CT_Transform)->GetScale().getY(), static_cast<float>(n));
    const auto sounds = Delivered<PostSoundEventMessage>(MT_POST_SOUND_EVENT);
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0]->GetSoundID(), 0x74C5CC42u);

    Button<ButtonTriggerMessage>(player, "Drop");
    EXPECT_TRUE(Delivered().empty()) << "spent: no flare, no sound";
    EXPECT_EQ(host->immediate.size(), 1u);
  }

  // Kept in the menus; spent for nothing by an object that is no player.
  const Player bot = MakePlayer("Bot");
  bot.stats->SetIfPlayerHasFlare(true);
  host->immediate.clear();
  Menu(2);
  Button<ButtonTriggerMessage>(bot, "Drop");
  EXPECT_TRUE(bot.stats->HasFlare());
  GameState::SetState(STATE_PLAY);
  Button<ButtonTriggerMessage>(bot, "Drop");
  EXPECT_FALSE(bot.stats->HasFlare());
  EXPECT_TRUE(host->immediate.empty()) << "nothing placed";
}

TEST_F(ControllerTest, UseBecomesShootForThisPlayerAndCheatsPassOnInAnyState) {
  const Player player = MakePlayer("Player3");
  player.controller->SetPlayerNumber(2);
  Button<ButtonTriggerMessage>(player, "Use");
  const auto shots = Delivered<ButtonTriggerMessage>(MT_BUTTON_TRIGGER);
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_EQ(shots[0]->GetButtonName(), "Shoot");
  EXPECT_EQ(shots[0]->GetPlayerID(), 2u);

  for (STATE state : {STATE_PLAY, STATE_MENU, STATE_NONE}) {
    SCOPED_TRACE(state);
    GameState::SetState(state);
    for (const char* cheat : {"DamagePlayers", "GodMode", "InstantWin", "NextLevel", "TestingLevel", "godmode"}) {
      Button<ButtonTriggerMessage>(player, cheat);
    }
    std::vector<MessageType> sent;
    for (const auto& message : Delivered()) sent.push_back(message->GetMessageId());
    EXPECT_EQ(sent,
              (std::vector<MessageType>{MT_GIVE_MCGUFFIN, MT_CHEAT_GOD_MODE, MT_CHEAT_INSTANT_WIN, MT_LOAD_LEVEL}));
  }
  // The cheats name the player's object, not its player number.
  Button<ButtonTriggerMessage>(player, "GodMode");
  const auto god = Delivered<PlayerIDMessage>(MT_CHEAT_GOD_MODE);
  ASSERT_EQ(god.size(), 1u);
  EXPECT_EQ(god[0]->GetPlayerID(), player.object->GetID());
}

TEST_F(ControllerTest, APlayerMissingPartsDoesOnlyWhatItsPartsAllow) {
  const Player ghost = MakePlayer("Player1", {L"Transform", L"Controller", L"Camera"});
  Stick<RightStickMessage>(ghost, 32767, 0);
  Button<ButtonTriggerMessage>(ghost, "GodMode");
  EXPECT_TRUE(Delivered().empty()) << "no stats: no input at all";
  EXPECT_TRUE(VecNear(ghost.camera->GetLookAt(), {0.0f, 0.0f, -1.0f}));

  const Player blind = MakePlayer("Player2", {L"Controller", L"PlayerStats"});
  blind.stats->SetIfPlayerHasFlare(true);
  Stick<LeftStickMessage>(blind, 32767, 32767);
  Button<ButtonTriggerMessage>(blind, "Drop");
  // A right-trigger pull is the host's to turn into gunfire.
  blind.object->HandleMessage(std::make_shared<RightTriggerTriggerMessage>(L"Input", 0));
  EXPECT_TRUE(Delivered().empty());
  EXPECT_TRUE(blind.stats->HasFlare());
}

TEST_F(ControllerTest, AStickPutsTheCursorOnTheSelectedItemOfEachMenuInEitherLayout) {
  const Player player = MakePlayer("Player1");
  struct Item {
    int menu, row, column;
    bool fullScreen;
    Point cursor;
  };
  // Representative items of every screen with a layout, on an 801 x 607 client area.
  const Item items[] = {{2, 4, 0, false, {400, 451}}, {2, 1, 0, false, {400, 226}}, {2, 4, 0, true, {400, 442}},
                        {2, 0, 0, true, {400, 202}},  {3, 0, 1, false, {534, 303}}, {3, 0, 0, true, {267, 303}},
                        {4, 0, 0, false, {267, 485}}, {4, 0, 0, true, {267, 485}},  {5, 0, 1, false, {488, 233}},
                        {5, 1, 0, false, {408, 261}}, {5, 5, 1, false, {320, 376}}, {5, 0, 1, true, {464, 242}},
                        {5, 1, 1, true, {464, 267}},  {5, 3, 1, true, {328, 309}},  {6, 0, 0, false, {160, 546}},
                        {6, 0, 0, true, {160, 497}},  {7, 0, 0, false, {400, 364}}, {7, 0, 0, true, {400, 352}}};
  for (const Item& item : items) {
    SCOPED_TRACE(::testing::Message() << "menu " << item.menu << " item (" << item.row << ", " << item.column << ")"
                                      << (item.fullScreen ? " full screen" : " windowed"));
    Menu(item.menu);
    Controller::isFullscreened = item.fullScreen;
    Controller::SetMenuSelection(item.row, item.column);
    Stick<LeftStickMessage>(player, 0, 0);
    ExpectSelection(item.row, item.column);
    EXPECT_EQ(Cursor(), item.cursor);
  }
  // The window is away from the screen origin: the cursor is placed in screen coordinates.
  EXPECT_EQ(window.CursorMoves().back(), (Point{500, 402}));
}

TEST_F(ControllerTest, TheSelectionWrapsIsSharedAndStepsColumnsOnlyWhereThereAreAny) {
  const Player player = MakePlayer("Player1");
  Menu(2);
  Button<ButtonTriggerMessage>(player, "Up");
  ExpectSelection(4, 0);
  EXPECT_TRUE(window.CursorMoves().empty()) << "buttons move the selection only";
  // One selection for all players: the second carries on from the first.
  const Player second = MakePlayer("Player2");
  Stick<RightStickMessage>(second, 0, -100);
  ExpectSelection(0, 0);
  // A row this screen lacks (left by the six-row one) goes at the next stick message.
  Controller::SetMenuSelection(5, 0);
  Button<ButtonTriggerMessage>(player, "Down");
  ExpectSelection(6, 0);
  Stick<LeftStickMessage>(player, 0, 0);
  ExpectSelection(0, 0);

  // The row moves first; only the first two rows have a second column.
  Menu(5);
  Stick<LeftStickMessage>(player, 32767, 32767);
  ExpectSelection(5, 0);
  Stick<LeftStickMessage>(player, -1, -1);
  ExpectSelection(0, 1);
  Controller::SetMenuSelection(3, 1);
  Stick<LeftStickMessage>(player, 1, 0);
  Button<ButtonTriggerMessage>(player, "Left");
  ExpectSelection(3, 1);

  Menu(3);
  Controller::SetMenuSelection(0, 0);
  Stick<LeftStickMessage>(player, -1, 0);
  ExpectSelection(0, 1);
  Button<ButtonTriggerMessage>(player, "Right");
  ExpectSelection(0, 0);

  // Screens without a layout leave cursor and selection alone.
  window.ClearRecord();
  for (int menu : {0, 1, 8}) {
    Menu(menu);
    Stick<LeftStickMessage>(player, 1, 1);
    Button<ButtonTriggerMessage>(player, "Down");
  }
  EXPECT_TRUE(window.CursorMoves().empty());
  ExpectSelection(0, 0);
}

// The click is the cursor less the client rectangle's left and top, which
// are 0: the cursor's own point, wherever the window sits on screen.
TEST_F(ControllerTest, SprintInAMenuClicksAtTheCursorPoint) {
  const Player player = MakePlayer("Player1");
  Menu(7);
  Controller::isFullscreened = true;
  Stick<LeftStickMessage>(player, 0, 0);
  Button<ButtonPressMessage>(player, "Sprint");
  window.PlaceCursor({130, 60});
  Button<ButtonReleaseMessage>(player, "Sprint");
  using Click = Platform::RecordingWindow::Click;
  using Mouse = Platform::RecordingWindow::Button;
  EXPECT_EQ(window.Clicks(), (std::vector<Click>{{Mouse::LeftDown, {500, 402}}, {Mouse::LeftUp, {130, 60}}}));
  EXPECT_FALSE(player.stats->IsSprinting());
}

}  // namespace
