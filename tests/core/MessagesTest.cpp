#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "core/Messages.h"

using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

// The numbers are what the host's systems filter on, so they are written out
// here rather than taken from the enum: a wrong enumerator must fail too.
std::vector<std::pair<std::shared_ptr<Message>, int>> OneOfEachClass() {
  const std::wstring s = L"Test";
  const Vector3 v3(1.0f, 2.0f, 3.0f);
  const Vector4 v4(1.0f, 2.0f, 3.0f, 4.0f);
  SDL_Event event{};
  return {
      {std::make_shared<ErrorMessage>(s, "e", false, "f", "file", 1u), 1},
      {std::make_shared<WindowMessage>(s, nullptr, nullptr), 2},
      {std::make_shared<WindowSizeMessage>(s, 1u, 2u), 3},
      {std::make_shared<GraphicsDeviceMessage>(s), 4},
      {std::make_shared<LoadResourceMessage>(s, RT_MODEL, "m"), 5},
      {std::make_shared<SetBackgroundColorMessage>(s, v3), 6},
      {std::make_shared<ShowMenuMessage>(s, MENUTYPE_MAIN, true), 7},
      {std::make_shared<ClearResourcesMessage>(s), 8},
      {std::make_shared<DebugMessage>(s, 1u, 2u, v4, v4, v4, v4), 9},
      {std::make_shared<DrawImmediateLineMessage>(s, v3, v3, v4), 10},
      {std::make_shared<SDLEventMessage>(s, event), 12},
      {std::make_shared<Message>(s, MT_QUIT), 13},
      {std::make_shared<PhysicsMessage>(s, PMT_SET_VELOCITY, 1u, v3), 15},
      {std::make_shared<CollisionMessage>(s, CMT_CONTACT_BEGIN, 1u, 2u), 16},
      {std::make_shared<ButtonTriggerMessage>(s, "Use", 0u), 17},
      {std::make_shared<ButtonPressMessage>(s, "Use", 0u), 18},
      {std::make_shared<ButtonReleaseMessage>(s, "Use", 0u), 19},
      {std::make_shared<MouseLookMessage>(s, 1.0f, 2.0f, 0u), 20},
      {std::make_shared<CreatedComponentMessage>(s, std::weak_ptr<Component>()), 21},
      {std::make_shared<DestroyedComponentMessage>(s, std::shared_ptr<Component>()), 22},
      {std::make_shared<CreatedObjectMessage>(s, std::weak_ptr<Object>()), 23},
      {std::make_shared<DestroyedObjectMessage>(s, std::shared_ptr<Object>()), 24},
      {std::make_shared<LeftTriggerTriggerMessage>(s, 0u), 25},
      {std::make_shared<LeftTriggerPressMessage>(s, 0u), 26},
      {std::make_shared<LeftTriggerReleaseMessage>(s, 0u), 27},
      {std::make_shared<RightTriggerTriggerMessage>(s, 0u), 28},
      {std::make_shared<RightTriggerPressMessage>(s, 0u), 29},
      {std::make_shared<RightTriggerReleaseMessage>(s, 0u), 30},
      {std::make_shared<LeftStickMessage>(s, std::int16_t{1}, std::int16_t{2}, 0u), 31},
      {std::make_shared<RightStickMessage>(s, std::int16_t{1}, std::int16_t{2}, 0u), 32},
      {std::make_shared<ControllerVibrateMessage>(s, 1.0f, 0.5f, std::weak_ptr<Component>()), 33},
      {std::make_shared<ControllerVibrateMotorsMessage>(s, 1.0f, 0.5f, 0.25f, std::weak_ptr<Component>()), 34},
      {std::make_shared<PostSoundEventMessage>(s, 7u, nullptr), 35},
      {std::make_shared<RegisterCameraMessage>(s, std::weak_ptr<Camera>(), 0u), 36},
      {std::make_shared<ChangePlayerMode>(s, 1u), 37},
      {std::make_shared<PauseMessage>(s, PAUSE_WINDOW_FOCUS, 0u), 38},
      {std::make_shared<LoadLevelMessage>(s, "Ship", 2), 39},
      {std::make_shared<DisplayCursorMessage>(s, true), 40},
      {std::make_shared<PlayerJoinMessage>(s, 1), 41},
      {std::make_shared<SoundRTPCMessage>(s, "depth", 0.5f, nullptr), 42},
      {std::make_shared<SeekSoundEventMessage>(s, 7u, 0.5f, nullptr), 43},
      {std::make_shared<ImGuiReferenceMessage>(s, nullptr), 44},
      {std::make_shared<FullScreenMessage>(s, true), 46},
      {std::make_shared<HasKeyboardFocusMessage>(s, true), 47},
      {std::make_shared<PlayerDeathMessage>(s, 1u, 2u), 48},
      {std::make_shared<CheatDamagePlayersMessage>(s, 0u), 49},
      {std::make_shared<CheatInstantWinMessage>(s, 0u), 50},
      {std::make_shared<CheatGodModeMessage>(s, 0u), 51},
      {std::make_shared<StopAllSoundsMessage>(s), 52},
      {std::make_shared<ControllerIDMessage>(s, nullptr, 0u), 53},
      {std::make_shared<GameEventMessage>(s, "open door", 1u), 54},
      {std::make_shared<TimeUpdateMessage>(s, 0.016f), 55},
      {std::make_shared<PodActivationMessage>(s, 0u, 1u, 2u), 56},
      {std::make_shared<ViewportRequestMessage>(s, 0u), 57},
      {std::make_shared<GiveMcGuffinMessage>(s), 58},
      {std::make_shared<ViewportResponseMessage>(s, 0u, 1.0f, 2.0f, 3.0f, 4.0f), 59},
  };
}

// Counts references the way a COM device would: it dies when the count
// reaches zero, and any call after that is a use of a dead device.
class FakeDevice final : public ID3D11Device {
 public:
  std::uint32_t AddRef() override {
    mMisuses += mDead ? 1 : 0;
    return ++mCount;
  }
  std::uint32_t Release() override {
    mMisuses += mDead ? 1 : 0;
    mDead = mDead || --mCount == 0;
    return mCount;
  }
  std::uint32_t mCount = 1;  // the maker's own reference
  bool mDead = false;
  int mMisuses = 0;
};

}  // namespace

TEST(MessagesTest, EveryClassCarriesItsOwnFixedNumberAndTheSender) {
  std::set<int> seen;
  for (const auto& [message, number] : OneOfEachClass()) {
    EXPECT_EQ(static_cast<int>(message->GetMessageId()), number);
    EXPECT_EQ(message->GetSender(), L"Test") << "type " << number;
    EXPECT_TRUE(seen.insert(number).second) << "type " << number << " listed twice";
  }
  EXPECT_EQ(seen.size(), 56u);  // 1 to 59 but 11, 14 and 45
  for (const int unused : {0, 11, 14, 45}) {
    EXPECT_EQ(seen.count(unused), 0u);
  }
}

TEST(MessagesTest, FreshMessagesStartFromTheirDefaults) {
  const GraphicsDeviceMessage device(L"Renderer");
  EXPECT_EQ(device.GetWidth(), 800);
  EXPECT_EQ(device.GetHeight(), 600);
  EXPECT_EQ(device.GetDevice(), nullptr);

  SDL_Event event{};
  EXPECT_EQ(SDLEventMessage(L"Window", event).GetHandled(), 0);

  const PhysicsMessage physics(L"Gun", PMT_SET_COLLISION_GROUP, 9u, Vector3(0.0f, 0.0f, 0.0f));
  EXPECT_EQ(physics.mKind, PMT_SET_COLLISION_GROUP);
  EXPECT_TRUE(physics.mCollisionGroup.empty());
  EXPECT_TRUE(physics.mHostText1.empty());
  EXPECT_TRUE(physics.mHostText2.empty());
  EXPECT_FALSE(physics.mHostFlag);
}

TEST(MessagesTest, ArgumentsLandInTheFieldsOfTheSameName) {
  static const char kFunc[] = "Load";
  static const char kFile[] = "loader.cpp";
  const ErrorMessage error(L"Host", "bad file", true, kFunc, kFile, 42u);
  EXPECT_EQ(error.GetErrorMessage(), "bad file");
  EXPECT_TRUE(error.GetIsFatal());
  EXPECT_EQ(error.GetFuncName(), kFunc);  // the very pointers, not copies
  EXPECT_EQ(error.GetSourceFile(), kFile);
  EXPECT_EQ(error.GetLineNum(), 42u);

  const DebugMessage debug(L"Debug", 7u, 3u, Vector4(1, 0, 0, 1), Vector4(0, 1, 0, 1), Vector4(0, 0, 1, 1),
                           Vector4(0, 0, 0, 0.5f));
  EXPECT_EQ(debug.GetObjID(), 7u);
  EXPECT_EQ(debug.GetDrawFlags(), 3u);
  EXPECT_EQ(debug.GetNormalColor().getX(), 1.0f);
  EXPECT_EQ(debug.GetStaticColor().getY(), 1.0f);
  EXPECT_EQ(debug.GetGhostColor().getZ(), 1.0f);
  EXPECT_EQ(debug.GetStaticGhostColor().getW(), 0.5f);

  const DrawImmediateLineMessage line(L"Debug", Vector3(1, 2, 3), Vector3(4, 5, 6), Vector4(7, 8, 9, 10));
  EXPECT_EQ(line.GetP0().getZ(), 3.0f);
  EXPECT_EQ(line.GetP1().getX(), 4.0f);
  EXPECT_EQ(line.GetColor().getW(), 10.0f);

  const ViewportResponseMessage viewport(L"Renderer", 3u, 640.0f, 360.0f, 10.0f, 20.0f);
  EXPECT_EQ(viewport.GetPlayerNumber(), 3u);
  EXPECT_EQ(viewport.GetWidth(), 640.0f);
  EXPECT_EQ(viewport.GetHeight(), 360.0f);
  EXPECT_EQ(viewport.GetTopX(), 10.0f);
  EXPECT_EQ(viewport.GetTopY(), 20.0f);

  const PodActivationMessage pod(L"Interactor", 2u, 11u, 12u);
  EXPECT_EQ(pod.GetPlayerNumber(), 2u);
  EXPECT_EQ(pod.GetPlayerObjID(), 11u);
  EXPECT_EQ(pod.GetPodID(), 12u);

  const PlayerDeathMessage death(L"RoomComponent", 4u, 5u);
  EXPECT_EQ(death.GetKiller(), 4u);
  EXPECT_EQ(death.GetKilled(), 5u);

  const ControllerVibrateMotorsMessage motors(L"GameLogic", 0.5f, 0.25f, 0.75f, {});
  EXPECT_EQ(motors.GetDurationInSeconds(), 0.5f);
  EXPECT_EQ(motors.GetNormalizedLeftPower(), 0.25f);
  EXPECT_EQ(motors.GetNormalizedRightPower(), 0.75f);

  const MouseLookMessage look(L"Input", -3.5f, 2.25f, 1u);
  EXPECT_EQ(look.GetXCoord(), -3.5f);
  EXPECT_EQ(look.GetYCoord(), 2.25f);
  EXPECT_EQ(look.GetPlayerID(), 1u);

  const CollisionMessage collision(L"Physics", CMT_CONTACT_END, 21u, 22u);
  EXPECT_EQ(collision.mKind, CMT_CONTACT_END);
  EXPECT_EQ(collision.mObjectA, 21u);
  EXPECT_EQ(collision.mObjectB, 22u);

  const PhysicsMessage move(L"Controller", PMT_SET_VELOCITY, 8u, Vector3(1, 2, 3));
  EXPECT_EQ(move.mObjectID, 8u);
  EXPECT_EQ(move.mVector.getY(), 2.0f);
}

TEST(MessagesTest, StickAxesKeepTheirFullSignedRange) {
  constexpr std::int16_t kMin = std::numeric_limits<std::int16_t>::min();
  constexpr std::int16_t kMax = std::numeric_limits<std::int16_t>::max();
  const LeftStickMessage left(L"Input", kMin, kMax, 3u);
  EXPECT_EQ(left.GetLeftStickX(), kMin);
  EXPECT_EQ(left.GetLeftStickY(), kMax);
  EXPECT_EQ(left.GetPlayerID(), 3u);
  const RightStickMessage right(L"Input", kMax, kMin, 2u);
  EXPECT_EQ(right.GetRightStickX(), kMax);
  EXPECT_EQ(right.GetRightStickY(), kMin);
}

TEST(MessagesTest, SdlEventIsCopiedWhole) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  event.window.windowID = 5;
  SDLEventMessage message(L"Window", event);
  event.window.event = SDL_WINDOWEVENT_MINIMIZED;  // the caller's copy, not the message's

  EXPECT_EQ(message.GetEvent().type, static_cast<std::uint32_t>(SDL_WINDOWEVENT));
  EXPECT_EQ(message.GetEvent().window.event, SDL_WINDOWEVENT_FOCUS_LOST);
  EXPECT_EQ(message.GetEvent().window.windowID, 5u);

  message.SetEvent(event);
  EXPECT_EQ(message.GetEvent().window.event, SDL_WINDOWEVENT_MINIMIZED);
}

TEST(MessagesTest, WrappedMessageLivesAsLongAsItsEnvelope) {
  auto inner = std::make_shared<GameEventMessage>(L"Host", "player died", 3u);
  const std::weak_ptr<Message> watch = inner;
  const ControllerIDMessage envelope(L"Input", std::move(inner), 2u);
  ASSERT_FALSE(watch.expired());
  EXPECT_EQ(envelope.GetWrappedMessage()->GetMessageId(), MT_GAME_EVENT);
  EXPECT_EQ(envelope.GetPlayerID(), 2u);
}

TEST(MessagesTest, DeviceMessageGivesBackEveryReferenceItTook) {
  FakeDevice first;
  FakeDevice second;
  {
    GraphicsDeviceMessage message(L"Renderer");
    ID3D11Device* device = &first;
    message.SetDevice(device);
    EXPECT_EQ(message.GetDevice(), &first);
    EXPECT_EQ(first.mCount, 2u);

    // The maker lets go: the message alone keeps the device alive, even when
    // the same device is set again.
    first.Release();
    message.SetDevice(device);
    EXPECT_EQ(first.mCount, 1u);
    EXPECT_FALSE(first.mDead);

    {
      const GraphicsDeviceMessage copy(message);  // a copy holds its own
      EXPECT_EQ(copy.GetDevice(), &first);
      EXPECT_EQ(copy.GetWidth(), 800);
      EXPECT_EQ(first.mCount, 2u);
    }
    EXPECT_EQ(first.mCount, 1u);

    GraphicsDeviceMessage other(L"Renderer");
    other.SetDevice(&second);
    other = message;  // gives back `second`, takes `first`
    EXPECT_EQ(second.mCount, 1u);
    EXPECT_EQ(first.mCount, 2u);

    message.SetDevice(nullptr);
    EXPECT_EQ(message.GetDevice(), nullptr);
    EXPECT_EQ(first.mCount, 1u);
  }
  // The last message gone, the device it kept alive dies with it; the other
  // device still has its maker's reference.
  EXPECT_TRUE(first.mDead);
  EXPECT_EQ(second.mCount, 1u);
  EXPECT_EQ(first.mMisuses + second.mMisuses, 0);
}
