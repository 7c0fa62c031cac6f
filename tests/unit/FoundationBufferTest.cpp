#include <gtest/gtest.h>

#include <string>

#include "foundation/CDynBuffer.h"

namespace {

TEST(FoundationBuffer, AllocateGivesZeroFilledEmptyStorage) {
    CDynBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(64));
    EXPECT_EQ(buffer.Capacity(), 64);
    EXPECT_EQ(buffer.Length(), 0);
    for (int64_t i = 0; i < buffer.Capacity(); ++i) {
        ASSERT_EQ(buffer.Data()[i], 0) << i;
    }

    // A second Allocate releases the first storage (a leak shows under LeakSanitizer).
    buffer.Assign("abc", 3);
    ASSERT_TRUE(buffer.Allocate(8));
    EXPECT_EQ(buffer.Capacity(), 8);
    EXPECT_EQ(buffer.Length(), 0);
    EXPECT_EQ(buffer.Data()[0], 0);

    EXPECT_FALSE(buffer.Allocate(-1));
    EXPECT_EQ(buffer.Data(), nullptr);
    EXPECT_EQ(buffer.Capacity(), 0);
    EXPECT_EQ(buffer.Append("x", 1), 0);
}

TEST(FoundationBuffer, WritersDropWhatDoesNotFit) {
    CDynBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(8));
    EXPECT_EQ(buffer.Append("abcde", 5), 5);
    EXPECT_EQ(buffer.Append("fghij", 5), 3);
    EXPECT_EQ(buffer.View(), "abcdefgh");
    EXPECT_EQ(buffer.Free(), 0);
    EXPECT_EQ(buffer.Append("z", 1), 0);

    EXPECT_EQ(buffer.Assign("0123456789", 10), 8);
    EXPECT_EQ(buffer.View(), "01234567");
    EXPECT_EQ(buffer.Assign(nullptr, 4), 0);
    EXPECT_EQ(buffer.Length(), 0);
    EXPECT_EQ(buffer.Append("x", -3), 0);

    // Assigning a part of its own contents.
    buffer.Assign("abcdefgh", 8);
    EXPECT_EQ(buffer.Assign(buffer.Data() + 2, 5), 5);
    EXPECT_EQ(buffer.View(), "cdefg");
}

TEST(FoundationBuffer, ConsumeAndSetLength) {
    CDynBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(16));
    buffer.Assign("frame1frame2", 12);
    buffer.Consume(6);
    EXPECT_EQ(buffer.View(), "frame2");
    buffer.Consume(0);
    buffer.Consume(-5);
    EXPECT_EQ(buffer.View(), "frame2");
    buffer.Consume(100);
    EXPECT_EQ(buffer.Length(), 0);

    buffer.SetLength(40);
    EXPECT_EQ(buffer.Length(), 16);
    buffer.SetLength(-1);
    EXPECT_EQ(buffer.Length(), 0);
    buffer.SetLength(5);
    EXPECT_EQ(buffer.Length(), 5);

    buffer.Destroy();
    EXPECT_EQ(buffer.Data(), nullptr);
    EXPECT_EQ(buffer.Capacity(), 0);
    EXPECT_EQ(buffer.Length(), 0);
    buffer.Consume(3);
    buffer.Destroy();
}

}  // namespace
