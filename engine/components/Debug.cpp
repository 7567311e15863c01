#include "components/Debug.h"

#include "core/Engine.h"
#include "meta/MetaData.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

using Vectormath::Aos::Vector4;

META::MetaData Debug::meta_("Debug", sizeof(Debug), META::MetaManager::Get("Component"), false, &META::WriteBlock,
                            &META::ReadBlock);

// Everything starts at zero.
Debug::Debug() = default;

void Debug::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<std::uint32_t>(meta_, "unsigned int", "mDrawFlags", META_OFFSET(Debug, mDrawFlags));
  // "Vec4" has no members: the colours are written as empty blocks and never read back.
  META::AddMember<Vector4>(meta_, "Vec4", "mNormalColor", META_OFFSET(Debug, mNormalColor));
  META::AddMember<Vector4>(meta_, "Vec4", "mStaticColor", META_OFFSET(Debug, mStaticColor));
  META::AddMember<Vector4>(meta_, "Vec4", "mGhostColor", META_OFFSET(Debug, mGhostColor));
  META::AddMember<Vector4>(meta_, "Vec4", "mStaticGhostColor", META_OFFSET(Debug, mStaticGhostColor));
}

META::MetaData& Debug::GetMetaData() { return meta_; }

void Debug::Initialize() {
  mNormalColor = Vector4(0.0f, 1.0f, 0.0f, 1.0f);
  mStaticColor = Vector4(1.0f, 0.0f, 0.0f, 1.0f);
  mGhostColor = Vector4(0.0f, 0.0f, 1.0f, 1.0f);
  mStaticGhostColor = Vector4(1.0f, 0.0f, 1.0f, 1.0f);
}

void Debug::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> Debug::CloneComponent() const { return Engine::mFactory.CreateComponent(L"Debug"); }

void Debug::SetDrawFlags(std::uint32_t flags) { mDrawFlags = flags; }
void Debug::SetNormalColor(const Vector4& color) { mNormalColor = color; }
void Debug::SetStaticColor(const Vector4& color) { mStaticColor = color; }
void Debug::SetGhostColor(const Vector4& color) { mGhostColor = color; }
void Debug::SetStaticGhostColor(const Vector4& color) { mStaticGhostColor = color; }
