#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/Engine.h"
#include "core/Message.h"
#include "meta/MetaData.h"
#include "objects/Component.h"

// A component made only for tests: it counts the time updates it hears and
// records its Initialize calls. Registered under the name "Probe" by
// RegisterProbeFactory (the type number it reports is the caller's choice).
class Probe : public Component {
 public:
  Probe() = default;
  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override { return meta_; }
  static void AddMeta();
  static META::MetaData meta_;

  void HandleTimeUpdate(const std::shared_ptr<Message>& message);

  int value = 0;
  int initializeCount = 0;
  int timeUpdates = 0;
  std::vector<MessageType> handled;
  // Every Initialize of any Probe appends its type here, to check the order.
  static std::vector<ComponentType>* initializeLog;
};

// Registers Probe factories under "Probe<type number>" (e.g. L"Probe2") for the
// given types, so one object can hold several probes.
void RegisterProbeFactories(std::initializer_list<ComponentType> types);
std::wstring ProbeName(ComponentType type);
