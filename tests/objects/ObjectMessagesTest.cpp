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

  // The messages of one class the host has received so far, in order.
  template <class T>
  std::vector<std::shared_ptr<const T>> Received(MessageType type) const {
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

TEST_F(ObjectMessagesTest, CreationNoticeReportsTheIdTheRegistryGaveAfterQueuingIt) {
  const std::shared_ptr<Object> first = Engine::mFactory.CreateGenericObject().lock();
  const std::shared_ptr<Object> second = Engine::mFactory.CreateGenericObject().lock();
  ASSERT_TRUE(first && second);
  Engine::BroadcastMessages();

  const auto created = Received<CreatedObjectMessage>(MT_CREATED_OBJECT);
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(created[0]->GetSender(), L"Core");
  EXPECT_NE(first->GetID(), second->GetID());
  EXPECT_EQ(created[0]->GetObjectID(), first->GetID());
  EXPECT_EQ(created[1]->GetObjectID(), second->GetID());
  EXPECT_EQ(created[1]->GetObjectPTR().lock(), second);
}

TEST_F(ObjectMessagesTest, DestructionNoticeKeepsTheObjectReadableUntilTheLastHolderLetsGo) {
  ObjectID id = 0;
  std::weak_ptr<Object> watch;
  {
    const std::shared_ptr<Object> object = Engine::mFactory.CreateGenericObject().lock();
    ASSERT_TRUE(object);
    object->SetName("Door");
    id = object->GetID();
    watch = object;
  }
  DropAllBatches();

  Engine::mFactory.Destroy(id);
  EXPECT_TRUE(Engine::mFactory.GetObjectWithID(id).expired());  // out of the registry at once
  Engine::BroadcastMessages();

  const auto destroyed = Received<DestroyedObjectMessage>(MT_DESTROYED_OBJECT);
  ASSERT_EQ(destroyed.size(), 1u);
  const std::shared_ptr<const DestroyedObjectMessage> notice = destroyed[0];
  EXPECT_EQ(notice->GetObjectID(), id);
  if (const std::shared_ptr<Object> readable = notice->GetObjectPTR().lock()) {
    EXPECT_EQ(readable->GetName(), "Door");
  } else {
    ADD_FAILURE() << "the destroyed object is gone before the end of the frame";
  }

  // The bus and the host let go; only our copy of the notice holds it now.
  DropAllBatches();
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(notice->GetObjectID(), id);
}

TEST_F(ObjectMessagesTest, ObjectIsFreedOnceNoNoticeHoldsItAndCreationNoticeThenReadsZero) {
  std::shared_ptr<const CreatedObjectMessage> created;
  std::weak_ptr<Object> watch;
  {
    const std::shared_ptr<Object> object = Engine::mFactory.CreateGenericObject().lock();
    ASSERT_TRUE(object);
    watch = object;
  }
  Engine::BroadcastMessages();
  const auto notices = Received<CreatedObjectMessage>(MT_CREATED_OBJECT);
  ASSERT_EQ(notices.size(), 1u);
  created = notices[0];
  const ObjectID id = created->GetObjectID();

  Engine::mFactory.Destroy(id);
  DropAllBatches();

  EXPECT_TRUE(watch.expired());  // the destruction notice did not leak it
  EXPECT_TRUE(created->GetObjectPTR().expired());
  EXPECT_EQ(created->GetObjectID(), 0u);
}

TEST_F(ObjectMessagesTest, ComponentNoticesKeepTheTypeReadWhenTheyWereMade) {
  std::weak_ptr<Component> watch;
  ObjectID id = 0;
  {
    const std::shared_ptr<Object> object = Engine::mFactory.CreateGenericObject().lock();
    ASSERT_TRUE(object);
    id = object->GetID();
    watch = Engine::mFactory.GiveObjectComponent(object, L"Transform");
  }
  Engine::BroadcastMessages();
  const auto created = Received<CreatedComponentMessage>(MT_CREATED_COMPONENT);
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0]->GetComponentType(), CT_Transform);
  EXPECT_EQ(created[0]->GetComponentPTR().lock(), watch.lock());

  Engine::mFactory.Destroy(id);
  system->queued.clear();
  Engine::BroadcastMessages();
  std::shared_ptr<const DestroyedComponentMessage> notice;
  {
    const auto destroyed = Received<DestroyedComponentMessage>(MT_DESTROYED_COMPONENT);
    ASSERT_EQ(destroyed.size(), 1u);
    notice = destroyed[0];
  }
  EXPECT_EQ(notice->GetComponentType(), CT_Transform);

  DropAllBatches();
  EXPECT_FALSE(watch.expired());  // our copy of the notice still holds it
  EXPECT_FALSE(notice->GetComponentPTR().expired());
  notice.reset();
  EXPECT_TRUE(watch.expired());
  // The creation notice outlives the component and still says what it was.
  EXPECT_EQ(created[0]->GetComponentType(), CT_Transform);
  EXPECT_TRUE(created[0]->GetComponentPTR().expired());
}

}  // namespace
