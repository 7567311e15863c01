#include "gameplay/PlayerStats.h"

#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

namespace {
// A full bar lasts 1 / 0.151 s (about 6.6 s) of sprinting and refills from
// empty in 20 s.
constexpr float kSprintDrainPerSecond = 0.151f;
constexpr float kSprintRefillPerSecond = 0.05f;
// The flare comes back once its timer passes 15 s; the extra millisecond keeps
// the comparison strict at exactly 15 s.
constexpr float kFlareRechargeTime = 15.001f;
constexpr float kFlareRechargeSlack = 0.001f;
}  // namespace

META::MetaData PlayerStats::meta_("PlayerStats", sizeof(PlayerStats), META::MetaManager::Get("Component"), false,
                                  &META::WriteBlock, &META::ReadBlock);

void PlayerStats::AddMeta() {
  META::AddMember<float>(meta_, "float", "Speed_", META_OFFSET(PlayerStats, Speed_));
  META::AddMember<float>(meta_, "float", "Damp_", META_OFFSET(PlayerStats, Damp_));
}

META::MetaData& PlayerStats::GetMetaData() { return meta_; }

void PlayerStats::Initialize() {
  RegisterHandler(MT_TIME_UPDATE, &PlayerStats::HandleMessage, 1);

  mBaseSpeed = Speed_;
  mNegatedDamp = -Damp_;
  mDead = false;
  mReservedFlag = false;
  mReservedIndex = -1;
  mGodMode = false;

  mKeyCards = 0;
  mPowerCells = 0;
  mSprintLevel = 1.0f;
  mSprinting = false;
  // The timer starts past the recharge time, so a player without a flare gets
  // one on the first update in play. A clone keeps the has-flare flag it copied.
  mTimeSinceFlareRecharge = kFlareRechargeTime;
  mFlareRechargeTime = kFlareRechargeTime;
}

void PlayerStats::HandleMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_TIME_UPDATE) return;
  HandleTimeUpdate(static_cast<const TimeUpdateMessage&>(*message).GetDT());
}

void PlayerStats::Update(float /*dt*/) {}

void PlayerStats::HandleTimeUpdate(float dt) {
  if (GameState::GetState() != STATE_PLAY) return;

  if (mSprinting) {
    // No floor: a bar spent below zero takes longer to come back.
    mSprintLevel -= dt * kSprintDrainPerSecond;
  } else {
    const float refilled = mSprintLevel + dt * kSprintRefillPerSecond;
    if (refilled < 1.0f) {
      mSprintLevel = refilled;
      Speed_ = mBaseSpeed;
    } else if (mSprintLevel < 1.0f) {
      Speed_ = mBaseSpeed;
      mSprintLevel = 1.0f;
    }
  }

  if (!mHasFlare) {
    mTimeSinceFlareRecharge += dt;
    if (mTimeSinceFlareRecharge > mFlareRechargeTime - kFlareRechargeSlack) {
      mHasFlare = true;
      mTimeSinceFlareRecharge = kFlareRechargeTime;
    }
  }
}

std::shared_ptr<Component> PlayerStats::CloneComponent() const { return CloneAs<PlayerStats>(L"PlayerStats"); }
