#include "behaviors/TimedTextureChangeBehavior.h"

#include <utility>

#include "components/Renderable.h"
#include "core/Engine.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

META::MetaData TimedTextureChangeBehavior::meta_("TimedTextureChangeBehavior", sizeof(TimedTextureChangeBehavior),
                                                 META::MetaManager::Get("Component"), false, &META::WriteBlock,
                                                 &META::ReadBlock);

void TimedTextureChangeBehavior::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<std::string>(meta_, "std::string", "mCurrentTexture",
                               META_OFFSET(TimedTextureChangeBehavior, mCurrentTexture));
  META::AddMember<std::string>(meta_, "std::string", "mTextureToChangeTo",
                               META_OFFSET(TimedTextureChangeBehavior, mTextureToChangeTo));
  META::AddMember<float>(meta_, "float", "mTimeChanged", META_OFFSET(TimedTextureChangeBehavior, mTimeChanged));
  META::AddMember<float>(meta_, "float", "mTimeToChangeFor", META_OFFSET(TimedTextureChangeBehavior, mTimeToChangeFor));
}

META::MetaData& TimedTextureChangeBehavior::GetMetaData() { return meta_; }

void TimedTextureChangeBehavior::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> TimedTextureChangeBehavior::CloneComponent() const {
  return CloneAs<TimedTextureChangeBehavior>(L"TimedTextureChangeBehavior");
}

void TimedTextureChangeBehavior::Initialize() {
  mSwapped = false;
  const auto object = GetParent().lock();
  if (!object) return;
  const auto renderable = object->GetComponentAs<Renderable>(CT_Renderable);
  // An empty texture list leaves the current name as it was.
  if (renderable && !renderable->GetTextures().empty()) mCurrentTexture = renderable->GetTextures().front();
}

void TimedTextureChangeBehavior::SetTexture(const std::string& name) {
  const auto object = GetParent().lock();
  if (!object) return;
  if (const auto renderable = object->GetComponentAs<Renderable>(CT_Renderable)) renderable->AddTexture(name);
}

void TimedTextureChangeBehavior::Update(float dt) {
  if (!mSwapped && mTimeChanged < mTimeToChangeFor) {
    // The swap takes this update; the hold starts counting on the next.
    SetTexture(mTextureToChangeTo);
    std::swap(mTextureToChangeTo, mCurrentTexture);
    mSwapped = true;
  } else if (mTimeChanged < mTimeToChangeFor) {
    mTimeChanged += dt;
  } else if (mSwapped) {
    SetTexture(mTextureToChangeTo);
    std::swap(mTextureToChangeTo, mCurrentTexture);
    mSwapped = false;
  }
}
