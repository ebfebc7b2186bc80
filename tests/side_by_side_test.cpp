// Two tasks side by side on a helper thread that the object owns: both run
// every time, exceptions come back to the caller, nested calls and objects
// made and destroyed in quick succession neither hang nor lose work.
#include "finder/side_by_side.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tilvan {
namespace {

TEST(SideBySide, RunsBothTasksBeforeReturning) {
  SideBySide helper;
  for (int round = 0; round < 500; ++round) {
    std::vector<int> out(2, 0);
    // Uneven tasks: sometimes the helper is still waking when the first ends.
    helper.run([&] { out[0] = round; },
               [&] {
                 volatile int spin = 0;
                 for (int i = 0; i < round * 10; ++i) spin = spin + i;
                 out[1] = round + 1;
               });
    ASSERT_EQ(out[0], round);
    ASSERT_EQ(out[1], round + 1);
  }
}

TEST(SideBySide, GivesBackTheExceptionOfEitherTaskTheFirstsWhenBothThrow) {
  SideBySide helper;
  auto fail = [](const char* what) { return [what] { throw std::runtime_error(what); }; };
  for (int round = 0; round < 50; ++round) {
    bool secondRan = false;
    EXPECT_THROW(helper.run(fail("first"), [&] { secondRan = true; }), std::runtime_error);
    EXPECT_TRUE(secondRan);
    try {
      helper.run([] {}, fail("second"));
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), "second");
    }
    try {
      helper.run(fail("first"), fail("second"));
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), "first");
    }
  }
  // Still usable afterwards.
  int sum = 0;
  helper.run([&] { sum += 1; }, [&] { sum += 2; });
  EXPECT_EQ(sum, 3);
}

TEST(SideBySide, ACallFromInsideATaskStillRunsBoth) {
  SideBySide helper;
  std::atomic<int> count{0};
  for (int round = 0; round < 100; ++round)
    helper.run([&] { ++count; }, [&] { helper.run([&] { ++count; }, [&] { ++count; }); });
  EXPECT_EQ(count.load(), 300);
}

TEST(SideBySide, ObjectsMadeAndDestroyedInQuickSuccession) {
  int total = 0;
  for (int round = 0; round < 100; ++round) {
    auto helper = std::make_unique<SideBySide>();
    int a = 0, b = 0;
    if (round % 2) helper->run([&] { a = 1; }, [&] { b = 2; });
    helper.reset();
    total += a + b;
  }
  EXPECT_EQ(total, 150);
}

}  // namespace
}  // namespace tilvan
