#pragma once
#include <memory>
#include <string>
#include <vector>

#include "meta/MetaVec4.h"
#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

class Message;
namespace META {
class MetaData;
}

// What the host's renderer draws for an object: model, textures, shader,
// colour and visibility. The engine stores these and never interprets them.
class TW_API Renderable : public Component {
 public:
  // "defaultmodel" with the one texture "defaulttexture" and "defaultshader", visible.
  Renderable();
  Renderable(const Renderable& other) = default;
  Renderable& operator=(const Renderable& other) = default;
  ~Renderable() override = default;

  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] const std::string& GetModel() const { return m_ModelName; }
  [[nodiscard]] const std::string& GetShader() const { return m_ShaderName; }
  [[nodiscard]] std::vector<std::string>& GetTextures() { return m_TextureName; }
  [[nodiscard]] const std::vector<std::string>& GetTextures() const { return m_TextureName; }
  [[nodiscard]] Vectormath::Aos::Vector4 GetColor() const { return m_Color; }
  [[nodiscard]] Vectormath::Aos::Vector4 GetBlendFactors() const { return m_BlendFactors; }
  [[nodiscard]] bool GetTransparency() const { return m_Transparent; }
  [[nodiscard]] bool GetVisibility() const { return m_Visible; }
  [[nodiscard]] bool IsDebugRenderable() const { return mDebug; }

  void SetModel(const std::string& name);
  void SetShader(const std::string& name);
  // Appends unless an identical name (case-sensitive) is listed already.
  void AddTexture(const std::string& name);
  void SetColor(const Vectormath::Aos::Vector4& color);
  void SetBlendFactors(const Vectormath::Aos::Vector4& factors);
  void SetTransparency(bool transparent);
  void SetVisibility(bool visible);
  // Marks the object as debug drawing; nothing clears the mark.
  void MakeDebugRenderable();

 private:
  std::string m_ModelName = "defaultmodel";
  std::vector<std::string> m_TextureName{"defaulttexture"};
  std::string m_ShaderName = "defaultshader";
  MetaVec4 m_Color = Vectormath::Aos::Vector4(1.0f, 0.0f, 0.2f, 1.0f);
  bool m_Transparent = false;
  MetaVec4 m_BlendFactors = Vectormath::Aos::Vector4(0.75f, 0.75f, 0.75f, 1.0f);
  bool m_Visible = true;
  bool mDebug = false;
};
