#include "gameplay/LevelRuleset.h"

#include "core/Engine.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData LevelRuleset::meta_("LevelRuleset", sizeof(LevelRuleset), META::MetaManager::Get("Component"), false,
                                   &META::WriteBlock, &META::ReadBlock);

void LevelRuleset::AddMeta() {
  META::AddMember<float>(meta_, "float", "mPlayerMovementDecay", META_OFFSET(LevelRuleset, mPlayerMovementDecay));
  META::AddMember<std::uint32_t>(meta_, "unsigned", "mKillsNeededToWin", META_OFFSET(LevelRuleset, mKillsNeededToWin));
  META::AddMember<std::uint32_t>(meta_, "unsigned", "mDeathsAllowedPerPlayer",
                                 META_OFFSET(LevelRuleset, mDeathsAllowedPerPlayer));
  META::AddMember<float>(meta_, "float", "mTimeLimit", META_OFFSET(LevelRuleset, mTimeLimit));
  META::AddMember<float>(meta_, "float", "mTimeActive", META_OFFSET(LevelRuleset, mTimeActive));
}

META::MetaData& LevelRuleset::GetMetaData() { return meta_; }

void LevelRuleset::Initialize() { mTimeActive = 0.0f; }

void LevelRuleset::Update(float dt) {
  if (mTimeActive < mTimeLimit) mTimeActive += dt;
}

std::shared_ptr<Component> LevelRuleset::CloneComponent() const { return CloneAs<LevelRuleset>(L"LevelRuleset"); }
