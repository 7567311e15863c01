#include "gameplay/LifeTime.h"

#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

namespace {
constexpr std::uint32_t kTimeUpdateHandler = 1;
}  // namespace

META::MetaData LifeTime::meta_("LifeTime", sizeof(LifeTime), META::MetaManager::Get("Component"), false,
                               &META::WriteBlock, &META::ReadBlock);

void LifeTime::AddMeta() {
  META::AddMember<float>(meta_, "float", "timeSpentAlive_", META_OFFSET(LifeTime, timeSpentAlive_));
  META::AddMember<float>(meta_, "float", "timeAllowedToLive_", META_OFFSET(LifeTime, timeAllowedToLive_));
}

META::MetaData& LifeTime::GetMetaData() { return meta_; }

void LifeTime::Initialize() { RegisterHandler(MT_TIME_UPDATE, &LifeTime::HandleMessage, kTimeUpdateHandler); }

void LifeTime::Initialize(float timeAllowedToLive) { timeAllowedToLive_ = timeAllowedToLive; }

void LifeTime::HandleMessage(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_TIME_UPDATE) return;
  if (timeSpentAlive_ < timeAllowedToLive_) {
    if (GameState::GetState() == STATE_PLAY) {
      timeSpentAlive_ += static_cast<const TimeUpdateMessage&>(*message).GetDT();
    }
    return;
  }
  // One unregister drops every registration of this handler (a level object
  // initialized twice holds two); the object dies once, since the registry
  // ignores an id it no longer holds.
  Engine::UnregisterListener(MT_TIME_UPDATE, MakeListener(&LifeTime::HandleMessage, kTimeUpdateHandler));
  DestroyParent();
}

void LifeTime::Update(float dt) {
  if (timeSpentAlive_ < timeAllowedToLive_) {
    timeSpentAlive_ += dt;
  } else {
    DestroyParent();
  }
}

void LifeTime::DestroyParent() const {
  const std::shared_ptr<Object> parent = GetParent().lock();
  if (!parent) return;
  // By id: an object that has left the registry already is not destroyed again.
  Engine::mFactory.Destroy(parent->GetID());
}

std::shared_ptr<Component> LifeTime::CloneComponent() const { return CloneAs<LifeTime>(L"LifeTime"); }
