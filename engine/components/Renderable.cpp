#include "components/Renderable.h"

#include <algorithm>

#include "core/Engine.h"
#include "meta/MetaData.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

META::MetaData Renderable::meta_("Renderable", sizeof(Renderable), META::MetaManager::Get("Component"), false,
                                 &META::WriteBlock, &META::ReadBlock);

// The defaults are the member initializers.
Renderable::Renderable() = default;

void Renderable::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<std::string>(meta_, "std::string", "m_ModelName", META_OFFSET(Renderable, m_ModelName));
  META::AddMember<std::vector<std::string>>(meta_, "std::vector<std::string>", "m_TextureName",
                                            META_OFFSET(Renderable, m_TextureName));
  META::AddMember<std::string>(meta_, "std::string", "m_ShaderName", META_OFFSET(Renderable, m_ShaderName));
  META::AddMember<MetaVec4>(meta_, "MetaVec4", "m_Color", META_OFFSET(Renderable, m_Color));
  META::AddMember<bool>(meta_, "bool", "m_Transparent", META_OFFSET(Renderable, m_Transparent));
  META::AddMember<MetaVec4>(meta_, "MetaVec4", "m_BlendFactors", META_OFFSET(Renderable, m_BlendFactors));
  META::AddMember<bool>(meta_, "bool", "m_Visible", META_OFFSET(Renderable, m_Visible));
}

META::MetaData& Renderable::GetMetaData() { return meta_; }

void Renderable::Initialize() {}

void Renderable::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> Renderable::CloneComponent() const { return CloneAs<Renderable>(L"Renderable"); }

void Renderable::SetModel(const std::string& name) { m_ModelName = name; }

void Renderable::SetShader(const std::string& name) { m_ShaderName = name; }

void Renderable::AddTexture(const std::string& name) {
  if (std::find(m_TextureName.begin(), m_TextureName.end(), name) != m_TextureName.end()) return;
  m_TextureName.push_back(name);
}

void Renderable::SetColor(const Vectormath::Aos::Vector4& color) { m_Color = color; }

void Renderable::SetBlendFactors(const Vectormath::Aos::Vector4& factors) { m_BlendFactors = factors; }

void Renderable::SetTransparency(bool transparent) { m_Transparent = transparent; }

void Renderable::SetVisibility(bool visible) { m_Visible = visible; }

void Renderable::MakeDebugRenderable() { mDebug = true; }
