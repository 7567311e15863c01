// The registry's notices as a host system receives them at the broadcast.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/ObjectMessages.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "support/EngineFixture.h"

namespace {

class ObjectMessagesTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    system = new RecordingSystem();
    Engine::AddSystem(system);
  }

  // Broadcasts, then returns the messages of one class received in that batch.
  template <class T>
  std::vector<std::shared_ptr<const T>> Broadcast(MessageType type) {
    system->queued.clear();
    Engine::BroadcastMessages();
    std::vector<std::shared_ptr<const T>> found;
    for (const auto& message : system->queued) {
      if (message->GetMessageId() == type) found.push_back(std::static_pointer_cast<const T>(message));
    }
    return found;
  }

  // Lets go of everything the host and the bus still hold.
  void DropAllBatches() {
    Flush();
    system->queued.clear();
  }

  RecordingSystem* system = nullptr;
};

TEST_F(ObjectMessagesTest, CreationNoticesCarryTheIdsAndReadZeroOnceTheObjectIsFreed) {
  std::weak_ptr<Object> watch = Engine::mFactory.CreateGenericObject();
  const std::shared_ptr<Object> second = Engine::mFactory.CreateGenericObject().lock();
  const ObjectID first = watch.lock()->GetID();
  const auto created = Broadcast<CreatedObjectMessage>(MT_CREATED_OBJECT);
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(created[0]->GetSender(), L"Core");
  EXPECT_NE(first, second->GetID());
  EXPECT_EQ(created[0]->GetObjectID(), first);
  EXPECT_EQ(created[1]->GetObjectID(), second->GetID());
  EXPECT_EQ(created[1]->GetObjectPTR().lock(), second);

  Engine::mFactory.Destroy(first);
  DropAllBatches();
  EXPECT_TRUE(watch.expired());  // the destruction notice did not leak it
  EXPECT_TRUE(created[0]->GetObjectPTR().expired());
  EXPECT_EQ(created[0]->GetObjectID(), 0u);
}

TEST_F(ObjectMessagesTest, DestructionNoticeKeepsTheObjectReadableUntilTheLastHolderLetsGo) {
  std::weak_ptr<Object> watch = Engine::mFactory.CreateGenericObject();
  watch.lock()->SetName("Door");
  const ObjectID id = watch.lock()->GetID();
  DropAllBatches();

  Engine::mFactory.Destroy(id);
  EXPECT_TRUE(Engine::mFactory.GetObjectWithID(id).expired());  // out of the registry at once
  const auto destroyed = Broadcast<DestroyedObjectMessage>(MT_DESTROYED_OBJECT);
  ASSERT_EQ(destroyed.size(), 1u);
  const std::shared_ptr<const DestroyedObjectMessage> notice = destroyed[0];
  EXPECT_EQ(notice->GetObjectID(), id);
  ASSERT_FALSE(notice->GetObjectPTR().expired()) << "the destroyed object is gone before the end of the frame";
  EXPECT_EQ(notice->GetObjectPTR().lock()->GetName(), "Door");

  // The bus and the host let go; only our copy of the notice holds it now.
  DropAllBatches();
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(notice->GetObjectID(), id);
}

TEST_F(ObjectMessagesTest, ComponentNoticesKeepTheTypeReadWhenTheyWereMade) {
  std::weak_ptr<Component> watch;
  ObjectID id = 0;
  {
    const std::shared_ptr<Object> object = Engine::mFactory.CreateGenericObject().lock();
    id = object->GetID();
    watch = Engine::mFactory.GiveObjectComponent(object, L"Transform");
  }
  const auto created = Broadcast<CreatedComponentMessage>(MT_CREATED_COMPONENT);
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0]->GetComponentType(), CT_Transform);
  EXPECT_EQ(created[0]->GetComponentPTR().lock(), watch.lock());

  Engine::mFactory.Destroy(id);
  auto destroyed = Broadcast<DestroyedComponentMessage>(MT_DESTROYED_COMPONENT);
  ASSERT_EQ(destroyed.size(), 1u);
  EXPECT_EQ(destroyed[0]->GetComponentType(), CT_Transform);

  DropAllBatches();
  EXPECT_FALSE(watch.expired());  // our copy of the notice still holds it
  destroyed.clear();
  EXPECT_TRUE(watch.expired());
  // The creation notice outlives the component and still says what it was.
  EXPECT_EQ(created[0]->GetComponentType(), CT_Transform);
  EXPECT_TRUE(created[0]->GetComponentPTR().expired());
}

}  // namespace
