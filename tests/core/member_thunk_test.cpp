// MemberThunk: the plain function every (routine, object) pair of the toolkit
// and the elements is made from.

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "toolkit/member_thunk.h"

namespace lobrin {
namespace {

struct Counter {
  virtual ~Counter() = default;
  virtual void Step(int& total, int by) { total += by; }
  std::string name = "counter";
  std::string& Name() { return name; }
};

struct BackwardCounter : Counter {
  void Step(int& total, int by) override { total -= by; }
};

TEST(MemberThunk, ReachesTheOverrideAndPassesReferencesThrough) {
  const struct {
    bool backward;
    int expected;
  } rows[] = {{false, 13}, {true, 7}};
  for (const auto& row : rows) {
    Counter forward;
    BackwardCounter backward;
    Counter* object = row.backward ? &backward : &forward;
    int total = 10;
    MemberThunk<&Counter::Step>(object, total, 3);
    EXPECT_EQ(total, row.expected) << (row.backward ? "override" : "base");
  }
}

TEST(MemberThunk, ReturnsWhatTheMemberReturnsReferencesIncluded) {
  Counter counter;
  MemberThunk<&Counter::Name>(&counter) = "renamed";
  EXPECT_EQ(counter.name, "renamed");
  static_assert(std::is_same_v<MemberThunkType<&Counter::Name>, std::string&(void*)>);
}

}  // namespace
}  // namespace lobrin
