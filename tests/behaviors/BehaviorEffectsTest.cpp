// Timed effects on objects, driven the way a host's driver drives them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "behaviors/ColorChangeBehavior.h"
#include "behaviors/FlickerBehavior.h"
#include "behaviors/FollowTargetBehavior.h"
#include "behaviors/PauseBehavior.h"
#include "behaviors/ScaleBehavior.h"
#include "behaviors/TimedTextureChangeBehavior.h"
#include "components/Renderable.h"
#include "components/Transform.h"
#include "core/GameFlowMessages.h"
#include "core/ObjectMessages.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"
#include "support/VectormathAsserts.h"

using tidewater_test::VecNear;
using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

class BehaviorEffectsTest : public EngineFixture {
 protected:
  // A registered, started object with a Renderable and a Transform.
  static std::shared_ptr<Object> MakeThing(const Vector3& position = Vector3(0.0f)) {
    auto object = Engine::mFactory.CreateGenericObject().lock();
    Engine::mFactory.GiveObjectComponent(object, L"Renderable");
    Engine::mFactory.GiveObjectComponent(object, L"Transform");
    object->Initialize();
    object->GetComponentAs<Transform>(CT_Transform)->SetWorldPosition(position);
    return object;
  }

  template <class B>
  static std::shared_ptr<B> Give(const std::shared_ptr<Object>& object, const wchar_t* name) {
    return std::static_pointer_cast<B>(Engine::mFactory.GiveObjectComponent(object, name).lock());
  }

  static std::shared_ptr<Renderable> Look(const Object& object) {
    return object.GetComponentAs<Renderable>(CT_Renderable);
  }
};

TEST_F(BehaviorEffectsTest, FactoriesStampEveryKindAndClonesKeepKindAndSettings) {
  const std::pair<const wchar_t*, BehaviorType> kinds[] = {
      {L"FollowTargetBehavior", BT_FollowTarget}, {L"ScaleBehavior", BT_Scale},
      {L"ColorChangeBehavior", BT_ColorChange},   {L"PauseBehavior", BT_Pause},
      {L"FlickerBehavior", BT_Flicker},           {L"TimedTextureChangeBehavior", BT_TimedTextureChange}};
  for (const auto& [name, kind] : kinds) {
    const auto behavior = std::static_pointer_cast<Behavior>(Engine::mFactory.CreateComponent(name));
    ASSERT_TRUE(behavior);
    EXPECT_EQ(behavior->GetType(), 24);
    EXPECT_EQ(behavior->GetBehaviorType(), kind);
    EXPECT_EQ(behavior->TimeLeft(), 1.0f) << "no duration: no end of its own";
  }

  const auto tint =
      std::static_pointer_cast<ColorChangeBehavior>(Engine::mFactory.CreateComponent(L"ColorChangeBehavior"));
  tint->SetBehavior(7, Vector4(0.0f, 1.0f, 0.0f, 1.0f), 2.0f, true, false, "tints");
  tint->IncrementTime(3.0f);
  EXPECT_EQ(tint->TimeLeft(), 0.0f) << "never negative";
  const auto clone = std::static_pointer_cast<ColorChangeBehavior>(tint->CloneComponent());
  EXPECT_EQ(clone->GetBehaviorType(), BT_ColorChange);
  EXPECT_EQ(clone->GetGroup(), "tints");
}

TEST_F(BehaviorEffectsTest, AnObjectHoldsOneBehaviorAtATimeAndAPauseTakesItsObject) {
  const auto thing = MakeThing();
  const auto scale = Give<ScaleBehavior>(thing, L"ScaleBehavior");
  const auto pause = Give<PauseBehavior>(thing, L"PauseBehavior");
  EXPECT_EQ(thing->GetComponent(CT_Behavior).lock(), pause);
  EXPECT_TRUE(scale->IsRetired());

  thing->Initialize();
  EXPECT_EQ(pause->GetObjectID(), thing->GetID());
  pause->Update(10.0f);
  EXPECT_EQ(pause->TimeLeft(), 1.0f) << "a pause never ends by itself";
}

TEST_F(BehaviorEffectsTest, ScalingToTwiceOverASecondEndsDoubledAndStaysThere) {
  const auto thing = MakeThing();
  const auto transform = thing->GetComponentAs<Transform>(CT_Transform);
  transform->SetWorldScalar(Vector3(1.0f, 2.0f, 3.0f));
  const auto scale = Give<ScaleBehavior>(thing, L"ScaleBehavior");
  scale->SetBehavior(thing->GetID(), 2.0f, 1.0f, false, false, "");
  scale->Initialize();

  for (int i = 0; i < 4; ++i) scale->Update(0.25f);
  EXPECT_EQ(scale->TimeLeft(), 0.0f);
  EXPECT_TRUE(VecNear(transform->GetScale(), Vector3(2.0f, 4.0f, 6.0f)));
  for (int i = 0; i < 3; ++i) scale->Update(0.25f);
  EXPECT_TRUE(VecNear(transform->GetScale(), Vector3(2.0f, 4.0f, 6.0f)));
  EXPECT_FLOAT_EQ(transform->GetTransformData().mScale.getElem(1, 1), 4.0f) << "the scale matrix follows";
}

TEST_F(BehaviorEffectsTest, AFlickerBlinksInShrinkingPhasesAndIgnoresEmptySteps) {
  const auto thing = MakeThing();
  const auto flicker = Give<FlickerBehavior>(thing, L"FlickerBehavior");
  flicker->SetBehavior(thing->GetID(), 0.5f, 2.0f, false, true, "");
  flicker->Initialize();

  std::vector<int> phases{0};
  bool visible = true;
  while (flicker->TimeLeft() > 0.0f) {
    flicker->Update(0.1f);
    ++phases.back();
    if (Look(*thing)->GetVisibility() != visible) {
      visible = !visible;
      phases.push_back(0);
      const float timer = flicker->GetIntervalTimer();
      flicker->Update(0.0f);
      EXPECT_EQ(flicker->GetIntervalTimer(), timer);
      EXPECT_EQ(Look(*thing)->GetVisibility(), visible);
    }
  }
  phases.pop_back();
  ASSERT_GE(phases.size(), 4u);
  for (std::size_t i = 1; i < phases.size(); ++i) EXPECT_LE(phases[i], phases[i - 1]);
  EXPECT_LT(phases.back(), phases.front());
}

TEST_F(BehaviorEffectsTest, EndlessFlickerAndScaleRatesAreThePlainFloatQuotients) {
  const auto thing = MakeThing();
  const auto flicker = Give<FlickerBehavior>(thing, L"FlickerBehavior");
  flicker->SetBehavior(thing->GetID(), 0.5f, 0.0f, false, false, "");
  flicker->Initialize();
  flicker->Update(0.1f);
  EXPECT_EQ(flicker->GetInterval(), -std::numeric_limits<float>::infinity());

  const auto scale = Give<ScaleBehavior>(MakeThing(), L"ScaleBehavior");
  scale->SetBehavior(thing->GetID(), 2.0f, 0.0f, false, false, "");
  EXPECT_EQ(scale->GetScaleRate(), std::numeric_limits<float>::infinity());
  scale->SetBehavior(thing->GetID(), 1.0f, 0.0f, false, false, "");
  EXPECT_TRUE(std::isnan(scale->GetScaleRate()));
}

TEST_F(BehaviorEffectsTest, AColourChangeDrawsPlainAndGivesATexturedObjectItsShaderBack) {
  const auto textured = MakeThing();
  Look(*textured)->SetShader("textureshader");
  const auto tint = Give<ColorChangeBehavior>(textured, L"ColorChangeBehavior");
  tint->SetBehavior(textured->GetID(), Vector4(0.0f, 1.0f, 0.0f, 0.5f), 1.0f, false, false, "");
  tint->Initialize();
  EXPECT_EQ(Look(*textured)->GetShader(), "defaultshader");
  tint->Update(0.5f);
  EXPECT_TRUE(VecNear(Look(*textured)->GetColor(), Vector4(0.0f, 1.0f, 0.0f, 0.5f)));
  EXPECT_TRUE(Look(*textured)->GetTransparency());
  tint->Release();
  EXPECT_EQ(Look(*textured)->GetShader(), "textureshader");
  EXPECT_FALSE(Look(*textured)->GetTransparency());
  EXPECT_TRUE(VecNear(Look(*textured)->GetColor(), Vector4(0.0f, 1.0f, 0.0f, 0.5f))) << "the tint stays";

  // Only the texture shader is given back.
  const auto glowing = MakeThing();
  Look(*glowing)->SetShader("glowshader");
  const auto other = Give<ColorChangeBehavior>(glowing, L"ColorChangeBehavior");
  other->SetBehavior(glowing->GetID(), Vector4(1.0f), 1.0f, false, false, "");
  other->Initialize();
  other->Release();
  EXPECT_EQ(Look(*glowing)->GetShader(), "defaultshader");
}

TEST_F(BehaviorEffectsTest, AFollowerIsPlacedOnItsTargetOrSentTowardsItAtItsSpeed) {
  auto* physics = new RecordingSystem(L"Physics");
  Engine::AddSystem(physics);
  const auto target = MakeThing(Vector3(4.0f, 0.0f, 3.0f));
  const auto follower = MakeThing(Vector3(-4.0f, 0.0f, -3.0f));
  const auto follow = Give<FollowTargetBehavior>(follower, L"FollowTargetBehavior");
  follow->SetFollowTarget(target->GetID());
  follow->SetFollowObject(follower->GetID());
  follow->SetFollowSpeed(3.0f);

  follow->Update(0.1f);
  ASSERT_EQ(physics->immediate.size(), 1u);
  const auto& place = static_cast<const PhysicsMessage&>(*physics->immediate[0]);
  EXPECT_EQ(place.mKind, PMT_SET_POSITION);
  EXPECT_EQ(place.mObjectID, follower->GetID());
  EXPECT_TRUE(VecNear(place.mVector, Vector3(4.0f, 0.0f, 3.0f)));

  // Ten apart with a follow distance of five: a queued velocity of the speed's length.
  follow->SetDistanceToFollowAt(5.0f);
  physics->immediate.clear();
  follow->Update(0.1f);
  Flush();
  EXPECT_TRUE(physics->immediate.empty());
  ASSERT_EQ(physics->CountQueued(MT_PHYSICS), 1u);
  const auto& push = static_cast<const PhysicsMessage&>(*physics->queued.back());
  EXPECT_EQ(push.mKind, PMT_SET_VELOCITY);
  EXPECT_TRUE(VecNear(push.mVector, Vector3(2.4f, 0.0f, 1.8f)));

  follower->GetComponentAs<Transform>(CT_Transform)->SetWorldPosition(Vector3(4.0f, 0.0f, -1.0f));
  follow->Update(0.1f);
  Engine::mFactory.Destroy(target->GetID());
  follow->Update(0.1f);
  Flush();
  EXPECT_EQ(physics->CountQueued(MT_PHYSICS), 1u) << "nothing within the distance or without a target";
  EXPECT_EQ(follow->TimeLeft(), 1.0f) << "a lost target only pauses it";
  Engine::mFactory.Destroy(follower->GetID());
  Flush();
  follow->Update(0.1f);
  EXPECT_EQ(follow->TimeLeft(), 0.0f) << "a lost follower ends it on its next update";
}

TEST_F(BehaviorEffectsTest, ATextureSwapChangesOnceHoldsThenChangesBackUntilRearmed) {
  const auto thing = MakeThing();
  const auto swap = Give<TimedTextureChangeBehavior>(thing, L"TimedTextureChangeBehavior");
  swap->SetChangeToTexture("scorched");
  thing->Initialize();
  for (int i = 0; i < 5; ++i) swap->Update(0.1f);
  EXPECT_EQ(Look(*thing)->GetTextures(), std::vector<std::string>{"defaulttexture"}) << "no time to change for";

  swap->SetTimeForChange(0.3f);
  swap->Update(0.1f);
  EXPECT_TRUE(swap->IsSwapped());
  EXPECT_EQ(Look(*thing)->GetTextures(), (std::vector<std::string>{"defaulttexture", "scorched"}));

  int held = 0;
  while (swap->IsSwapped() && held < 10) {
    swap->Update(0.1f);
    ++held;
  }
  EXPECT_GE(held, 3);
  EXPECT_LE(held, 5);
  EXPECT_EQ(swap->GetCurrentTexture(), "defaulttexture");
  for (int i = 0; i < 5; ++i) swap->Update(0.1f);
  EXPECT_FALSE(swap->IsSwapped());
  EXPECT_EQ(swap->TimeLeft(), 1.0f);

  swap->ResetTimer();
  swap->Update(0.1f);
  EXPECT_TRUE(swap->IsSwapped());
}

TEST_F(BehaviorEffectsTest, AFollowerIsReadFromAndWrittenToLevelText) {
  Engine::mFactory.CreateGenericArchetype(L"Object");
  const std::string block =
      "\tFollowTargetBehavior\n\t{\n\t\tmDistanceToFollowAt : 5\n\t\tmFollowSpeed : 3\n"
      "\t\tmWhatIsFollowing : 4\n\t\tmWhatToFollow : 2\n\t}\n";
  std::istringstream level("Object\n{\n\tmName : Chaser\n" + block + "}\n");
  Engine::mDeserializer(level);
  const auto chaser = Engine::mFactory.GetObjectByName("Chaser").lock();
  ASSERT_TRUE(chaser);
  EXPECT_EQ(chaser->GetComponentAs<FollowTargetBehavior>(CT_Behavior)->GetBehaviorType(), BT_FollowTarget);
  // Written back unchanged: every value was read.
  std::ostringstream out;
  Engine::mSerializer(*chaser, out);
  EXPECT_NE(out.str().find(block), std::string::npos) << out.str();
}

}  // namespace
