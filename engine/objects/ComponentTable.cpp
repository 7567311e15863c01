// The component-type table: one row per component class, in the order in
// which start-up makes and registers the factories (type number order, the
// behaviors last in behavior-kind order). Constructing a factory registers
// its class's reflection record.
#include "objects/ComponentTable.h"

#include <memory>

#include "behaviors/ColorChangeBehavior.h"
#include "behaviors/FlickerBehavior.h"
#include "behaviors/FollowTargetBehavior.h"
#include "behaviors/PauseBehavior.h"
#include "behaviors/ScaleBehavior.h"
#include "behaviors/TimedTextureChangeBehavior.h"
#include "components/Camera.h"
#include "components/Collider.h"
#include "components/Debug.h"
#include "components/Light.h"
#include "components/Renderable.h"
#include "components/RigidBody.h"
#include "components/Transform.h"
#include "gameplay/DamageDealer.h"
#include "gameplay/DoorComponent.h"
#include "gameplay/EscapePod.h"
#include "gameplay/Gun.h"
#include "gameplay/InteractorComponent.h"
#include "gameplay/LevelRuleset.h"
#include "gameplay/LifeTime.h"
#include "gameplay/Owner.h"
#include "gameplay/PickupComponent.h"
#include "gameplay/PlayerStats.h"
#include "gameplay/PressurePlate.h"
#include "gameplay/RoomComponent.h"
#include "gameplay/Spawner.h"
#include "gameplay/StatModifier.h"
#include "input/Controller.h"
#include "objects/BehaviorTypeFactory.h"
#include "objects/ComponentTypeFactory.h"
#include "objects/GroupComponent.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"

namespace {

template <class T>
void Add(ObjectFactory& factory, const wchar_t* name, ComponentType type) {
  factory.AddComponentFactory(name, std::make_shared<ComponentTypeFactory<T>>(type));
}

// Every behavior is component type 24; the factory stamps its kind.
template <class T>
void AddBehavior(ObjectFactory& factory, const wchar_t* name, BehaviorType kind) {
  factory.AddComponentFactory(name, std::make_shared<BehaviorTypeFactory<Behavior, T>>(CT_Behavior, kind));
}

}  // namespace

void RegisterComponentFactories(ObjectFactory& factory) {
  Add<Object>(factory, L"Object", CT_Object);
  Add<Renderable>(factory, L"Renderable", CT_Renderable);
  Add<RigidBody>(factory, L"RigidBody", CT_RigidBody);
  Add<Collider>(factory, L"Collider", CT_Collider);
  Add<Transform>(factory, L"Transform", CT_Transform);
  Add<Controller>(factory, L"Controller", CT_Controller);
  Add<PlayerStats>(factory, L"PlayerStats", CT_PlayerStats);
  Add<Gun>(factory, L"Gun", CT_Gun);
  Add<Debug>(factory, L"Debug", CT_Debug);
  Add<Owner>(factory, L"Owner", CT_Owner);
  Add<Camera>(factory, L"Camera", CT_Camera);
  Add<LifeTime>(factory, L"LifeTime", CT_LifeTime);
  Add<StatModifier>(factory, L"StatModifier", CT_StatModifier);
  Add<Spawner>(factory, L"Spawner", CT_Spawner);
  Add<LevelRuleset>(factory, L"LevelRuleset", CT_LevelRuleset);
  Add<DamageDealer>(factory, L"DamageDealer", CT_DamageDealer);
  Add<GroupComponent>(factory, L"GroupComponent", CT_GroupComponent);
  Add<InteractorComponent>(factory, L"InteractorComponent", CT_InteractorComponent);
  Add<DoorComponent>(factory, L"DoorComponent", CT_DoorComponent);
  Add<RoomComponent>(factory, L"RoomComponent", CT_RoomComponent);
  Add<Light>(factory, L"Light", CT_Light);
  Add<PickupComponent>(factory, L"PickupComponent", CT_PickupComponent);
  Add<PressurePlate>(factory, L"PressurePlate", CT_PressurePlate);
  Add<EscapePod>(factory, L"EscapePod", CT_EscapePod);
  AddBehavior<FollowTargetBehavior>(factory, L"FollowTargetBehavior", BT_FollowTarget);
  AddBehavior<ScaleBehavior>(factory, L"ScaleBehavior", BT_Scale);
  AddBehavior<ColorChangeBehavior>(factory, L"ColorChangeBehavior", BT_ColorChange);
  AddBehavior<PauseBehavior>(factory, L"PauseBehavior", BT_Pause);
  AddBehavior<FlickerBehavior>(factory, L"FlickerBehavior", BT_Flicker);
  AddBehavior<TimedTextureChangeBehavior>(factory, L"TimedTextureChangeBehavior", BT_TimedTextureChange);
}
