// Core components read from a level file as a level designer writes them: the
// values land in the components and take effect once the object starts.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "components/Camera.h"
#include "components/Debug.h"
#include "components/Renderable.h"
#include "components/Transform.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"
#include "support/VectormathAsserts.h"

using tidewater_test::VecNear;
using Vectormath::Aos::Point3;
using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

class ComponentsInLevelTextTest : public EngineFixture {};

// One literal per block of the file.
const char* const kLevel =
    "Crate\n{\n\tmName : Box\n"
    "\tTransform\n\t{\n\t\ttransformData : \t\tTransformData\n\t\t{\n"
    "\t\t\tWorldPosition : \t\t\tMetaVec3\n\t\t\t{\n\t\t\t\tx_ : 10\n\t\t\t\ty_ : 0\n\t\t\t\tz_ : 5\n\t\t\t}\n"
    "\t\t\tWorldRotationAngleY : 90\n\t\t}\n\t}\n"
    "\tRenderable\n\t{\n\t\tm_ShaderName : textureshader\n\t\tm_TextureName : planks, rust \n\t}\n"
    "\tDebug\n\t{\n\t\tmDrawFlags : 3\n\t\tmNormalColor : \t\tVec4\n\t\t{\n\t\t}\n\t}\n"
    "\tCamera\n\t{\n\t\tmWidth : 1280\n\t\tmFOV : 1\n\t}\n"
    "}\n";

TEST_F(ComponentsInLevelTextTest, ACrateFromTheLevelStartsWithTheFileValuesInEffect) {
  auto crate = Engine::mFactory.CreateGenericArchetype(L"Crate").lock();
  for (const wchar_t* part : {L"Transform", L"Renderable", L"Debug", L"Camera"}) {
    Engine::mFactory.GiveArchetypeComponent(crate, part);
  }
  std::istringstream level(kLevel);
  Engine::mDeserializer(level);
  auto box = Engine::mFactory.GetObjectByName("Box").lock();
  ASSERT_TRUE(box);
  auto transform = box->GetComponentAs<Transform>(CT_Transform);
  auto renderable = box->GetComponentAs<Renderable>(CT_Renderable);
  auto debug = box->GetComponentAs<Debug>(CT_Debug);
  auto camera = box->GetComponentAs<Camera>(CT_Camera);
  ASSERT_TRUE(transform && renderable && debug && camera);

  // Turned a quarter about y and placed: the model's x axis ends up along -z.
  const Vector3 tip = (transform->GetWorldTransform() * Point3(1, 0, 0)).getXYZ();
  EXPECT_TRUE(VecNear(tip, Vector3(10, 0, 4)));

  // The listed textures replace the default one; unlisted values keep theirs.
  EXPECT_EQ(renderable->GetTextures(), (std::vector<std::string>{"planks", "rust"}));
  EXPECT_EQ(renderable->GetModel(), "defaultmodel");
  EXPECT_EQ(camera->GetCameraWidth(), 1280u);
  EXPECT_FLOAT_EQ(camera->GetCameraFOV(), 1.0f);

  // Debug colours are never read from a file: Initialize sets them.
  EXPECT_EQ(debug->GetDrawFlags(), 3u);
  EXPECT_TRUE(VecNear(debug->GetNormalColor(), Vector4(0, 1, 0, 1)));
}

}  // namespace
