#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "core/Messages.h"

using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

using Row = std::pair<std::shared_ptr<Message>, int>;

template <class T, class... Args>
Row Make(int number, Args&&... args) {
  return {std::make_shared<T>(L"Test", std::forward<Args>(args)...), number};
}

// The numbers are what the host's systems filter on, so they are written out
// here rather than taken from the enum: a wrong enumerator must fail too.
std::vector<Row> OneOfEachClass() {
  const Vector3 v3(1.0f, 2.0f, 3.0f);
  const Vector4 v4(1.0f, 2.0f, 3.0f, 4.0f);
  const std::int16_t i1 = 1;
  const std::weak_ptr<Component> noComponent;
  // A table: several rows to a line.
  // clang-format off
  return {Make<ErrorMessage>(1, "e", false, "f", "file", 1u), Make<WindowMessage>(2, nullptr, nullptr),
          Make<WindowSizeMessage>(3, 1u, 2u), Make<GraphicsDeviceMessage>(4),
          Make<LoadResourceMessage>(5, RT_MODEL, "m"), Make<SetBackgroundColorMessage>(6, v3),
          Make<ShowMenuMessage>(7, MENUTYPE_MAIN, true), Make<ClearResourcesMessage>(8),
          Make<DebugMessage>(9, 1u, 2u, v4, v4, v4, v4), Make<DrawImmediateLineMessage>(10, v3, v3, v4),
          Make<SDLEventMessage>(12, SDL_Event{}), Make<Message>(13, MT_QUIT),
          Make<PhysicsMessage>(15, PMT_SET_VELOCITY, 1u, v3), Make<CollisionMessage>(16, CMT_CONTACT_BEGIN, 1u, 2u),
          Make<ButtonTriggerMessage>(17, "Use", 0u), Make<ButtonPressMessage>(18, "Use", 0u),
          Make<ButtonReleaseMessage>(19, "Use", 0u), Make<MouseLookMessage>(20, 1.0f, 2.0f, 0u),
          Make<CreatedComponentMessage>(21, noComponent), Make<DestroyedComponentMessage>(22, nullptr),
          Make<CreatedObjectMessage>(23, std::weak_ptr<Object>()), Make<DestroyedObjectMessage>(24, nullptr),
          Make<LeftTriggerTriggerMessage>(25, 0u), Make<LeftTriggerPressMessage>(26, 0u),
          Make<LeftTriggerReleaseMessage>(27, 0u), Make<RightTriggerTriggerMessage>(28, 0u),
          Make<RightTriggerPressMessage>(29, 0u), Make<RightTriggerReleaseMessage>(30, 0u),
          Make<LeftStickMessage>(31, i1, i1, 0u), Make<RightStickMessage>(32, i1, i1, 0u),
          Make<ControllerVibrateMessage>(33, 1.0f, 0.5f, noComponent),
          Make<ControllerVibrateMotorsMessage>(34, 1.0f, 0.5f, 0.25f, noComponent),
          Make<PostSoundEventMessage>(35, 7u, nullptr), Make<RegisterCameraMessage>(36, std::weak_ptr<Camera>(), 0u),
          Make<ChangePlayerMode>(37, 1u), Make<PauseMessage>(38, PAUSE_WINDOW_FOCUS, 0u),
          Make<LoadLevelMessage>(39, "Ship", 2), Make<DisplayCursorMessage>(40, true), Make<PlayerJoinMessage>(41, 1),
          Make<SoundRTPCMessage>(42, "depth", 0.5f, nullptr), Make<SeekSoundEventMessage>(43, 7u, 0.5f, nullptr),
          Make<ImGuiReferenceMessage>(44, nullptr), Make<FullScreenMessage>(46, true),
          Make<HasKeyboardFocusMessage>(47, true), Make<PlayerDeathMessage>(48, 1u, 2u),
          Make<CheatDamagePlayersMessage>(49, 0u), Make<CheatInstantWinMessage>(50, 0u),
          Make<CheatGodModeMessage>(51, 0u), Make<StopAllSoundsMessage>(52), Make<ControllerIDMessage>(53, nullptr, 0u),
          Make<GameEventMessage>(54, "open door", 1u), Make<TimeUpdateMessage>(55, 0.016f),
          Make<PodActivationMessage>(56, 0u, 1u, 2u), Make<ViewportRequestMessage>(57, 0u),
          Make<GiveMcGuffinMessage>(58), Make<ViewportResponseMessage>(59, 0u, 1.0f, 2.0f, 3.0f, 4.0f)};
  // clang-format on
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
  for (const auto& [message, number] : OneOfEachClass()) {
    EXPECT_EQ(static_cast<int>(message->GetMessageId()), number);
    EXPECT_EQ(message->GetSender(), L"Test") << "type " << number;
  }
}

TEST(MessagesTest, FreshMessagesStartFromTheirDefaults) {
  const GraphicsDeviceMessage device(L"Renderer");
  EXPECT_EQ(device.GetWidth(), 800);
  EXPECT_EQ(device.GetHeight(), 600);
  EXPECT_EQ(device.GetDevice(), nullptr);

  EXPECT_EQ(SDLEventMessage(L"Window", SDL_Event{}).GetHandled(), 0);

  const PhysicsMessage physics(L"Gun", PMT_SET_COLLISION_GROUP, 9u, Vector3(0.0f, 0.0f, 0.0f));
  EXPECT_EQ(static_cast<int>(physics.mKind), 6);
  EXPECT_TRUE(physics.mCollisionGroup.empty());
}

// Classes whose arguments share a type, where a swap would go unnoticed by
// the compiler; the values are all distinct.
TEST(MessagesTest, ArgumentsLandInTheFieldsOfTheSameName) {
  static const char kFunc[] = "Load";
  static const char kFile[] = "loader.cpp";
  const ErrorMessage error(L"Host", "bad file", true, kFunc, kFile, 42u);
  EXPECT_EQ(error.GetErrorMessage(), "bad file");
  EXPECT_TRUE(error.GetIsFatal());
  EXPECT_EQ(error.GetFuncName(), kFunc);  // the very pointers, not copies
  EXPECT_EQ(error.GetSourceFile(), kFile);
  EXPECT_EQ(error.GetLineNum(), 42u);

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

  const CollisionMessage collision(L"Physics", CMT_CONTACT_END, 21u, 22u);
  EXPECT_EQ(collision.mKind, CMT_CONTACT_END);
  EXPECT_EQ(collision.mObjectA, 21u);
  EXPECT_EQ(collision.mObjectB, 22u);

  // Stick axes keep their full signed range.
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

TEST(MessagesTest, SdlEventIsCopiedWholeAndWrappedMessagesKeptAlive) {
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
      EXPECT_EQ(first.mCount, 2u);
    }
    EXPECT_EQ(first.mCount, 1u);

    GraphicsDeviceMessage other(L"Renderer");
    other.SetDevice(&second);
    other = message;  // gives back `second`, takes `first`
    EXPECT_EQ(second.mCount, 1u);
    EXPECT_EQ(first.mCount, 2u);

    message.SetDevice(nullptr);
    EXPECT_EQ(first.mCount, 1u);

    // Filled through the writable slot, as a device maker fills its
    // out-parameter: the reference stored there is the message's to give back.
    second.AddRef();
    message.GetDevice() = &second;
  }
  // The last message gone, the device it kept alive dies with it; the other
  // device still has its maker's reference.
  EXPECT_TRUE(first.mDead);
  EXPECT_EQ(second.mCount, 1u);
  EXPECT_EQ(first.mMisuses + second.mMisuses, 0);
}
