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

TEST_F(DrawingComponentsTest, TexturesAreListedOnceByExactName) {
  auto renderable = Make<Renderable>(L"Renderable");
  renderable->AddTexture("defaulttexture");
  renderable->AddTexture("Defaulttexture");
  renderable->AddTexture("rust");
  renderable->AddTexture("rust");
  EXPECT_EQ(renderable->GetTextures(), (Names{"defaulttexture", "Defaulttexture", "rust"}));
}

TEST_F(DrawingComponentsTest, ClonedRenderableAndLightKeepEverything) {
  auto renderable = Make<Renderable>(L"Renderable");
  renderable->SetShader("textureshader");
  renderable->AddTexture("rust");
  renderable->MakeDebugRenderable();
  auto renderableClone = std::static_pointer_cast<Renderable>(renderable->CloneComponent());
  ASSERT_TRUE(renderableClone);
  EXPECT_NE(renderableClone->GetID(), renderable->GetID());
  EXPECT_EQ(renderableClone->GetShader(), "textureshader");
  EXPECT_TRUE(renderableClone->IsDebugRenderable());
  // The lists are separate afterwards.
  renderableClone->AddTexture("moss");
  EXPECT_EQ(renderable->GetTextures(), (Names{"defaulttexture", "rust"}));

  auto light = Make<Light>(L"Light");
  light->SetLightDirection(Vector3(0, -1, 0));
  auto lightClone = std::static_pointer_cast<Light>(light->CloneComponent());
  ASSERT_TRUE(lightClone);
  EXPECT_TRUE(VecNear(lightClone->GetLightDirection(), Vector3(0, -1, 0)));
}

TEST_F(DrawingComponentsTest, DebugColoursAppearWhenTheObjectStartsAndNotInClones) {
  auto object = Engine::mFactory.CreateGenericObject().lock();
  auto debug = std::static_pointer_cast<Debug>(Engine::mFactory.GiveObjectComponent(object, L"Debug").lock());
  ASSERT_TRUE(debug);
  debug->SetDrawFlags(5);
  object->Initialize();
  EXPECT_EQ(debug->GetDrawFlags(), 5u);
  EXPECT_TRUE(VecNear(debug->GetNormalColor(), Vector4(0, 1, 0, 1)));
  EXPECT_TRUE(VecNear(debug->GetStaticGhostColor(), Vector4(1, 0, 1, 1)));

  // A clone copies nothing: blank until its own Initialize.
  auto clone = std::static_pointer_cast<Debug>(debug->CloneComponent());
  ASSERT_TRUE(clone);
  EXPECT_EQ(clone->GetDrawFlags(), 0u);
  EXPECT_TRUE(VecNear(clone->GetNormalColor(), Vector4(0.0f)));
  clone->Initialize();
  EXPECT_TRUE(VecNear(clone->GetNormalColor(), Vector4(0, 1, 0, 1)));
}

}  // namespace
