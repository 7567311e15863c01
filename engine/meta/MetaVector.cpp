#include "meta/MetaVector.h"

#include <algorithm>

#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

static_assert(sizeof(std::unique_ptr<ObjectID[]>) == sizeof(ObjectID*), "m_array must be pointer-sized");

META::MetaData MetaVector::meta_("MetaVector", sizeof(MetaVector), nullptr, false, &META::WriteBlock, &META::ReadBlock);

MetaVector::MetaVector(const std::vector<ObjectID>& ids)
    : m_array(std::make_unique<ObjectID[]>(ids.size())),
      m_size(static_cast<std::uint32_t>(ids.size())),
      m_capacity(static_cast<std::uint32_t>(ids.capacity())) {
  std::copy(ids.begin(), ids.end(), m_array.get());
}

void MetaVector::AddMeta() {
  META::AddMember<std::unique_ptr<ObjectID[]>>(meta_, "ObjectID*", "m_array", META_OFFSET(MetaVector, m_array));
  META::AddMember<std::uint32_t>(meta_, "unsigned", "m_size", META_OFFSET(MetaVector, m_size));
  META::AddMember<std::uint32_t>(meta_, "unsigned", "m_capacity", META_OFFSET(MetaVector, m_capacity));
}
