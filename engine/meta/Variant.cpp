#include "meta/Variant.h"

#include <cstring>

#include "meta/MetaData.h"

Variant::Variant(const Variant& other) : mMeta(other.mMeta), mData(other.mData) {
  if (other.mOwned != nullptr && mMeta != nullptr) {
    mOwned = mMeta->CopyThis(other.mData);
    mData = mOwned.get();
  }
}

Variant::Variant(Variant&& other) noexcept : mMeta(other.mMeta), mData(other.mData), mOwned(std::move(other.mOwned)) {
  other.mMeta = nullptr;
  other.mData = nullptr;
}

Variant& Variant::operator=(const Variant& other) {
  if (this == &other || mMeta == nullptr) return *this;
  if (mMeta->Is_A(other.mMeta)) {
    // The target's size: a source of a base record must hold a whole target.
    if (mData != nullptr && other.mData != nullptr && mData != other.mData) {
      std::memmove(mData, other.mData, mMeta->Size());
    }
    return *this;
  }
  // Copy before letting go of our own value: the source may point into it.
  std::unique_ptr<std::byte[]> copy;
  if (other.mMeta != nullptr) copy = other.mMeta->CopyThis(other.mData);
  mMeta = other.mMeta;
  mOwned = std::move(copy);
  mData = mOwned.get();
  return *this;
}

std::ostream& Variant::Serialize(std::ostream& stream) const {
  // A plain view, so a writer that fixes the value up (NaN floats) fixes this one.
  if (mMeta != nullptr) mMeta->Serialize(stream, Variant(mMeta, mData), 0);
  return stream;
}
