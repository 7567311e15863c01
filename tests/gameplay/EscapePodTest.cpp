// Escape pods as players use them: charged with a power cell through the
// pod's own trigger, launched by a further "Shoot", then climbing away.
#include <cstdint>
#include <string>
#include <vector>

#include "core/GameFlowMessages.h"
#include "gameplay/EscapePod.h"
#include "gameplay/InteractorComponent.h"
#include "gameplay/LevelFixture.h"
#include "support/LevelTestComponents.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr std::uint32_t kSoundCharged = 0x9938DE08;
constexpr std::uint32_t kSoundLaunched = 0xD38D4949;

class EscapePodTest : public LevelFixture {};

TEST_F(EscapePodTest, APodChargedWithOnePowerCellLaunchesForThePlayerWhoChargedIt) {
  MakePlayers();
  const auto podObject =
      MakeObject("Pod1", {L"Renderable", L"Transform", L"Collider", L"InteractorComponent", L"EscapePod"},
                 Vector3(0.0f), Vector3(2.0f));
  const auto trigger = podObject->GetComponentAs<InteractorComponent>(CT_InteractorComponent);
  MemberOf<std::string>(*trigger, "m_name_of_bound_door") = "Pod1";
  const auto pod = podObject->GetComponentAs<EscapePod>(CT_EscapePod);
  Frame(0.1f);
  ASSERT_EQ(trigger->GetBoundObjectID(), podObject->GetID()) << "the trigger serves its own pod";

  Stats(1)->AddPowerCell();
  Stats(1)->AddPowerCell();
  Stats(3)->AddPowerCell();
  StepTo(1, Vector3(1.0f, 0.0f, 0.0f));
  Press("Shoot", 0);
  Frame(0.1f);
  EXPECT_TRUE(pod->IsLaunchable());
  EXPECT_FALSE(pod->IsLaunched());
  EXPECT_EQ(Stats(1)->GetPowerCells(), 1);
  EXPECT_EQ(pod->GetLauncherPlayerID(), Player(1)->GetID());
  EXPECT_EQ(CountSounds(kSoundCharged), 1u);

  // A charged pod takes no second cell, and a launch meant for another pod is not for it.
  Engine::ImmediateMessage(
      std::make_shared<PodActivationMessage>(L"Interactor", 2u, Player(3)->GetID(), podObject->GetID()));
  EXPECT_EQ(Stats(3)->GetPowerCells(), 1);
  EXPECT_EQ(pod->GetLauncherPlayerID(), Player(1)->GetID());
  SendEvent("launch pod", podObject->GetID() + 1000);
  Frame(0.1f);
  EXPECT_TRUE(EventIDs("escape pod launched").empty());

  // Anyone may launch a charged pod; the escape is the charger's.
  StepTo(2, Vector3(-1.0f, 0.0f, 0.0f));
  Press("Shoot", 1);
  Frame(0.1f);
  EXPECT_EQ(EventIDs("escape pod launched"), std::vector<ObjectID>{Player(1)->GetID()});
  EXPECT_EQ(events.back().sender, L"EscapePod");
  EXPECT_TRUE(pod->IsLaunched());
  EXPECT_EQ(CountSounds(kSoundLaunched), 1u);
  EXPECT_EQ(Stats(1)->GetPowerCells(), 1);
  EXPECT_EQ(CountSounds(kSoundCharged), 1u);

  // It creeps up at first, then climbs faster and faster, straight up.
  std::vector<float> heights{PositionOf(podObject).getY()};
  for (int frame = 0; frame < 40; ++frame) {
    Frame(0.1f);
    heights.push_back(PositionOf(podObject).getY());
  }
  EXPECT_NEAR(heights[1] - heights[0], 0.1f, 0.001f);
  for (std::size_t i = 2; i < heights.size(); ++i) {
    EXPECT_GE(heights[i] - heights[i - 1], heights[i - 1] - heights[i - 2] - 1e-4f) << "slowed down at frame " << i;
  }
  EXPECT_GT(heights.back() - heights[heights.size() - 2], 0.2f);
  EXPECT_EQ(PositionOf(podObject).getX(), 0.0f);
  EXPECT_EQ(PositionOf(podObject).getZ(), 0.0f);
}

}  // namespace
