#include "meta/Member.h"

namespace META {

Member::Member(const char* name, const char* /*typeName*/, std::uint32_t offset, const MetaData* data)
    : mName(name), mOffset(offset), mData(data) {}

}  // namespace META
