// The tuning values designers put in level files for players, projectiles,
// spawn points and the match rules: read, kept through clones, written back.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "gameplay/DamageDealer.h"
#include "gameplay/LevelRuleset.h"
#include "gameplay/LifeTime.h"
#include "gameplay/Owner.h"
#include "gameplay/PlayerStats.h"
#include "gameplay/Spawner.h"
#include "gameplay/StatModifier.h"
#include "objects/Object.h"
#include "support/EngineFixture.h"

namespace {

const char* const kArena =
    "Object\n{\n\tmName : Arena\n"
    "\tPlayerStats\n\t{\n\t\tDamp_ : 0.5\n\t\tSpeed_ : 6\n\t}\n"
    "\tOwner\n\t{\n\t\tOwner_ : 42\n\t}\n"
    "\tLifeTime\n\t{\n\t\ttimeAllowedToLive_ : 3\n\t\ttimeSpentAlive_ : 1\n\t}\n"
    "\tStatModifier\n\t{\n\t\tamountToModifyBy_ : 2.5\n\t\twhatToModify_ : 1\n\t}\n"
    "\tSpawner\n\t{\n\t\tPlayerID_ : 3\n\t}\n"
    "\tLevelRuleset\n\t{\n\t\tmDeathsAllowedPerPlayer : 5\n\t\tmKillsNeededToWin : 10\n"
    "\t\tmPlayerMovementDecay : 0.75\n\t\tmTimeActive : 12\n\t\tmTimeLimit : 90\n\t}\n"
    "\tDamageDealer\n\t{\n\t\tDamage_ : 25\n\t}\n"
    "}\n\n";

class GameplayDataTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    // Level blocks are clones of the archetype their head word names.
    Engine::mFactory.CreateGenericArchetype(L"Object");
  }

  static std::shared_ptr<Object> ReadLevel(const std::string& text, const std::string& name) {
    std::istringstream in(text);
    Engine::mDeserializer.Report().Clear();
    Engine::mDeserializer(in);
    return Engine::mFactory.GetObjectByName(name).lock();
  }

  static std::string Write(Object& object) {
    std::ostringstream out;
    Engine::mSerializer(object, out);
    return out.str();
  }

  static std::shared_ptr<LevelRuleset> RulesetWithLimit(const std::string& level, float seconds) {
    const auto object = ReadLevel("Object\n{\n\tmName : " + level + "\n\tLevelRuleset\n\t{\n\t\tmTimeLimit : " +
                                      std::to_string(seconds) + "\n\t}\n}\n",
                                  level);
    return object ? object->GetComponentAs<LevelRuleset>(CT_LevelRuleset) : nullptr;
  }

  // Every value the arena block sets, as the game reads it.
  static void ExpectArenaValues(const Object& arena) {
    const auto stats = arena.GetComponentAs<PlayerStats>(CT_PlayerStats);
    const auto owner = arena.GetComponentAs<Owner>(CT_Owner);
    const auto lifeTime = arena.GetComponentAs<LifeTime>(CT_LifeTime);
    const auto modifier = arena.GetComponentAs<StatModifier>(CT_StatModifier);
    const auto spawner = arena.GetComponentAs<Spawner>(CT_Spawner);
    const auto rules = arena.GetComponentAs<LevelRuleset>(CT_LevelRuleset);
    const auto damage = arena.GetComponentAs<DamageDealer>(CT_DamageDealer);
    ASSERT_TRUE(stats && owner && lifeTime && modifier && spawner && rules && damage);
    EXPECT_EQ(stats->Get_Speed(), 6.0f);
    EXPECT_EQ(stats->Get_Damp(), 0.5f);
    EXPECT_EQ(owner->Get_Owner(), 42u);
    EXPECT_EQ(lifeTime->GetTimeAlive(), 1.0f);
    EXPECT_EQ(lifeTime->GetTimeAllowedToLive(), 3.0f);
    EXPECT_EQ(modifier->GetModifierTarget(), MOD_SPEED);
    EXPECT_EQ(modifier->GetModificationAmount(), 2.5f);
    EXPECT_EQ(spawner->Get_PlayerID(), 3u);
    EXPECT_EQ(rules->GetMovementDecay(), 0.75f);
    EXPECT_EQ(rules->GetKillLimit(), 10u);
    EXPECT_EQ(rules->GetDeathsAllowed(), 5u);
    EXPECT_EQ(rules->GetTimeLimit(), 90.0f);
    EXPECT_EQ(rules->GetTimeActive(), 0.0f) << "a started match clock begins at zero";
    EXPECT_EQ(damage->Get_Damage(), 25.0f);
  }
};

TEST_F(GameplayDataTest, LevelFilesSetEveryTuningValueAndClonesAndSavesKeepThem) {
  const auto arena = ReadLevel(kArena, "Arena");
  ASSERT_TRUE(arena);
  EXPECT_TRUE(Engine::mDeserializer.Report().Empty()) << "every member name is known";
  ExpectArenaValues(*arena);

  const auto clone = arena->CloneObject().lock();
  ASSERT_TRUE(clone);
  ExpectArenaValues(*clone);

  const std::string saved = Write(*arena);
  EXPECT_NE(saved.find("\tOwner\n\t{\n\t\tOwner_ : 42\n\t}\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\t\tmTimeLimit : 90\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\t\twhatToModify_ : 1\n"), std::string::npos) << saved;

  Engine::mFactory.DestroyAllObjects();
  Flush();
  const auto reloaded = ReadLevel(saved, "Arena");
  ASSERT_TRUE(reloaded);
  ExpectArenaValues(*reloaded);
  EXPECT_EQ(Write(*reloaded), saved);
}

TEST_F(GameplayDataTest, TheMatchClockStopsAtTheFirstValueAtOrPastTheLimit) {
  const auto rules = RulesetWithLimit("Timed", 2.5f);
  ASSERT_TRUE(rules);
  rules->Update(2.0f);
  EXPECT_EQ(rules->GetTimeActive(), 2.0f);
  rules->Update(2.0f);
  EXPECT_EQ(rules->GetTimeActive(), 4.0f);
  rules->Update(2.0f);
  EXPECT_EQ(rules->GetTimeActive(), 4.0f) << "time is up; the host ends the match";

  rules->ResetTimer();
  EXPECT_EQ(rules->GetTimeActive(), 0.0f);
  rules->Update(1.0f);
  EXPECT_EQ(rules->GetTimeActive(), 1.0f);

  // A level without a time limit never runs its clock.
  const auto untimed = RulesetWithLimit("Untimed", 0.0f);
  ASSERT_TRUE(untimed);
  untimed->Update(5.0f);
  EXPECT_EQ(untimed->GetTimeActive(), 0.0f);
}

}  // namespace
