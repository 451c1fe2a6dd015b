#include "link/Queue.h"

#include <gtest/gtest.h>

TEST(CQueue, holdsExactly4095BytesInOrder) {
    CQueue queue;
    EXPECT_EQ(queue.Get(), 0);
    for (int i = 0; i < CQueue::kCapacity; ++i)
        ASSERT_EQ(queue.Put(static_cast<std::uint8_t>(i)), 1);
    EXPECT_EQ(queue.Count(), 4095);
    EXPECT_EQ(queue.Put(0xAA), 0);
    EXPECT_EQ(queue.Peek(1), 1);
    EXPECT_EQ(queue.Get(), 0);
    EXPECT_EQ(queue.Get(), 1);
    EXPECT_EQ(queue.Count(), 4093);
}

TEST(CQueue, wrapsAroundAndClearEmptiesIt) {
    CQueue queue;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 3000; ++i)
            queue.Put(static_cast<std::uint8_t>(i));
        for (int i = 0; i < 3000; ++i)
            ASSERT_EQ(queue.Get(), static_cast<std::uint8_t>(i));
    }
    queue.Put(7);
    queue.Clear();
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_EQ(queue.Get(), 0);
}
