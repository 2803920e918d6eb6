#include "core/UniqueHandle.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

std::vector<int> Closed;

struct FakeTraits {
  using Type = int;
  static Type Invalid() { return -1; }
  static void Close(Type h) { Closed.push_back(h); }
};
using FakeHandle = UniqueHandle<FakeTraits>;

TEST(UniqueHandle, ClosesEachHandleExactlyOnce) {
  Closed.clear();
  {
    FakeHandle a(3);
    FakeHandle b(std::move(a));
    EXPECT_FALSE(a);
    FakeHandle c(5);
    c = std::move(b); // 5 closed now, 3 moves on
    EXPECT_EQ(Closed, std::vector<int>{5});
    c = std::move(c); // self-move keeps it
    EXPECT_EQ(c.Get(), 3);
    *c.Receive() = 7; // 3 closed before the call fills it
    EXPECT_EQ(Closed, (std::vector<int>{5, 3}));
    FakeHandle none;
  }
  EXPECT_EQ(Closed, (std::vector<int>{5, 3, 7}));
}

TEST(UniqueHandle, ReleaseGivesUpOwnership) {
  Closed.clear();
  {
    FakeHandle a(9);
    EXPECT_EQ(a.Release(), 9);
    EXPECT_FALSE(a);
  }
  EXPECT_TRUE(Closed.empty());
}

} // namespace
} // namespace qv
