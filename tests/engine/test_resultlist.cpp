#include "errors.h"
#include "resultlist.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultList, OneBasedPositionsChecked) {
    vorlan::ResultList list;
    EXPECT_THROW(list.Item(1), vorlan::SubscriptOutOfRangeError);
    list.Add(9);
    list.Add(12);
    list.Add(40);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(1), 9);
    EXPECT_EQ(list.Item(3), 40);
    EXPECT_THROW(list.Item(0), vorlan::SubscriptOutOfRangeError);
    EXPECT_THROW(list.Item(4), vorlan::SubscriptOutOfRangeError);
    list.Remove(2);
    EXPECT_EQ(list.values(), (std::vector<int32_t>{9, 40}));
    EXPECT_THROW(list.Remove(3), vorlan::SubscriptOutOfRangeError);
}

} // namespace
