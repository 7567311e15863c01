#include "input/InputSystem.h"

#include "app/HostListener.h"
#include "app/Match.h"
#include "app/StopSignal.h"
#include "core/Engine.h"
#include "core/GameState.h"
#include "core/InputMessages.h"
#include "input/Controller.h"
#include "input/InputTap.h"
#include "objects/Object.h"

namespace {

Callable RumbleListener(std::function<void(const std::shared_ptr<Message>&)> handler) {
  return Callable(HostListenerID(HostListenerOwner::Input, MT_CONTROLLER_VIBRATE), std::move(handler));
}

}  // namespace

InputSystem::InputSystem(std::shared_ptr<Match> match, std::uint32_t seed)
    : System(L"Input"), mMatch(std::move(match)), mSeed(seed) {}

void InputSystem::Initialize() {
  Engine::RegisterListener(MT_CONTROLLER_VIBRATE, RumbleListener([this](const std::shared_ptr<Message>& message) {
                             const auto& rumble = static_cast<const ControllerVibrateMessage&>(*message);
                             const auto controller =
                                 std::dynamic_pointer_cast<Controller>(rumble.GetControllerComponent().lock());
                             if (!controller || controller->GetPlayerNumber() >= mRumbles.size()) return;
                             const auto player = static_cast<std::uint32_t>(controller->GetPlayerNumber());
                             ++mRumbles[player];
                             OnRumble(player, rumble.GetDurationInSeconds(), rumble.GetNormalizedPower());
                           }));
}

int InputSystem::Release() {
  Engine::UnregisterListener(MT_CONTROLLER_VIBRATE, RumbleListener(nullptr));
  mBots.clear();
  return 0;
}

void InputSystem::StartBots() {
  mRound = mMatch->Round();
  mBots.clear();
  const auto& players = mMatch->Players();
  for (std::size_t i = 0; i < players.size(); ++i) {
    if (players[i].fate != Match::Fate::Playing) continue;
    // Each bot draws from its own stream, so one bot's choices never shift another's.
    mBots.emplace_back(static_cast<std::uint32_t>(i), players[i].id, mSeed * 4u + static_cast<std::uint32_t>(i));
  }
}

void InputSystem::Update(float timeStep) {
  StopSignal::Latch();
  if (mTap != nullptr) mTap->OnUpdateStart();
  ReadDevices(timeStep);
  PlayBots(timeStep);
  if (mTap != nullptr) mTap->OnUpdateEnd();
}

void InputSystem::HandTo(std::uint32_t seat, Object& object, const std::shared_ptr<Message>& message) {
  if (mTap != nullptr) mTap->OnHanded(seat, *message);
  object.HandleMessage(message);
}

void InputSystem::Relay(const std::shared_ptr<Message>& message) {
  if (mTap != nullptr) mTap->OnRelayed(*message);
  Engine::RelayMessage(message);
}

void InputSystem::CloseWindow() {
  if (mQuitSent) return;
  mQuitSent = true;
  if (mTap != nullptr) mTap->OnWindowClosed();
  Match& match = *mMatch;
  if (match.endReason.empty()) {
    match.endReason = "the window was closed";
    match.Note("match", "over: " + match.endReason);
  }
  Engine::RelayMessage(std::make_shared<Message>(L"Input", MT_QUIT));
}

std::shared_ptr<Object> InputSystem::SeatObject(std::uint32_t seat) const {
  const Match::Player& player = mMatch->Players().at(seat);
  auto object = player.id != 0 ? Engine::mFactory.GetObjectWithID(player.id).lock() : nullptr;
  if (!object) object = Engine::mFactory.GetObjectByName("Player" + std::to_string(seat + 1)).lock();
  return object;
}

void InputSystem::PlayBots(float timeStep) {
  if (GameState::GetState() != STATE_PLAY) return;
  if (mRound != mMatch->Round()) StartBots();
  const auto& players = mMatch->Players();
  std::vector<int> claimed;
  for (Bot& bot : mBots) {
    if (players[bot.PlayerNumber()].fate != Match::Fate::Playing || !IsBotSeat(bot.PlayerNumber())) continue;
    const auto object = Engine::mFactory.GetObjectWithID(bot.PlayerID()).lock();
    if (!object) continue;
    claimed.clear();
    for (const Bot& other : mBots) {
      if (&other != &bot && players[other.PlayerNumber()].fate == Match::Fate::Playing &&
          IsBotSeat(other.PlayerNumber()))
        claimed.push_back(other.Target());
    }
    for (const auto& message : bot.Think(mMatch->Map(), *mMatch, timeStep, claimed)) {
      HandTo(bot.PlayerNumber(), *object, message);
    }
    if (bot.PullsTrigger()) Relay(std::make_shared<RightTriggerPressMessage>(L"Input", bot.PlayerNumber()));
  }
}
