#pragma once
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Export.h"

namespace META {

class MetaData;

// The process-wide table of type records by name. Static class records are
// only referred to; records made on the heap (AddMember, start-up) are owned.
class TW_API MetaManager {
 public:
  using MetaMap = std::unordered_map<std::string, const MetaData*>;

  MetaManager() = delete;

  // The record registered under `name`, or nullptr.
  [[nodiscard]] static const MetaData* Get(const std::string& name);
  // Registers the record under its type name; the first record of a name wins.
  static void RegisterMeta(MetaData* record);
  // Takes ownership of a heap record: it is registered when its name is free,
  // otherwise destroyed. Returns the record now registered under the name.
  static const MetaData* Adopt(std::unique_ptr<MetaData> record);
  [[nodiscard]] static const MetaMap& GetMap();
  // Empties the registry and destroys the records it owns. Every record that
  // survives (static class records, copies) drops the members whose type
  // record was destroyed, so none is left pointing at freed memory;
  // RegisterBasicTypes and the AddMeta functions build everything again.
  static void Clear();

 private:
  friend class MetaData;
  struct Registry;

  // Function-local static, so records registering while the library loads
  // find it constructed whatever their order.
  static Registry& Metas();
  // Every record, registered or not, is known from construction to
  // destruction, so Clear can reach the ones whose members it must trim
  // and the table never points at a destroyed record.
  static void Track(MetaData* record);
  static void Forget(MetaData* record);
};

}  // namespace META
