#pragma once
// Pointer lists and string lists of the toolkit.
//
// TList      a growable array of pointers (the array is owned, the items are not)
// TStrList   a list of owned zero-terminated byte strings
// TStrListEx a string list with one borrowed pointer per string

#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/obj.h"

namespace lobrin {

class TList : public TObj {
 public:
  static constexpr std::int32_t kDefaultGrowthStep = 4;

  TList() = default;

  // Appends `item`, growing the capacity by the growth step when full.
  void Add(void* item);
  // Stores `item` at `index`, moving the items from there up by one; an index
  // beyond the ends is taken as the nearest end.
  void Insert(std::int32_t index, void* item);
  // Removes up to `n` items from `index`, cut at the end; n <= 0 or an index
  // outside the list does nothing.
  void DeleteRange(std::int32_t index, std::int32_t n);
  // Removes the item at `index` (nothing when outside the list).
  void Delete(std::int32_t index) { DeleteRange(index, 1); }
  // The item at `index`, or null for an index outside 0..Count()-1.
  void* Get(std::int32_t index) const;
  // Replaces the item at `index` (nothing when outside the list).
  void Put(std::int32_t index, void* item);
  // First position holding `item`, or -1.
  std::int32_t IndexOf(const void* item) const;
  // Deletes the first occurrence of `item`, if any.
  void Remove(const void* item);
  // Resizes the array to `n` slots, never below the count.
  void SetCapacity(std::int32_t n);
  // Frees the array: no items, count 0, capacity 0.
  void Clear();

  std::int32_t Count() const { return count_; }
  std::int32_t Capacity() const { return capacity_; }
  // Slots added when the array is full; 0 or less means kDefaultGrowthStep.
  void SetGrowthStep(std::int32_t step) { growth_step_ = step; }
  // The array itself (null while empty); valid until the next change.
  void* const* Items() const { return items_; }

 protected:
  ~TList() override;

 private:
  // Makes room for one more item; false when the memory cannot be had.
  bool EnsureRoomForOne();

  void** items_ = nullptr;  // owned array; the pointed-to items are borrowed
  std::int32_t count_ = 0;
  std::int32_t capacity_ = 0;
  std::int32_t growth_step_ = kDefaultGrowthStep;
};

class TStrList : public TObj {
 public:
  TStrList() = default;

  // Inserts a copy of `text` at `index` (clamped to 0..Count()).
  virtual void Insert(std::int32_t index, const std::string& text);
  // Appends a copy of `text`.
  void Add(const std::string& text) { Insert(count_, text); }
  // Removes the string at `index` (nothing when outside the list).
  virtual void Delete(std::int32_t index);
  // Deletes every string from the last to the first, then the text block.
  void Clear();

  std::int32_t Count() const { return count_; }
  // The string at `index`, or the empty text outside the list.
  std::string Get(std::int32_t index) const;
  // The zero-terminated string at `index`, or null outside the list (borrowed).
  const char* Chars(std::int32_t index) const;
  // First position of a string equal to `text`, or -1.
  std::int32_t IndexOf(const std::string& text) const;

  // Replaces the whole list by the lines of `text` (split at CR LF, LF or CR),
  // kept in one owned text block rather than one buffer per line.
  void SetText(const std::string& text);
  // True when the string at `index` lies inside the text block.
  bool InTextBlock(std::int32_t index) const;

 protected:
  ~TStrList() override;

 private:
  bool InBlock(const char* s) const;

  TList* strings_ = nullptr;  // owned list of owned buffers (made on first insertion)
  std::int32_t count_ = 0;
  char* text_block_ = nullptr;  // owned; the strings inside it are not freed one by one
  std::size_t text_block_size_ = 0;
};

class TStrListEx : public TStrList {
 public:
  TStrListEx();

  // Inserts a string with a null object, keeping the objects parallel.
  void Insert(std::int32_t index, const std::string& text) override;
  // Inserts a string with its object at `index`.
  void InsertObject(std::int32_t index, const std::string& text, void* object);
  // Appends a string with its object.
  void AddObject(const std::string& text, void* object) { InsertObject(Count(), text, object); }
  // Removes the string and its object.
  void Delete(std::int32_t index) override;

  // The object at `index`, or null outside the list.
  void* ObjectAt(std::int32_t index) const;
  // First position holding `object`, or -1.
  std::int32_t IndexOfObject(const void* object) const;

 protected:
  ~TStrListEx() override;

 private:
  // Gives every string an object slot (null) that it does not have yet.
  void PadObjects();

  TList* objects_;  // owned list of borrowed pointers, parallel to the strings
};

}  // namespace lobrin
