#include "support/TestComponents.h"

#include "meta/MetaOffset.h"
#include "objects/ComponentTypeFactory.h"
#include "objects/ObjectFactory.h"

META::MetaData Probe::meta_("Probe", sizeof(Probe));
std::vector<ComponentType>* Probe::initializeLog = nullptr;

void Probe::AddMeta() { META::AddMember<int>(meta_, "int", "value", META_OFFSET(Probe, value)); }

void Probe::Initialize() {
  ++initializeCount;
  if (initializeLog != nullptr) initializeLog->push_back(GetType());
  RegisterHandler(MT_TIME_UPDATE, &Probe::HandleTimeUpdate, 1);
}

void Probe::HandleMessage(const std::shared_ptr<Message>& message) { handled.push_back(message->GetMessageId()); }

void Probe::HandleTimeUpdate(const std::shared_ptr<Message>& /*message*/) { ++timeUpdates; }

std::shared_ptr<Component> Probe::CloneComponent() const {
  auto clone = std::static_pointer_cast<Probe>(Engine::mFactory.CreateComponent(ProbeName(GetType())));
  if (!clone) return nullptr;
  clone->value = value;
  return clone;
}

std::wstring ProbeName(ComponentType type) { return L"Probe" + std::to_wstring(static_cast<int>(type)); }

void RegisterProbeFactories(std::initializer_list<ComponentType> types) {
  for (ComponentType type : types) {
    Engine::mFactory.AddComponentFactory(ProbeName(type), std::make_shared<ComponentTypeFactory<Probe>>(type));
  }
}
