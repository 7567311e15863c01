// A host's behavior driver running the behaviors of the live objects frame by frame.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "behaviors/Behavior.h"
#include "core/Engine.h"
#include "game/BehaviorDriver.h"
#include "meta/MetaData.h"
#include "objects/BehaviorTypeFactory.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "support/EngineFixture.h"

namespace {

// Counts what the driver asks of it; runs for `duration` seconds of updates.
class CountingBehavior : public Behavior {
 public:
  CountingBehavior() = default;
  void Initialize() override { ++initialized; }
  void HandleMessage(const std::shared_ptr<Message>& /*message*/) override {}
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override { return nullptr; }
  META::MetaData& GetMetaData() override { return meta_; }
  static void AddMeta() {}
  static META::MetaData meta_;

  void Update(float dt) override {
    ++updated;
    IncrementTime(dt);
    if (onUpdate) onUpdate();
  }
  void Release() override { ++released; }
  void Last(float seconds) { mDuration = seconds; }

  int initialized = 0;
  int updated = 0;
  int released = 0;
  std::function<void()> onUpdate;
};

META::MetaData CountingBehavior::meta_("CountingBehavior", sizeof(CountingBehavior));

class BehaviorDriverTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    mSavedRegistry = Engine::mFactory;
    Engine::mFactory.AddComponentFactory(
        L"CountingBehavior", std::make_shared<BehaviorTypeFactory<Behavior, CountingBehavior>>(CT_Behavior, BT_Pause));
    // As the game system does: the driver hears the registry's announcements.
    Engine::RegisterListener(MT_CREATED_COMPONENT,
                             Callable(1, [this](const std::shared_ptr<Message>& message) { driver.Learn(*message); }));
  }
  // The counter's factory must not outlive the test: the host's tools list
  // every registered kind.
  void TearDown() override {
    EngineFixture::TearDown();
    Engine::mFactory = mSavedRegistry;
  }

  // A counter that lasts `seconds` given to `object`, announced to the driver.
  static std::shared_ptr<CountingBehavior> GiveCounter(const std::shared_ptr<Object>& object, float seconds) {
    const auto counter = std::static_pointer_cast<CountingBehavior>(
        Engine::mFactory.GiveObjectComponent(object, L"CountingBehavior").lock());
    counter->Last(seconds);
    Flush();
    return counter;
  }
  // An object running a counter that lasts `seconds`; the driver starts it.
  static std::shared_ptr<CountingBehavior> Counter(float seconds, std::shared_ptr<Object>* holder = nullptr) {
    const auto object = Engine::mFactory.CreateGenericObject().lock();
    if (holder != nullptr) *holder = object;
    return GiveCounter(object, seconds);
  }

  BehaviorDriver driver;
  ObjectFactory mSavedRegistry;
};

TEST_F(BehaviorDriverTest, StartsOnceUpdatesWhileTimeIsLeftAndReleasesOnce) {
  const auto counter = Counter(1.0f);
  for (int frame = 0; frame < 3; ++frame) driver.Update(0.25f);
  EXPECT_EQ(driver.RunningCount(), 1u);
  for (int frame = 0; frame < 5; ++frame) driver.Update(0.25f);
  EXPECT_EQ(counter->initialized, 1);
  EXPECT_EQ(counter->updated, 4);
  EXPECT_EQ(counter->released, 1);
  EXPECT_EQ(driver.RunningCount(), 0u);
  EXPECT_EQ(driver.ReleasedCount(), 1u) << "remembered while it stays on its object";
}

TEST_F(BehaviorDriverTest, ABehaviorWhoseObjectIsDestroyedMidFrameIsForgottenUntouched) {
  std::shared_ptr<Object> second;
  const auto killer = Counter(10.0f);
  std::weak_ptr<CountingBehavior> victim = Counter(10.0f, &second);
  const ObjectID secondID = second->GetID();
  const std::uint32_t victimID = victim.lock()->GetID();
  second.reset();
  driver.Update(0.1f);
  EXPECT_EQ(victim.lock()->updated, 1);

  // Objects run in id order: the first destroys the second before its turn.
  killer->onUpdate = [secondID] { Engine::mFactory.Destroy(secondID); };
  driver.Update(0.1f);
  EXPECT_EQ(victim.lock()->updated, 1);
  EXPECT_EQ(victim.lock()->released, 0);
  Flush();
  EXPECT_TRUE(victim.expired()) << "the driver keeps nothing alive";
  driver.Update(0.1f);
  EXPECT_FALSE(driver.IsTracking(victimID));
  EXPECT_EQ(killer->updated, 3);
}

TEST_F(BehaviorDriverTest, AReplacedBehaviorIsDroppedAndStartsAfreshOnAnotherObject) {
  std::shared_ptr<Object> object;
  const auto old = Counter(10.0f, &object);
  driver.Update(0.1f);
  const auto successor = GiveCounter(object, 10.0f);
  driver.Update(0.1f);
  EXPECT_EQ(old->updated, 1);
  EXPECT_EQ(old->released, 0);
  EXPECT_EQ(successor->initialized, 1);
  EXPECT_EQ(successor->updated, 1);
  EXPECT_FALSE(driver.IsTracking(old->GetID()));

  // Taken in by another object, the old one is a new behavior there.
  const auto other = Engine::mFactory.CreateGenericObject().lock();
  Engine::mFactory.GiveObjectComponent(other, std::weak_ptr<Component>(old));
  driver.Update(0.1f);
  EXPECT_EQ(old->initialized, 2);
  EXPECT_EQ(old->updated, 2);
  EXPECT_EQ(successor->updated, 2);
}

}  // namespace
