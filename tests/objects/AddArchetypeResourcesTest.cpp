// Registering an archetype asks the renderer to load what it draws.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/Renderable.h"
#include "components/Transform.h"
#include "core/RenderMessages.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "support/EngineFixture.h"

namespace {

class AddArchetypeResourcesTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    system = new RecordingSystem();
    Engine::AddSystem(system);
  }

  // (type, name) of every load request the host received, in order.
  std::vector<std::pair<ResourceType, std::string>> Requests() const {
    std::vector<std::pair<ResourceType, std::string>> requests;
    for (const auto& message : system->queued) {
      if (message->GetMessageId() != MT_LOAD_RESOURCE) continue;
      const auto& load = static_cast<const LoadResourceMessage&>(*message);
      EXPECT_EQ(load.GetSender(), L"Core");
      requests.emplace_back(load.GetType(), load.GetName());
    }
    return requests;
  }

  RecordingSystem* system = nullptr;
};

TEST_F(AddArchetypeResourcesTest, TexturesThenShaderThenModelAreRequested) {
  auto archetype = Engine::mFactory.CreateGenericArchetype(L"Crate").lock();
  auto renderable =
      std::static_pointer_cast<Renderable>(Engine::mFactory.GiveArchetypeComponent(archetype, L"Renderable").lock());
  ASSERT_TRUE(renderable);
  renderable->GetTextures() = {"planks", "rust"};
  renderable->SetShader("textureshader");
  renderable->SetModel("crate");

  Engine::mFactory.AddArchetype(L"Crate", archetype);
  Flush();

  const std::vector<std::pair<ResourceType, std::string>> expected{
      {RT_TEXTURE, "planks"}, {RT_TEXTURE, "rust"}, {RT_SHADER, "textureshader"}, {RT_MODEL, "crate"}};
  EXPECT_EQ(Requests(), expected);
}

TEST_F(AddArchetypeResourcesTest, ArchetypeWithoutRenderableRequestsNothing) {
  auto archetype = Engine::mFactory.CreateGenericArchetype(L"Trigger").lock();
  Engine::mFactory.GiveArchetypeComponent(archetype, L"Transform");
  Engine::mFactory.AddArchetype(L"Trigger", archetype);
  Flush();
  EXPECT_TRUE(Requests().empty());
}

}  // namespace
