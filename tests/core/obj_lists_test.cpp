// Toolkit objects: deferred destruction and its order; pointer and string lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/lists.h"
#include "toolkit/obj.h"

namespace lobrin {
namespace {

using Log = std::vector<std::string>;

// Records the steps of its own destruction into a shared log.
class ProbeObj : public TObj {
 public:
  explicit ProbeObj(Log* log) : log_(log) {}

 protected:
  ~ProbeObj() override { log_->push_back("subclass"); }
  void BeforeDestroy() override { log_->push_back("before"); }

 private:
  Log* log_;
};

TEST(TObj, DestructionRunsEventThenAutoFreeInOrderThenSubclass) {
  Log log;
  auto* obj = new ProbeObj(&log);
  std::pair<Log*, std::string> first{&log, "auto 1"}, second{&log, "auto 2"};
  obj->SetOnDestroy(
      [](void* data, TObj* object) {
        auto* log = static_cast<Log*>(data);
        log->push_back(object->DestructionUnderWay() ? "event(under way)" : "event");
        if (object->OnDestroyProc() != nullptr) {
          log->push_back("event still set");  // forgotten before it runs
        }
      },
      &log);
  for (auto* step : {&first, &second}) {
    obj->AddAutoFree(
        [](void* s) {
          auto* step = static_cast<std::pair<Log*, std::string>*>(s);
          step->first->push_back(step->second);
        },
        step);
  }
  obj->Free();
  EXPECT_EQ(log, (Log{"before", "event(under way)", "auto 1", "auto 2", "subclass"}));
}

TEST(TObj, FreeWhileReferencedWaitsForTheLastReleaseAndDestroysOnce) {
  int events = 0;
  Log log;
  auto* obj = new ProbeObj(&log);
  obj->SetOnDestroy(
      [](void* count, TObj* object) {
        ++*static_cast<int*>(count);
        object->AddRef();  // references taken during destruction destroy nothing twice
        object->Release();
        object->Free();
      },
      &events);
  obj->AddRef();
  obj->AddRef();
  obj->Free();
  EXPECT_TRUE(obj->DestructionRequested());
  obj->Free();  // requested once only
  obj->Release();
  EXPECT_TRUE(log.empty());
  obj->Release();
  EXPECT_EQ(events, 1);
  EXPECT_EQ(log, (Log{"before", "subclass"}));
}

int slot[8];

// The items of a pointer or string list, in order.
template <class List>
auto Items(const List& list) {
  std::vector<decltype(list.Get(0))> items;
  items.reserve(static_cast<std::size_t>(list.Count()));
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    items.push_back(list.Get(i));
  }
  return items;
}

TEST(TList, EditsOutsideTheListAreClampedOrIgnored) {
  // expected: the slot numbers left of 0..4.
  const struct {
    const char* name;
    void (*edit)(TList*);
    std::vector<int> expected;
  } rows[] = {
      {"insert in middle", [](TList* l) { l->Insert(2, &slot[7]); }, {0, 1, 7, 2, 3, 4}},
      {"insert past end appends", [](TList* l) { l->Insert(99, &slot[7]); }, {0, 1, 2, 3, 4, 7}},
      {"insert before start prepends", [](TList* l) { l->Insert(-3, &slot[7]); }, {7, 0, 1, 2, 3, 4}},
      {"delete range inside", [](TList* l) { l->DeleteRange(1, 2); }, {0, 3, 4}},
      {"delete range past end", [](TList* l) { l->DeleteRange(3, 10); }, {0, 1, 2}},
      {"delete range negative n", [](TList* l) { l->DeleteRange(1, -2); }, {0, 1, 2, 3, 4}},
      {"delete range at count", [](TList* l) { l->DeleteRange(5, 1); }, {0, 1, 2, 3, 4}},
      {"delete range negative index", [](TList* l) { l->DeleteRange(-1, 2); }, {0, 1, 2, 3, 4}},
      {"remove present", [](TList* l) { l->Remove(&slot[2]); }, {0, 1, 3, 4}},
      {"remove absent", [](TList* l) { l->Remove(&slot[6]); }, {0, 1, 2, 3, 4}},
      {"capacity below count", [](TList* l) { l->SetCapacity(2); }, {0, 1, 2, 3, 4}},
  };
  for (const auto& row : rows) {
    auto* list = new TList();
    for (int i = 0; i < 5; ++i) {
      list->Add(&slot[i]);
    }
    row.edit(list);
    std::vector<void*> expected;
    for (int n : row.expected) {
      expected.push_back(&slot[n]);
    }
    EXPECT_EQ(Items(*list), expected) << row.name;
    EXPECT_EQ(list->Get(-1), nullptr) << row.name;
    EXPECT_EQ(list->Get(list->Count()), nullptr) << row.name;
    list->Free();
  }
}

TEST(TList, GrowsPastAZeroGrowthStepAndIsUsableAfterClear) {
  auto* list = new TList();
  list->SetGrowthStep(0);
  for (int i = 0; i < 9; ++i) {
    list->Add(&slot[i % 8]);
  }
  list->Clear();
  list->Add(&slot[1]);
  EXPECT_EQ(Items(*list), std::vector<void*>{&slot[1]});
  list->Free();
}

TEST(TStrList, KeepsCopiesClampsIndicesAndFreesTextBlockLinesOnlyWithTheBlock) {
  auto* list = new TStrList();
  std::string text = "beta";
  list->Add(text);
  text[0] = 'X';  // the list keeps its own copy
  list->Insert(-5, "alpha");
  list->Insert(99, "gamma");
  list->Delete(7);  // outside: nothing
  EXPECT_EQ(Items(*list), (Log{"alpha", "beta", "gamma"}));
  EXPECT_EQ(list->Get(-1), "");
  list->SetText("one\r\ntwo\nthree\r\n");
  list->Delete(1);  // a line of the text block: only its pointer goes
  list->Add("four");
  EXPECT_EQ(Items(*list), (Log{"one", "three", "four"}));
  list->Free();  // the sanitizers report a wrong free or a leak
}

TEST(TStrListEx, ObjectsStayParallelToTheStrings) {
  int a = 0, b = 0, x = 0;
  auto* list = new TStrListEx();
  list->AddObject("a", &a);
  list->InsertObject(0, "b", &b);
  list->Insert(0, "plain");  // a string without object gets a null one
  list->Delete(1);
  EXPECT_EQ(Items(*list), (Log{"plain", "a"}));
  EXPECT_EQ(list->ObjectAt(0), nullptr);
  EXPECT_EQ(list->IndexOfObject(&a), 1);
  EXPECT_EQ(list->IndexOfObject(&b), -1);
  list->SetText("one\ntwo");  // text block strings get object slots when needed
  list->InsertObject(1, "mid", &x);
  EXPECT_EQ(list->ObjectAt(0), nullptr);
  EXPECT_EQ(list->IndexOfObject(&x), 1);
  list->Free();
}

}  // namespace
}  // namespace lobrin
