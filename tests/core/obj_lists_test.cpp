// Toolkit objects: deferred destruction and its order; pointer and string lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/lists.h"
#include "toolkit/obj.h"

namespace lobrin {
namespace {

// Records the steps of its own destruction into a shared log.
class ProbeObj : public TObj {
 public:
  explicit ProbeObj(std::vector<std::string>* log) : log_(log) {}

 protected:
  ~ProbeObj() override { log_->push_back("subclass"); }
  void BeforeDestroy() override { log_->push_back("before"); }

 private:
  std::vector<std::string>* log_;
};

struct AutoFreeStep {
  std::vector<std::string>* log;
  std::string name;
};

void LogAutoFree(void* argument) {
  auto* step = static_cast<AutoFreeStep*>(argument);
  step->log->push_back(step->name);
}

void LogDestroyEvent(void* data, TObj* object) {
  auto* log = static_cast<std::vector<std::string>*>(data);
  log->push_back(object->DestructionUnderWay() ? "event(under way)" : "event");
  // The event is forgotten before it runs.
  if (object->OnDestroyProc() != nullptr) log->push_back("event still set");
}

TEST(TObj, DestructionRunsEventThenAutoFreeInOrderThenSubclass) {
  std::vector<std::string> log;
  auto* obj = new ProbeObj(&log);
  AutoFreeStep first{&log, "auto 1"};
  AutoFreeStep second{&log, "auto 2"};
  obj->SetOnDestroy(&LogDestroyEvent, &log);
  obj->AddAutoFree(&LogAutoFree, &first);
  obj->AddAutoFree(&LogAutoFree, &second);
  obj->Free();
  EXPECT_EQ(log, (std::vector<std::string>{"before", "event(under way)", "auto 1", "auto 2", "subclass"}));
}

TEST(TObj, FreeWhileReferencedIsCarriedOutByTheLastRelease) {
  std::vector<std::string> log;
  auto* obj = new ProbeObj(&log);
  obj->AddRef();
  obj->AddRef();
  EXPECT_EQ(obj->RefCount(), 4);
  obj->Free();
  EXPECT_EQ(obj->RefCount(), 3);
  EXPECT_TRUE(obj->DestructionRequested());
  obj->Free();  // requested once only
  EXPECT_EQ(obj->RefCount(), 3);
  obj->Release();
  EXPECT_EQ(obj->RefCount(), 1);
  EXPECT_TRUE(log.empty());
  obj->Release();  // -1: negative and odd
  EXPECT_EQ(log, (std::vector<std::string>{"before", "subclass"}));
}

// A destroy event that takes and drops a reference and frees again must not
// start a second destruction.
void ReenterDuringDestroy(void* data, TObj* object) {
  auto* count = static_cast<int*>(data);
  ++*count;
  object->AddRef();
  object->Release();
  object->Free();
  EXPECT_TRUE(object->DestructionUnderWay());
}

TEST(TObj, ReferencesTakenDuringDestructionDoNotDestroyTwice) {
  int events = 0;
  std::vector<std::string> log;
  auto* obj = new ProbeObj(&log);
  obj->SetOnDestroy(&ReenterDuringDestroy, &events);
  obj->Free();
  EXPECT_EQ(events, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"before", "subclass"}));
}

// ---------------------------------------------------------------- TList

int slot[8];

std::vector<void*> Items(const TList& list) {
  std::vector<void*> items;
  for (std::int32_t i = 0; i < list.Count(); ++i) items.push_back(list.Get(i));
  return items;
}

TEST(TList, GrowsByTheGrowthStep) {
  auto* list = new TList();
  for (int i = 0; i < 4; ++i) list->Add(&slot[i]);
  EXPECT_EQ(list->Capacity(), 4);
  list->Add(&slot[4]);
  EXPECT_EQ(list->Capacity(), 8);
  EXPECT_EQ(list->Count(), 5);

  list->SetGrowthStep(0);  // treated as 4
  for (int i = 0; i < 4; ++i) list->Add(&slot[5]);
  EXPECT_EQ(list->Capacity(), 12);
  list->Free();
}

TEST(TList, GetOutsideTheListGivesNone) {
  auto* list = new TList();
  EXPECT_EQ(list->Get(0), nullptr);
  list->Add(&slot[0]);
  list->Add(&slot[1]);
  EXPECT_EQ(list->Get(-1), nullptr);
  EXPECT_EQ(list->Get(2), nullptr);
  EXPECT_EQ(list->Get(1), &slot[1]);
  list->Free();
}

TEST(TList, InsertDeleteAndRemove) {
  struct Case {
    const char* name;
    void (*edit)(TList*);
    std::vector<int> expected;  // slot numbers left in the list
  };
  // Every case starts from slots 0..4.
  const Case cases[] = {
      {"insert at front", [](TList* l) { l->Insert(0, &slot[7]); }, {7, 0, 1, 2, 3, 4}},
      {"insert in middle", [](TList* l) { l->Insert(2, &slot[7]); }, {0, 1, 7, 2, 3, 4}},
      {"insert at end", [](TList* l) { l->Insert(5, &slot[7]); }, {0, 1, 2, 3, 4, 7}},
      {"insert past end appends", [](TList* l) { l->Insert(99, &slot[7]); }, {0, 1, 2, 3, 4, 7}},
      {"insert before start prepends", [](TList* l) { l->Insert(-3, &slot[7]); }, {7, 0, 1, 2, 3, 4}},
      {"delete range inside", [](TList* l) { l->DeleteRange(1, 2); }, {0, 3, 4}},
      {"delete range past end", [](TList* l) { l->DeleteRange(3, 10); }, {0, 1, 2}},
      {"delete range of zero", [](TList* l) { l->DeleteRange(1, 0); }, {0, 1, 2, 3, 4}},
      {"delete range negative n", [](TList* l) { l->DeleteRange(1, -2); }, {0, 1, 2, 3, 4}},
      {"delete range at count", [](TList* l) { l->DeleteRange(5, 1); }, {0, 1, 2, 3, 4}},
      {"delete range negative index", [](TList* l) { l->DeleteRange(-1, 2); }, {0, 1, 2, 3, 4}},
      {"delete last", [](TList* l) { l->Delete(4); }, {0, 1, 2, 3}},
      {"remove present", [](TList* l) { l->Remove(&slot[2]); }, {0, 1, 3, 4}},
      {"remove absent", [](TList* l) { l->Remove(&slot[6]); }, {0, 1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    auto* list = new TList();
    for (int i = 0; i < 5; ++i) list->Add(&slot[i]);
    c.edit(list);
    std::vector<void*> expected;
    for (int n : c.expected) expected.push_back(&slot[n]);
    EXPECT_EQ(Items(*list), expected) << c.name;
    list->Free();
  }
}

TEST(TList, CapacityNeverBelowCountAndClearEmpties) {
  auto* list = new TList();
  for (int i = 0; i < 6; ++i) list->Add(&slot[i]);
  list->SetCapacity(2);
  EXPECT_EQ(list->Capacity(), 6);
  list->SetCapacity(20);
  EXPECT_EQ(list->Capacity(), 20);
  EXPECT_EQ(list->Get(5), &slot[5]);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->Capacity(), 0);
  EXPECT_EQ(list->Items(), nullptr);
  list->Add(&slot[1]);  // usable again after clearing
  EXPECT_EQ(list->Get(0), &slot[1]);
  list->Free();
}

// ---------------------------------------------------------------- string lists

std::vector<std::string> Strings(const TStrList& list) {
  std::vector<std::string> strings;
  for (std::int32_t i = 0; i < list.Count(); ++i) strings.push_back(list.Get(i));
  return strings;
}

TEST(TStrList, InsertCopiesAndDeleteRemoves) {
  auto* list = new TStrList();
  std::string text = "beta";
  list->Add(text);
  text[0] = 'X';  // the list keeps its own copy
  list->Insert(0, "alpha");
  list->Add("");
  list->Insert(99, "gamma");
  EXPECT_EQ(Strings(*list), (std::vector<std::string>{"alpha", "beta", "", "gamma"}));
  EXPECT_EQ(list->IndexOf("gamma"), 3);
  list->Delete(1);
  list->Delete(7);  // outside: nothing
  EXPECT_EQ(Strings(*list), (std::vector<std::string>{"alpha", "", "gamma"}));
  EXPECT_EQ(list->Get(-1), "");
  EXPECT_EQ(list->Chars(3), nullptr);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  list->Add("again");
  EXPECT_EQ(list->Get(0), "again");
  list->Free();
}

TEST(TStrList, TextBlockLinesAreNotFreedOneByOne) {
  auto* list = new TStrList();
  list->SetText("one\r\ntwo\nthree\r\n");
  EXPECT_EQ(Strings(*list), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_TRUE(list->InTextBlock(1));
  list->Delete(1);  // a string inside the block: only its pointer goes
  list->Add("four");
  EXPECT_FALSE(list->InTextBlock(2));
  EXPECT_EQ(Strings(*list), (std::vector<std::string>{"one", "three", "four"}));
  list->Free();  // the sanitizers report a wrong free or a leak
}

TEST(TStrListEx, ObjectsStayParallelToTheStrings) {
  int a = 0, b = 0, c = 0;
  auto* list = new TStrListEx();
  list->AddObject("a", &a);
  list->AddObject("c", &c);
  list->InsertObject(1, "b", &b);
  list->Insert(0, "plain");  // a string without object gets a null one
  EXPECT_EQ(Strings(*list), (std::vector<std::string>{"plain", "a", "b", "c"}));
  EXPECT_EQ(list->ObjectAt(0), nullptr);
  EXPECT_EQ(list->ObjectAt(2), &b);
  EXPECT_EQ(list->IndexOfObject(&c), 3);
  list->Delete(1);
  EXPECT_EQ(list->ObjectAt(1), &b);
  EXPECT_EQ(list->IndexOfObject(&a), -1);
  EXPECT_EQ(list->ObjectAt(9), nullptr);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->ObjectAt(0), nullptr);
  list->Free();
}

TEST(TStrListEx, TextBlockStringsGetObjectSlotsWhenNeeded) {
  int x = 0;
  auto* list = new TStrListEx();
  list->SetText("one\ntwo");
  list->InsertObject(1, "mid", &x);
  EXPECT_EQ(list->ObjectAt(0), nullptr);
  EXPECT_EQ(list->ObjectAt(1), &x);
  EXPECT_EQ(list->IndexOfObject(&x), 1);
  list->Free();
}

}  // namespace
}  // namespace lobrin
