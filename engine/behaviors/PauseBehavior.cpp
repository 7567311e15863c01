#include "behaviors/PauseBehavior.h"

#include "core/Engine.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

META::MetaData PauseBehavior::meta_("PauseBehavior", sizeof(PauseBehavior), META::MetaManager::Get("Component"), false,
                                    &META::WriteBlock, &META::ReadBlock);

// No serialized members; registering keeps the record after a registry Clear.
void PauseBehavior::AddMeta() { META::MetaManager::RegisterMeta(&meta_); }

META::MetaData& PauseBehavior::GetMetaData() { return meta_; }

void PauseBehavior::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> PauseBehavior::CloneComponent() const { return CloneAs<PauseBehavior>(L"PauseBehavior"); }

void PauseBehavior::Initialize() {
  mDuration = 0.0f;
  mBlocking = true;
  // Without an owner the object id stays as it was.
  if (const auto object = GetParent().lock()) mObjectID = object->GetID();
}
