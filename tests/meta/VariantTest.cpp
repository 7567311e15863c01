#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "MetaTestTypes.h"
#include "meta/MetaData.h"
#include "meta/Variant.h"

namespace {

using META::MetaData;
using META::MetaManager;

float FloatAt(const Variant& value) { return *static_cast<const float*>(value.GetData()); }

// Run under ASan/LSan these also catch a copy freed twice or never freed.
class VariantAssignment : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestRecords();
    mFloat = MetaManager::Get("float");
    mInt = MetaManager::Get("int");
  }
  const MetaData* mFloat = nullptr;
  const MetaData* mInt = nullptr;
};

TEST_F(VariantAssignment, ATargetOfTheSourcesTypeTakesTheValueIntoItsOwnStorage) {
  float target = 1.0f;
  float source = 2.5f;
  Variant view(mFloat, &target);
  view = Variant(mFloat, &source);
  EXPECT_EQ(target, 2.5f);
  EXPECT_EQ(view.GetData(), &target);
  EXPECT_FALSE(view.OwnsData());

  // A derived target takes as many bytes as its own record's size.
  MetaData base("TestVariantBase", 4);
  MetaData derived("TestVariantDerived", 8, &base);
  std::array<std::uint32_t, 2> wide{1, 2};
  const std::array<std::uint32_t, 2> whole{9, 8};
  Variant derivedView(&derived, wide.data());
  derivedView = Variant(&base, const_cast<std::uint32_t*>(whole.data()));
  EXPECT_EQ(wide, whole);

  // A record-less target stays empty whatever it is given.
  Variant empty;
  empty = Variant(mFloat, &source);
  EXPECT_EQ(empty.GetMeta(), nullptr);
  EXPECT_EQ(empty.GetData(), nullptr);
}

TEST_F(VariantAssignment, AnotherTypeLeavesTheTargetOwningItsOwnCopy) {
  float number = 1.5f;
  std::int32_t counter = 7;
  Variant value(mInt, &counter);
  value = Variant(mFloat, &number);
  EXPECT_EQ(value.GetMeta(), mFloat);
  ASSERT_TRUE(value.OwnsData());
  number = 9.0f;
  EXPECT_EQ(FloatAt(value), 1.5f);
  EXPECT_EQ(counter, 7);

  // Copies own separate copies.
  Variant copy(value);
  ASSERT_TRUE(copy.OwnsData());
  EXPECT_NE(copy.GetData(), value.GetData());
  *static_cast<float*>(copy.GetData()) = 3.0f;
  EXPECT_EQ(FloatAt(value), 1.5f);

  // Same type now: written into the owned copy, which is kept.
  float other = 4.0f;
  value = Variant(mFloat, &other);
  EXPECT_TRUE(value.OwnsData());
  EXPECT_EQ(FloatAt(value), 4.0f);

  // Another type again: the first copy is freed, a new one taken, even from
  // a view of the copy being replaced.
  value = Variant(mInt, value.GetData());
  EXPECT_EQ(value.GetMeta(), mInt);
  EXPECT_TRUE(value.OwnsData());
  value = value;
  EXPECT_EQ(value.GetMeta(), mInt);

  // A source without a record empties the target.
  value = Variant();
  EXPECT_EQ(value.GetData(), nullptr);
  EXPECT_FALSE(value.OwnsData());

  Variant moved(std::move(copy));
  EXPECT_TRUE(moved.OwnsData());
  EXPECT_EQ(FloatAt(moved), 3.0f);
  EXPECT_EQ(copy.GetData(), nullptr);  // NOLINT(bugprone-use-after-move): moved-from state is defined
}

}  // namespace
