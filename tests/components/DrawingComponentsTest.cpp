// Renderable, Light and Debug as the renderer and the behaviors use them:
// defaults, the texture list, and what cloning keeps.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/Debug.h"
#include "components/Light.h"
#include "components/Renderable.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"
#include "support/VectormathAsserts.h"

using tidewater_test::VecNear;
using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

class DrawingComponentsTest : public EngineFixture {
 protected:
  template <class T>
  static std::shared_ptr<T> Make(const wchar_t* name) {
    return std::static_pointer_cast<T>(Engine::mFactory.CreateComponent(name));
  }
};

using Names = std::vector<std::string>;

TEST_F(DrawingComponentsTest, NewRenderableDrawsTheDefaultModelVisibly) {
  auto renderable = Make<Renderable>(L"Renderable");
  ASSERT_TRUE(renderable);
  EXPECT_EQ(renderable->GetType(), CT_Renderable);
  EXPECT_EQ(renderable->GetModel(), "defaultmodel");
  EXPECT_EQ(renderable->GetTextures(), Names{"defaulttexture"});
  EXPECT_EQ(renderable->GetShader(), "defaultshader");
  EXPECT_TRUE(VecNear(renderable->GetColor(), Vector4(1, 0, 0.2f, 1)));
  EXPECT_TRUE(VecNear(renderable->GetBlendFactors(), Vector4(0.75f, 0.75f, 0.75f, 1)));
  EXPECT_FALSE(renderable->GetTransparency());
  EXPECT_TRUE(renderable->GetVisibility());
  EXPECT_FALSE(renderable->IsDebugRenderable());
}

TEST_F(DrawingComponentsTest, TexturesAreListedOnceByExactName) {
  auto renderable = Make<Renderable>(L"Renderable");
  renderable->AddTexture("defaulttexture");
  EXPECT_EQ(renderable->GetTextures(), Names{"defaulttexture"});
  renderable->AddTexture("Defaulttexture");
  renderable->AddTexture("rust");
  renderable->AddTexture("rust");
  EXPECT_EQ(renderable->GetTextures(), (Names{"defaulttexture", "Defaulttexture", "rust"}));

  // Behaviors edit the list in place.
  renderable->GetTextures().clear();
  renderable->AddTexture("water");
  EXPECT_EQ(renderable->GetTextures(), Names{"water"});
}

TEST_F(DrawingComponentsTest, RenderableCloneKeepsLookAndDebugMark) {
  auto renderable = Make<Renderable>(L"Renderable");
  renderable->SetModel("crate");
  renderable->SetShader("textureshader");
  renderable->AddTexture("rust");
  renderable->SetColor(Vector4(0, 0, 1, 0.5f));
  renderable->SetBlendFactors(Vector4(1, 1, 1, 1));
  renderable->SetTransparency(true);
  renderable->SetVisibility(false);
  renderable->MakeDebugRenderable();

  auto clone = std::static_pointer_cast<Renderable>(renderable->CloneComponent());
  ASSERT_TRUE(clone);
  EXPECT_NE(clone->GetID(), renderable->GetID());
  EXPECT_EQ(clone->GetModel(), "crate");
  EXPECT_EQ(clone->GetShader(), "textureshader");
  EXPECT_EQ(clone->GetTextures(), (Names{"defaulttexture", "rust"}));
  EXPECT_TRUE(VecNear(clone->GetColor(), Vector4(0, 0, 1, 0.5f)));
  EXPECT_TRUE(VecNear(clone->GetBlendFactors(), Vector4(1, 1, 1, 1)));
  EXPECT_TRUE(clone->GetTransparency());
  EXPECT_FALSE(clone->GetVisibility());
  EXPECT_TRUE(clone->IsDebugRenderable());

  // The lists are separate.
  clone->AddTexture("moss");
  EXPECT_EQ(renderable->GetTextures().size(), 2u);
}

TEST_F(DrawingComponentsTest, NewLightIsATypeTwoLightWithItsCone) {
  auto light = Make<Light>(L"Light");
  ASSERT_TRUE(light);
  EXPECT_EQ(light->GetType(), CT_Light);
  EXPECT_EQ(light->GetLightType(), 2);
  EXPECT_FLOAT_EQ(light->GetIntensity(), 1.0f);
  EXPECT_FLOAT_EQ(light->GetRange(), 10.0f);
  EXPECT_FLOAT_EQ(light->GetFalloffValue(), 1.0f);
  EXPECT_FLOAT_EQ(light->GetInteriorAngle(), 15.0f);
  EXPECT_FLOAT_EQ(light->GetExteriorAngle(), 30.0f);
  EXPECT_TRUE(VecNear(light->GetDiffuseIntensity(), Vector3(0.0f)));
  EXPECT_TRUE(VecNear(light->GetLightDirection(), Vector3(0.0f)));
}

TEST_F(DrawingComponentsTest, LightCloneKeepsEveryValue) {
  auto light = Make<Light>(L"Light");
  light->SetDiffuseIntensity(Vector3(1, 0.5f, 0.25f));
  light->SetSpecularIntensity(Vector3(0.1f, 0.2f, 0.3f));
  light->SetLightDirection(Vector3(0, -1, 0));
  light->SetLightPositionOffset(Vector3(0, 2, 0));
  light->SetIntensity(3.0f);
  light->SetRange(25.0f);
  light->SetFalloffValue(0.5f);
  light->SetInteriorAngle(20.0f);
  light->SetExteriorAngle(45.0f);

  auto clone = std::static_pointer_cast<Light>(light->CloneComponent());
  ASSERT_TRUE(clone);
  EXPECT_NE(clone->GetID(), light->GetID());
  EXPECT_EQ(clone->GetLightType(), light->GetLightType());
  EXPECT_TRUE(VecNear(clone->GetDiffuseIntensity(), Vector3(1, 0.5f, 0.25f)));
  EXPECT_TRUE(VecNear(clone->GetSpecularIntensity(), Vector3(0.1f, 0.2f, 0.3f)));
  EXPECT_TRUE(VecNear(clone->GetLightDirection(), Vector3(0, -1, 0)));
  EXPECT_TRUE(VecNear(clone->GetLightPositionOffset(), Vector3(0, 2, 0)));
  EXPECT_FLOAT_EQ(clone->GetIntensity(), 3.0f);
  EXPECT_FLOAT_EQ(clone->GetRange(), 25.0f);
  EXPECT_FLOAT_EQ(clone->GetFalloffValue(), 0.5f);
  EXPECT_FLOAT_EQ(clone->GetInteriorAngle(), 20.0f);
  EXPECT_FLOAT_EQ(clone->GetExteriorAngle(), 45.0f);
}

TEST_F(DrawingComponentsTest, DebugColoursAppearWhenTheObjectStarts) {
  auto object = Engine::mFactory.CreateGenericObject().lock();
  auto debug = std::static_pointer_cast<Debug>(Engine::mFactory.GiveObjectComponent(object, L"Debug").lock());
  ASSERT_TRUE(debug);
  EXPECT_EQ(debug->GetType(), CT_Debug);
  EXPECT_EQ(debug->GetDrawFlags(), 0u);
  EXPECT_TRUE(VecNear(debug->GetNormalColor(), Vector4(0.0f)));

  debug->SetDrawFlags(5);
  object->Initialize();
  EXPECT_EQ(debug->GetDrawFlags(), 5u);
  EXPECT_TRUE(VecNear(debug->GetNormalColor(), Vector4(0, 1, 0, 1)));
  EXPECT_TRUE(VecNear(debug->GetStaticColor(), Vector4(1, 0, 0, 1)));
  EXPECT_TRUE(VecNear(debug->GetGhostColor(), Vector4(0, 0, 1, 1)));
  EXPECT_TRUE(VecNear(debug->GetStaticGhostColor(), Vector4(1, 0, 1, 1)));

  debug->SetGhostColor(Vector4(0.5f, 0.5f, 0.5f, 1));
  EXPECT_TRUE(VecNear(debug->GetGhostColor(), Vector4(0.5f, 0.5f, 0.5f, 1)));
}

TEST_F(DrawingComponentsTest, DebugCloneStartsBlankUntilInitialized) {
  auto debug = Make<Debug>(L"Debug");
  debug->Initialize();
  debug->SetDrawFlags(3);
  debug->SetNormalColor(Vector4(1, 1, 1, 1));

  auto clone = std::static_pointer_cast<Debug>(debug->CloneComponent());
  ASSERT_TRUE(clone);
  EXPECT_NE(clone->GetID(), debug->GetID());
  EXPECT_EQ(clone->GetDrawFlags(), 0u);
  EXPECT_TRUE(VecNear(clone->GetNormalColor(), Vector4(0.0f)));
  EXPECT_TRUE(VecNear(clone->GetStaticGhostColor(), Vector4(0.0f)));
  clone->Initialize();
  EXPECT_TRUE(VecNear(clone->GetNormalColor(), Vector4(0, 1, 0, 1)));
}

}  // namespace
