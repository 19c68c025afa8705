#include "toolkit/obj.h"

#include <cassert>

namespace lobrin {

namespace {
// The count while destruction runs: negative (under way) and odd (requested).
constexpr std::int32_t kDestroyingCount = -1;
}  // namespace

TObj::~TObj() = default;

void TObj::AddRef() {
  if (destroying_) {
    return;
  }
  ref_count_ += 2;
}

void TObj::Release() {
  if (destroying_) {
    return;
  }
  assert(ref_count_ >= 1 && "Release without a matching AddRef");
  ref_count_ -= 2;
  if (ref_count_ < 0 && (ref_count_ & 1) != 0) {
    Destroy();
  }
}

void TObj::Free() {
  if (destroying_) {
    return;
  }
  if (ref_count_ == 0) {
    Destroy();
  } else if (ref_count_ > 0 && (ref_count_ & 1) == 0) {
    ref_count_ -= 1;  // the last Release carries it out
  }
}

void TObj::SetOnDestroy(TObjDestroyProc proc, void* data) {
  on_destroy_proc_ = proc;
  on_destroy_data_ = proc != nullptr ? data : nullptr;
}

void TObj::AddAutoFree(TAutoFreeProc proc, void* argument) {
  if (proc == nullptr) {
    return;
  }
  auto_free_.emplace_back(proc, argument);
}

void TObj::AutoFreeObject(TObj* object) {
  if (object != nullptr) {
    AddAutoFree(&TObj::FreeObjectProc, object);
  }
}

void TObj::FreeObjectProc(void* object) {
  if (object != nullptr) {
    static_cast<TObj*>(object)->Free();
  }
}

void TObj::Destroy() {
  destroying_ = true;
  ref_count_ = kDestroyingCount;
  BeforeDestroy();

  // The destroy event fires once and is forgotten before it runs.
  TObjDestroyProc proc = on_destroy_proc_;
  void* data = on_destroy_data_;
  on_destroy_proc_ = nullptr;
  on_destroy_data_ = nullptr;
  if (proc != nullptr) {
    proc(data, this);
  }

  // By index: a procedure may append further pairs, which then run too.
  for (std::size_t i = 0; i < auto_free_.size(); ++i) {
    const auto pair = auto_free_[i];
    pair.first(pair.second);
  }
  auto_free_.clear();
  auto_free_.shrink_to_fit();

  delete this;
}

}  // namespace lobrin
