#include "behaviors/ColorChangeBehavior.h"

#include "components/Renderable.h"
#include "core/Engine.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

namespace {
const char* const kTextureShader = "textureshader";
const char* const kDefaultShader = "defaultshader";
}  // namespace

META::MetaData ColorChangeBehavior::meta_("ColorChangeBehavior", sizeof(ColorChangeBehavior),
                                          META::MetaManager::Get("Component"), false, &META::WriteBlock,
                                          &META::ReadBlock);

// No serialized members; registering keeps the record after a registry Clear.
void ColorChangeBehavior::AddMeta() { META::MetaManager::RegisterMeta(&meta_); }

META::MetaData& ColorChangeBehavior::GetMetaData() { return meta_; }

void ColorChangeBehavior::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> ColorChangeBehavior::CloneComponent() const {
  return CloneAs<ColorChangeBehavior>(L"ColorChangeBehavior");
}

void ColorChangeBehavior::SetBehavior(ObjectID objectId, const Vectormath::Aos::Vector4& colour, float duration,
                                      bool overriding, bool blocking, const std::string& group) {
  SetCommon(objectId, duration, overriding, blocking, group);
  mColor = colour;
}

void ColorChangeBehavior::Initialize() {
  const auto object = FindObject();
  if (!object) return;
  const auto renderable = object->GetComponentAs<Renderable>(CT_Renderable);
  if (!renderable) return;
  if (renderable->GetShader() == kTextureShader) mShaderSwapped = true;
  renderable->SetShader(kDefaultShader);
}

void ColorChangeBehavior::Update(float dt) {
  const auto object = AdvanceAndFindObject(dt);
  if (!object) return;
  const auto renderable = object->GetComponentAs<Renderable>(CT_Renderable);
  if (!renderable) return;
  renderable->SetColor(mColor);
  renderable->SetTransparency(true);
  // Something may have put the texture shader back since Initialize.
  if (renderable->GetShader() == kTextureShader) {
    renderable->SetShader(kDefaultShader);
    mShaderSwapped = true;
  }
}

void ColorChangeBehavior::Release() {
  const auto object = FindObject();
  if (!object) return;
  const auto renderable = object->GetComponentAs<Renderable>(CT_Renderable);
  if (!renderable) return;
  if (mShaderSwapped) renderable->SetShader(kTextureShader);
  renderable->SetTransparency(false);
}
