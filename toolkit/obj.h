#pragma once
// TObj: the root of every toolkit object. A reference count defers destruction
// while an object is in use, and destroy notifications let others react to it.
//
// Objects live on the heap and end only through Free or Release; the
// destructors are protected so that nothing deletes them another way.

#include <cstdint>
#include <utility>
#include <vector>

namespace lobrin {

class TObj;

// Destroy event: called as (data, object) when the object is destroyed.
using TObjDestroyProc = void (*)(void* data, TObj* object);
// Auto-free procedure: called as (argument) when the owning object is destroyed.
using TAutoFreeProc = void (*)(void* argument);

class TObj {
 public:
  TObj() = default;
  TObj(const TObj&) = delete;
  TObj& operator=(const TObj&) = delete;

  // --- lifetime ---
  // Adds one reference: the object survives a Free until the matching Release.
  void AddRef();
  // Drops one reference; carries out a requested destruction on the last one.
  void Release();
  // Destroys the object now, or, while it is referenced, requests destruction.
  void Free();

  // True once destruction has started (the destroy notifications are running).
  bool DestructionUnderWay() const { return ref_count_ < 0; }
  // True once Free was called while the object was referenced (or destruction began).
  bool DestructionRequested() const { return (ref_count_ & 1) != 0; }

  // --- notifications ---
  // Sets the destroy event (one slot; a null proc clears it).
  void SetOnDestroy(TObjDestroyProc proc, void* data);
  TObjDestroyProc OnDestroyProc() const { return on_destroy_proc_; }
  // Appends a (procedure, argument) pair that destruction calls, first added first.
  void AddAutoFree(TAutoFreeProc proc, void* argument);
  // Makes `object` be freed together with this one (it may be null).
  void AutoFreeObject(TObj* object);

  // An auto-free procedure that frees the TObj given as argument (null is fine).
  static void FreeObjectProc(void* object);

  // The initialisation hook that makers call after construction; empty here.
  virtual void Init() {}

 protected:
  virtual ~TObj();

  // Runs first when destruction starts, before the destroy event: for what a
  // subclass must do while the object is still whole. Empty here.
  virtual void BeforeDestroy() {}

 private:
  // Notifications in order, then the subclass parts through the virtual destructor.
  void Destroy();

  // 2 per reference, the low bit set once destruction was requested, negative
  // while the object is being destroyed.
  std::int32_t ref_count_ = 0;
  bool destroying_ = false;  // Destroy has started: the count stays put from then on
  TObjDestroyProc on_destroy_proc_ = nullptr;
  void* on_destroy_data_ = nullptr;                         // borrowed
  std::vector<std::pair<TAutoFreeProc, void*>> auto_free_;  // arguments borrowed until called
};

// Frees `object` when it is not null and sets the pointer to null.
template <typename T>
void FreeAndNull(T*& object) {
  T* doomed = object;
  object = nullptr;
  if (doomed != nullptr) {
    doomed->Free();
  }
}

}  // namespace lobrin
