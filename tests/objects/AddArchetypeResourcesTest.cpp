// Registering an archetype asks the renderer to load what it draws.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/Renderable.h"
#include "core/RenderMessages.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "support/EngineFixture.h"

namespace {

class AddArchetypeResourcesTest : public EngineFixture {};

TEST_F(AddArchetypeResourcesTest, TexturesThenShaderThenModelAreRequestedAndNothingWithoutARenderable) {
  auto* system = new RecordingSystem();
  Engine::AddSystem(system);
  auto trigger = Engine::mFactory.CreateGenericArchetype(L"Trigger").lock();
  Engine::mFactory.GiveArchetypeComponent(trigger, L"Transform");
  Engine::mFactory.AddArchetype(L"Trigger", trigger);

  auto archetype = Engine::mFactory.CreateGenericArchetype(L"Crate").lock();
  auto renderable =
      std::static_pointer_cast<Renderable>(Engine::mFactory.GiveArchetypeComponent(archetype, L"Renderable").lock());
  ASSERT_TRUE(renderable);
  renderable->GetTextures() = {"planks", "rust"};
  renderable->SetShader("textureshader");
  renderable->SetModel("crate");
  Engine::mFactory.AddArchetype(L"Crate", archetype);
  Flush();

  std::vector<std::pair<ResourceType, std::string>> requests;
  for (const auto& message : system->queued) {
    if (message->GetMessageId() != MT_LOAD_RESOURCE) continue;
    const auto& load = static_cast<const LoadResourceMessage&>(*message);
    EXPECT_EQ(load.GetSender(), L"Core");
    requests.emplace_back(load.GetType(), load.GetName());
  }
  const std::vector<std::pair<ResourceType, std::string>> expected{
      {RT_TEXTURE, "planks"}, {RT_TEXTURE, "rust"}, {RT_SHADER, "textureshader"}, {RT_MODEL, "crate"}};
  EXPECT_EQ(requests, expected);
}

}  // namespace
