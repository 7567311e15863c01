// The tuning values designers put in level files for players, guns,
// projectiles, spawn points and the match rules: read, kept through clones,
// written back.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "gameplay/DamageDealer.h"
#include "gameplay/Gun.h"
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
    "\tGun\n\t{\n\t\tmAmmoType : 1\n\t\tmMuzzleVel : 4\n\t}\n"
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

  // One value from every part of the arena block, as the game reads it.
  static void ExpectArenaValues(const Object& arena) {
    const auto rules = arena.GetComponentAs<LevelRuleset>(CT_LevelRuleset);
    ASSERT_TRUE(rules && arena.GetComponentAs<PlayerStats>(CT_PlayerStats) && arena.GetComponentAs<Gun>(CT_Gun) &&
                arena.GetComponentAs<Owner>(CT_Owner) && arena.GetComponentAs<LifeTime>(CT_LifeTime) &&
                arena.GetComponentAs<StatModifier>(CT_StatModifier) && arena.GetComponentAs<Spawner>(CT_Spawner) &&
                arena.GetComponentAs<DamageDealer>(CT_DamageDealer));
    EXPECT_EQ(arena.GetComponentAs<PlayerStats>(CT_PlayerStats)->Get_Damp(), 0.5f);
    EXPECT_EQ(arena.GetComponentAs<Gun>(CT_Gun)->GetAmmoType(), Gun::SPREAD_GUN);
    EXPECT_EQ(arena.GetComponentAs<Owner>(CT_Owner)->Get_Owner(), 42u);
    EXPECT_EQ(arena.GetComponentAs<LifeTime>(CT_LifeTime)->GetTimeAllowedToLive(), 3.0f);
    EXPECT_EQ(arena.GetComponentAs<StatModifier>(CT_StatModifier)->GetModificationAmount(), 2.5f);
    EXPECT_EQ(arena.GetComponentAs<Spawner>(CT_Spawner)->Get_PlayerID(), 3u);
    EXPECT_EQ(arena.GetComponentAs<DamageDealer>(CT_DamageDealer)->Get_Damage(), 25.0f);
    EXPECT_EQ(rules->GetKillLimit(), 10u);
    EXPECT_EQ(rules->GetTimeActive(), 0.0f) << "a started match clock begins at zero";
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
  Engine::mFactory.DestroyAllObjects();
  Flush();
  const auto reloaded = ReadLevel(saved, "Arena");
  ASSERT_TRUE(reloaded);
  ExpectArenaValues(*reloaded);
  EXPECT_EQ(Write(*reloaded), saved);
}

TEST_F(GameplayDataTest, TheMatchClockStopsAtTheFirstValueAtOrPastTheLimitAndOnlyRunsWithALimit) {
  const auto timed =
      ReadLevel("Object\n{\n\tmName : Timed\n\tLevelRuleset\n\t{\n\t\tmTimeLimit : 2.5\n\t}\n}\n", "Timed");
  const auto untimed = ReadLevel("Object\n{\n\tmName : Untimed\n\tLevelRuleset\n\t{\n\t}\n}\n", "Untimed");
  ASSERT_TRUE(timed && untimed);
  const auto rules = timed->GetComponentAs<LevelRuleset>(CT_LevelRuleset);
  for (const float expected : {2.0f, 4.0f, 4.0f}) {
    rules->Update(2.0f);
    EXPECT_EQ(rules->GetTimeActive(), expected) << "time is up at 4; the host ends the match";
  }
  untimed->GetComponentAs<LevelRuleset>(CT_LevelRuleset)->Update(5.0f);
  EXPECT_EQ(untimed->GetComponentAs<LevelRuleset>(CT_LevelRuleset)->GetTimeActive(), 0.0f);
}

}  // namespace
