#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "behaviors/Behavior.h"
#include "meta/MetaData.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

// Tints an object's Renderable with a colour for a while. A textured object
// is drawn with the plain shader meanwhile and gets its texture shader back
// on Release; the colour itself is not restored.
class TW_API ColorChangeBehavior : public Behavior {
 public:
  ColorChangeBehavior() = default;

  // Switches the object to the plain shader, remembering a texture shader.
  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  void Update(float dt) override;
  void Release() override;

  void SetBehavior(ObjectID objectId, const Vectormath::Aos::Vector4& colour, float duration, bool overriding,
                   bool blocking, const std::string& group);

  [[nodiscard]] Vectormath::Aos::Vector4 GetColor() const { return mColor; }
  [[nodiscard]] bool IsShaderSwapped() const { return mShaderSwapped; }

 private:
  Vectormath::Aos::Vector4 mColor = Vectormath::Aos::Vector4(0.0f);
  bool mShaderSwapped = false;
};
