// Timed objects (bullets, pellets, flares) ending themselves as the frame
// loop's time updates arrive.
#include <map>
#include <memory>

#include "core/GameState.h"
#include "core/ObjectMessages.h"
#include "gameplay/LevelFixture.h"
#include "gameplay/LifeTime.h"

namespace {

class LifeTimeTest : public LevelFixture {
 protected:
  void SetUp() override {
    LevelFixture::SetUp();
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

  static bool Alive(ObjectID id) { return !Engine::mFactory.GetObjectWithID(id).expired(); }

  std::map<ObjectID, int> destroyed;
};

TEST_F(LifeTimeTest, ABulletLivesItsTimeThenIsDestroyedOnceAndStopsListeningEvenIfStartedTwice) {
  GameState::SetState(STATE_PLAY);
  const Bullet bullet = MakeBullet(1.0f);
  // Level objects are started when cloned and again after their block is read,
  // so their time listener is registered twice.
  const Bullet twice = MakeBullet(0.5f);
  Engine::mFactory.GetObjectWithID(twice.id).lock()->Initialize();
  const std::size_t listeners = Engine::ListenerCount();

  Frame(0.25f);
  EXPECT_EQ(twice.lifeTime.lock()->GetTimeAlive(), 0.5f) << "both registrations count";
  for (int i = 0; i < 3; ++i) Frame(0.25f);
  EXPECT_EQ(destroyed[twice.id], 1);
  EXPECT_EQ(Engine::ListenerCount(), listeners - 2);
  EXPECT_TRUE(Alive(bullet.id)) << "it lives while the spent time is below the allowed";
  EXPECT_EQ(bullet.lifeTime.lock()->GetTimeAlive(), 1.0f);

  Frame(0.25f);
  EXPECT_FALSE(Alive(bullet.id));
  EXPECT_EQ(destroyed[bullet.id], 1);
  EXPECT_EQ(Engine::ListenerCount(), listeners - 3);
  Frame(0.25f);
  EXPECT_EQ(destroyed[bullet.id], 1);
}

TEST_F(LifeTimeTest, TimeStandsStillOutsidePlayButAnExpiredObjectStillGoes) {
  GameState::SetState(STATE_MENU);
  const Bullet waiting = MakeBullet(1.0f);
  const Bullet instant = MakeBullet(0.0f);
  Frame(5.0f);
  EXPECT_TRUE(Alive(waiting.id));
  EXPECT_EQ(waiting.lifeTime.lock()->GetTimeAlive(), 0.0f);
  EXPECT_EQ(destroyed[instant.id], 1) << "no time allowed: gone at the first update";

  GameState::SetState(STATE_PLAY);
  Frame(1.0f);
  EXPECT_TRUE(Alive(waiting.id));
  GameState::SetState(STATE_MENU);
  Frame(0.0125f);
  EXPECT_FALSE(Alive(waiting.id));
  EXPECT_EQ(destroyed[waiting.id], 1);
}

}  // namespace
