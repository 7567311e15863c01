// Timed objects (bullets, pellets, flares) ending themselves as the frame
// loop's time updates arrive.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "core/GameFlowMessages.h"
#include "core/GameState.h"
#include "core/ObjectMessages.h"
#include "gameplay/LifeTime.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"

namespace {

class LifeTimeTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    // Counts every destruction announced for each object id.
    Engine::RegisterListener(MT_DESTROYED_OBJECT, Callable(7, [this](const std::shared_ptr<Message>& message) {
                               ++destroyed[static_cast<const DestroyedObjectMessage&>(*message).GetObjectID()];
                             }));
  }

  struct Bullet {
    ObjectID id;
    std::weak_ptr<LifeTime> lifeTime;
  };

  // A projectile as the gun makes one: the allowed time set, then started.
  static Bullet MakeBullet(float seconds) {
    auto bullet = Engine::mFactory.CreateGenericObject().lock();
    auto lifeTime =
        std::static_pointer_cast<LifeTime>(Engine::mFactory.GiveObjectComponent(bullet, L"LifeTime").lock());
    lifeTime->Initialize(seconds);
    bullet->Initialize();
    return {bullet->GetID(), lifeTime};
  }

  static void Tick(float dt) {
    Engine::RelayMessage(std::make_shared<TimeUpdateMessage>(L"Core\\Engine", dt));
    Engine::BroadcastMessages();
  }

  static bool Alive(ObjectID id) { return !Engine::mFactory.GetObjectWithID(id).expired(); }

  std::map<ObjectID, int> destroyed;
};

TEST_F(LifeTimeTest, ABulletLivesItsTimeThenIsDestroyedOnceAndStopsListening) {
  GameState::SetState(STATE_PLAY);
  const Bullet bullet = MakeBullet(1.0f);
  const std::size_t listeners = Engine::ListenerCount();

  for (int i = 0; i < 4; ++i) Tick(0.25f);
  EXPECT_TRUE(Alive(bullet.id)) << "it lives while the spent time is below the allowed";
  EXPECT_EQ(bullet.lifeTime.lock()->GetTimeAlive(), 1.0f);

  Tick(0.25f);
  EXPECT_FALSE(Alive(bullet.id));
  EXPECT_EQ(destroyed[bullet.id], 1);
  EXPECT_EQ(Engine::ListenerCount(), listeners - 1);

  for (int i = 0; i < 3; ++i) Tick(0.25f);
  EXPECT_EQ(destroyed[bullet.id], 1);
}

TEST_F(LifeTimeTest, TimeStandsStillOutsidePlayButAnExpiredObjectStillGoes) {
  GameState::SetState(STATE_MENU);
  const Bullet waiting = MakeBullet(1.0f);
  const Bullet instant = MakeBullet(0.0f);
  Tick(5.0f);
  EXPECT_TRUE(Alive(waiting.id));
  EXPECT_EQ(waiting.lifeTime.lock()->GetTimeAlive(), 0.0f);
  EXPECT_EQ(destroyed[instant.id], 1) << "no time allowed: gone at the first update";

  GameState::SetState(STATE_PLAY);
  Tick(1.0f);
  EXPECT_TRUE(Alive(waiting.id));
  GameState::SetState(STATE_MENU);
  Tick(0.0125f);
  EXPECT_FALSE(Alive(waiting.id));
  EXPECT_EQ(destroyed[waiting.id], 1);
}

TEST_F(LifeTimeTest, AnObjectStartedTwiceStillDiesOnce) {
  // Level objects are started when cloned and again after their block is read,
  // so their time listener is registered twice.
  GameState::SetState(STATE_PLAY);
  const std::size_t listeners = Engine::ListenerCount();
  const Bullet bullet = MakeBullet(0.5f);
  Engine::mFactory.GetObjectWithID(bullet.id).lock()->Initialize();
  ASSERT_EQ(Engine::ListenerCount(), listeners + 2);

  Tick(0.25f);
  EXPECT_EQ(bullet.lifeTime.lock()->GetTimeAlive(), 0.5f) << "both registrations count";
  Tick(0.25f);
  EXPECT_EQ(destroyed[bullet.id], 1);
  EXPECT_EQ(Engine::ListenerCount(), listeners);
}

TEST_F(LifeTimeTest, DrivenDirectlyItCountsInAnyStateAndEndsItsObject) {
  GameState::SetState(STATE_MENU);
  const Bullet bullet = MakeBullet(1.0f);
  auto lifeTime = bullet.lifeTime.lock();
  lifeTime->Update(0.5f);
  lifeTime->Update(0.5f);
  EXPECT_EQ(lifeTime->GetTimeAlive(), 1.0f);
  EXPECT_TRUE(Alive(bullet.id));

  lifeTime->Update(0.5f);
  lifeTime->Update(0.5f);
  Flush();
  EXPECT_FALSE(Alive(bullet.id));
  EXPECT_EQ(destroyed[bullet.id], 1);
}

}  // namespace
