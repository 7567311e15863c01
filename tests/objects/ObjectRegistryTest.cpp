// The object registry as a host and the game use it: ids, creation and
// destruction announcements, archetypes, lookups and listener lifetime.
#include <gtest/gtest.h>

#include "core/GameFlowMessages.h"
#include "core/ObjectMessages.h"
#include "objects/ComponentFactory.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "support/EngineFixture.h"
#include "support/TestComponents.h"

namespace {

class ObjectRegistryTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    RegisterProbeFactories({CT_RigidBody, CT_Transform, CT_Gun, CT_Light});
    system = new RecordingSystem();
    Engine::AddSystem(system);
  }

  std::shared_ptr<Object> MakeObject(std::initializer_list<ComponentType> types, const std::string& name = "Object") {
    auto object = factory().CreateGenericObject().lock();
    for (ComponentType type : types) factory().GiveObjectComponent(object, ProbeName(type));
    object->SetName(name);
    object->Initialize();
    return object;
  }

  static ObjectFactory& factory() { return Engine::mFactory; }

  static void TimeStep() { Engine::ImmediateMessage(std::make_shared<TimeUpdateMessage>(L"Test", 0.1f)); }

  RecordingSystem* system = nullptr;
};

TEST_F(ObjectRegistryTest, ObjectAndComponentIdsComeFromSeparateCountersThatNeverGoBack) {
  const std::uint32_t firstComponentId = ComponentFactory::mID;
  auto probe = factory().CreateComponent(ProbeName(CT_Gun));
  auto object = factory().CreateGenericObject().lock();
  EXPECT_EQ(probe->GetID(), firstComponentId);
  EXPECT_EQ(static_cast<Component&>(*object).GetID(), firstComponentId + 1);

  const std::uint32_t objectId = object->GetID();
  factory().DestroyAllObjects();
  auto next = factory().CreateGenericObject().lock();
  EXPECT_EQ(next->GetID(), objectId + 1);
  EXPECT_EQ(static_cast<Component&>(*next).GetID(), firstComponentId + 2);
  // Archetype parts consume component ids too.
  auto part = factory().GetComponentFactory(ProbeName(CT_Gun))->CreateArchetypeComponent();
  EXPECT_EQ(part->GetID(), firstComponentId + 3);
}

TEST_F(ObjectRegistryTest, NewObjectsAreNamedObjectAndAnnounced) {
  auto object = factory().CreateGenericObject().lock();
  EXPECT_EQ(object->GetName(), "Object");
  EXPECT_TRUE(object->GetComponents().empty());
  EXPECT_TRUE(object->GetComponent(CT_Transform).expired());
  Engine::BroadcastMessages();
  ASSERT_EQ(system->queued.size(), 1u);
  EXPECT_EQ(system->queued[0]->GetMessageId(), MT_CREATED_OBJECT);
  EXPECT_EQ(static_cast<const CreatedObjectMessage&>(*system->queued[0]).GetObjectID(), object->GetID());
}

TEST_F(ObjectRegistryTest, DestroyAnnouncesObjectThenComponentsInTypeOrderAndKeepsThemReadable) {
  auto object = MakeObject({CT_Light, CT_RigidBody, CT_Transform});
  const std::uint32_t id = object->GetID();
  Flush();
  system->queued.clear();

  std::weak_ptr<Object> heardObject;
  std::size_t componentsSeen = 0;
  Engine::RegisterListener(MT_DESTROYED_OBJECT, Callable(1, [&](const std::shared_ptr<Message>& message) {
                             auto& destroyed = static_cast<DestroyedObjectMessage&>(*message);
                             heardObject = destroyed.GetObjectPTR();
                             if (auto alive = heardObject.lock()) componentsSeen = alive->GetComponents().size();
                           }));
  object.reset();
  factory().Destroy(id);
  factory().Destroy(id);  // twice queues once
  EXPECT_TRUE(factory().GetObjectWithID(id).expired());

  Engine::BroadcastMessages();
  ASSERT_EQ(system->queued.size(), 4u);
  EXPECT_EQ(system->queued[0]->GetMessageId(), MT_DESTROYED_OBJECT);
  std::vector<ComponentType> order;
  for (std::size_t i = 1; i < 4; ++i) {
    ASSERT_EQ(system->queued[i]->GetMessageId(), MT_DESTROYED_COMPONENT);
    order.push_back(static_cast<const DestroyedComponentMessage&>(*system->queued[i]).GetComponentType());
  }
  EXPECT_EQ(order, (std::vector<ComponentType>{CT_RigidBody, CT_Transform, CT_Light}));
  EXPECT_EQ(componentsSeen, 3u);

  // Freed once the batch is released.
  system->queued.clear();
  Engine::BroadcastMessages();
  EXPECT_TRUE(heardObject.expired());
}

TEST_F(ObjectRegistryTest, DestroyedObjectsListenersAreNeverCalledAgain) {
  auto object = MakeObject({CT_Transform});
  auto probe = object->GetComponentAs<Probe>(CT_Transform);
  TimeStep();
  EXPECT_EQ(probe->timeUpdates, 1);
  object->Release();
  TimeStep();  // still alive in the queued message, but out of the game
  Flush();
  TimeStep();
  EXPECT_EQ(probe->timeUpdates, 1);
}

TEST_F(ObjectRegistryTest, ThousandCreateDestroyCyclesLeaveTheListenerTableBounded) {
  Engine::Release();  // no recorder: it would keep every destroyed part alive
  system = nullptr;
  const std::size_t before = Engine::ListenerCount();
  for (int i = 0; i < 1000; ++i) {
    auto object = MakeObject({CT_Transform, CT_Gun});
    object->Release();
    if (i % 10 == 0) Flush();
  }
  Flush();
  TimeStep();
  EXPECT_LE(Engine::ListenerCount(), before);
}

TEST_F(ObjectRegistryTest, ReplacingAComponentAnnouncesTheOldOneAndSilencesItUntilAnotherObjectTakesItIn) {
  auto object = MakeObject({CT_Transform});
  auto old = object->GetComponentAs<Probe>(CT_Transform);
  Flush();
  system->queued.clear();
  factory().GiveObjectComponent(object, ProbeName(CT_Transform));
  object->Initialize();
  Engine::BroadcastMessages();
  EXPECT_EQ(system->CountQueued(MT_DESTROYED_COMPONENT), 1u);
  EXPECT_EQ(system->CountQueued(MT_CREATED_COMPONENT), 1u);
  TimeStep();
  EXPECT_EQ(old->timeUpdates, 0);
  EXPECT_EQ(object->GetComponentAs<Probe>(CT_Transform)->timeUpdates, 1);

  // Taken in and started by another object it listens again: once for each
  // Initialize it has had, like any component.
  auto other = MakeObject({});
  other->AddComponent(old);
  other->Initialize();
  TimeStep();
  EXPECT_EQ(old->timeUpdates, 2);

  // Adding the very same component again still announces it as replaced.
  system->queued.clear();
  object->AddComponent(object->GetComponent(CT_Transform));
  Engine::BroadcastMessages();
  EXPECT_EQ(system->CountQueued(MT_DESTROYED_COMPONENT), 1u);
}

TEST_F(ObjectRegistryTest, InitializeVisitsComponentsInTypeOrderAndSetsParents) {
  std::vector<ComponentType> log;
  Probe::initializeLog = &log;
  auto object = factory().CreateGenericObject().lock();
  for (ComponentType type : {CT_Light, CT_Transform, CT_RigidBody})
    factory().GiveObjectComponent(object, ProbeName(type));
  object->Initialize();
  Probe::initializeLog = nullptr;
  EXPECT_EQ(log, (std::vector<ComponentType>{CT_RigidBody, CT_Transform, CT_Light}));
  EXPECT_EQ(object->GetComponent(CT_Light).lock()->GetParent().lock(), object);
}

TEST_F(ObjectRegistryTest, HandleMessageForwardsToEveryComponent) {
  auto object = MakeObject({CT_Transform, CT_Gun});
  object->HandleMessage(std::make_shared<Message>(L"Host", MT_BUTTON_TRIGGER));
  EXPECT_EQ(object->GetComponentAs<Probe>(CT_Transform)->handled.size(), 1u);
  EXPECT_EQ(object->GetComponentAs<Probe>(CT_Gun)->handled.size(), 1u);
}

TEST_F(ObjectRegistryTest, ArchetypesAreSilentAndTheirClonesAnnounced) {
  auto archetype = factory().CreateGenericArchetype(L"Crate").lock();
  ASSERT_TRUE(archetype);
  factory().GiveArchetypeComponent(L"Crate", ProbeName(CT_Transform));
  factory().GiveArchetypeComponent(archetype, ProbeName(CT_Gun));
  archetype->GetComponentAs<Probe>(CT_Gun)->value = 42;
  archetype->SetName("Crate");
  Engine::BroadcastMessages();
  EXPECT_TRUE(system->queued.empty());
  EXPECT_EQ(archetype->GetID(), 0u);
  EXPECT_EQ(archetype->GetComponent(CT_Gun).lock()->GetParent().lock(), archetype);

  auto clone = factory().CreateArchetypedObject(L"Crate").lock();
  ASSERT_TRUE(clone);
  EXPECT_EQ(clone->GetName(), "Object");
  EXPECT_TRUE(clone->GetArchetypeName().empty());
  EXPECT_EQ(clone->GetComponentAs<Probe>(CT_Gun)->value, 42);
  EXPECT_EQ(clone->GetComponentAs<Probe>(CT_Gun)->initializeCount, 1);
  EXPECT_EQ(clone->GetComponent(CT_Gun).lock()->GetParent().lock(), clone);
  Engine::BroadcastMessages();
  EXPECT_EQ(system->CountQueued(MT_CREATED_OBJECT), 1u);
  EXPECT_EQ(system->CountQueued(MT_CREATED_COMPONENT), 2u);
  // Archetype parts are never started.
  EXPECT_EQ(archetype->GetComponentAs<Probe>(CT_Gun)->initializeCount, 0);
}

TEST_F(ObjectRegistryTest, SecondArchetypeOfTheSameNameIsDroppedAndAddArchetypeReplaces) {
  auto first = factory().CreateGenericArchetype(L"Pod").lock();
  factory().GiveArchetypeComponent(L"Pod", ProbeName(CT_Gun));
  EXPECT_TRUE(factory().CreateGenericArchetype(L"Pod").expired());
  EXPECT_EQ(factory().GetArchetype(L"Pod").lock(), first);
  EXPECT_FALSE(first->GetComponent(CT_Gun).expired());

  auto live = MakeObject({CT_Transform});
  factory().AddArchetype(L"Pod", live);
  EXPECT_EQ(factory().GetArchetype(L"Pod").lock(), live);
  EXPECT_EQ(factory().GetObjectWithID(live->GetID()).lock(), live);  // stays live too
}

TEST_F(ObjectRegistryTest, NameLookupIsExactAndPrefersTheLowestId) {
  auto first = MakeObject({}, "Player1");
  auto second = MakeObject({}, "Player1");
  EXPECT_EQ(factory().GetObjectByName("Player1").lock(), first);
  EXPECT_TRUE(factory().GetObjectByName("player1").expired());
  first->Release();
  EXPECT_EQ(factory().GetObjectByName("Player1").lock(), second);
}

TEST_F(ObjectRegistryTest, BrokenRequestsFromAHostChangeNothing) {
  const std::size_t objects = factory().GetObjects().size();
  EXPECT_TRUE(factory().CreateArchetypedObject(L"Nope").expired());
  EXPECT_EQ(factory().CreateComponent(L"NoSuchComponent"), nullptr);
  EXPECT_TRUE(factory().GiveObjectComponent(123456u, ProbeName(CT_Gun)).expired());
  EXPECT_TRUE(factory().GiveObjectComponent(std::weak_ptr<Object>(), ProbeName(CT_Gun)).expired());
  EXPECT_TRUE(factory().GiveArchetypeComponent(L"Nope", ProbeName(CT_Gun)).expired());
  auto object = MakeObject({});
  EXPECT_TRUE(factory().GiveObjectComponent(object, L"NoSuchComponent").expired());
  factory().Destroy(std::weak_ptr<Object>());
  factory().Destroy(987654u);
  factory().AddArchetype(L"Ghost", std::weak_ptr<Object>());
  EXPECT_TRUE(factory().GetArchetype(L"Ghost").expired());
  EXPECT_EQ(factory().GetObjects().size(), objects + 1);
}

TEST_F(ObjectRegistryTest, DestroyByPointerIgnoresArchetypes) {
  auto archetype = factory().CreateGenericArchetype(L"Template").lock();
  factory().Destroy(archetype);
  Engine::BroadcastMessages();
  EXPECT_EQ(system->CountQueued(MT_DESTROYED_OBJECT), 0u);
  EXPECT_FALSE(factory().GetArchetype(L"Template").expired());
}

}  // namespace
