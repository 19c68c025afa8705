#include "toolkit/lists.h"

#include <cstdlib>
#include <cstring>

namespace lobrin {

// ---------------------------------------------------------------- TList

TList::~TList() { Clear(); }

bool TList::EnsureRoomForOne() {
  if (count_ < capacity_) {
    return true;
  }
  const std::int32_t step = growth_step_ > 0 ? growth_step_ : kDefaultGrowthStep;
  SetCapacity(count_ + step);
  return count_ < capacity_;
}

void TList::Add(void* item) {
  if (!EnsureRoomForOne()) {
    return;
  }
  items_[count_] = item;
  ++count_;
}

void TList::Insert(std::int32_t index, void* item) {
  if (index < 0) {
    index = 0;
  }
  if (index > count_) {
    index = count_;
  }
  if (!EnsureRoomForOne()) {
    return;
  }
  std::memmove(items_ + index + 1, items_ + index, static_cast<std::size_t>(count_ - index) * sizeof(void*));
  items_[index] = item;
  ++count_;
}

void TList::DeleteRange(std::int32_t index, std::int32_t n) {
  if (n <= 0 || index < 0 || index >= count_) {
    return;
  }
  if (n > count_ - index) {
    n = count_ - index;
  }
  std::memmove(items_ + index, items_ + index + n,
               static_cast<std::size_t>(count_ - index - n) * sizeof(void*));
  count_ -= n;
}

void* TList::Get(std::int32_t index) const {
  if (index < 0 || index >= count_) {
    return nullptr;
  }
  return items_[index];
}

void TList::Put(std::int32_t index, void* item) {
  if (index < 0 || index >= count_) {
    return;
  }
  items_[index] = item;
}

std::int32_t TList::IndexOf(const void* item) const {
  for (std::int32_t i = 0; i < count_; ++i) {
    if (items_[i] == item) {
      return i;
    }
  }
  return -1;
}

void TList::Remove(const void* item) {
  const std::int32_t index = IndexOf(item);
  if (index >= 0) {
    Delete(index);
  }
}

void TList::SetCapacity(std::int32_t n) {
  if (n < count_) {
    n = count_;
  }
  if (n == capacity_) {
    return;
  }
  if (n == 0) {
    std::free(items_);
    items_ = nullptr;
    capacity_ = 0;
    return;
  }
  void* grown = std::realloc(items_, static_cast<std::size_t>(n) * sizeof(void*));
  if (grown == nullptr) {
    return;  // keeps the old array and capacity
  }
  items_ = static_cast<void**>(grown);
  capacity_ = n;
}

void TList::Clear() {
  std::free(items_);
  items_ = nullptr;
  count_ = 0;
  capacity_ = 0;
}

// ---------------------------------------------------------------- TStrList

TStrList::~TStrList() { Clear(); }

bool TStrList::InBlock(const char* s) const {
  return text_block_ != nullptr && s >= text_block_ && s < text_block_ + text_block_size_;
}

void TStrList::Insert(std::int32_t index, const std::string& text) {
  if (strings_ == nullptr) {
    strings_ = new TList();
  }
  if (index < 0) {
    index = 0;
  }
  if (index > count_) {
    index = count_;
  }
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy == nullptr) {
    return;
  }
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  const std::int32_t before = strings_->Count();
  strings_->Insert(index, copy);
  if (strings_->Count() == before) {  // the list could not grow
    std::free(copy);
    return;
  }
  ++count_;
}

void TStrList::Delete(std::int32_t index) {
  if (strings_ == nullptr || index < 0 || index >= count_) {
    return;
  }
  char* s = static_cast<char*>(strings_->Get(index));
  if (!InBlock(s)) {
    std::free(s);
  }
  strings_->Delete(index);
  --count_;
}

void TStrList::Clear() {
  for (std::int32_t i = count_ - 1; i >= 0; --i) {
    Delete(i);
  }
  FreeAndNull(strings_);
  count_ = 0;
  std::free(text_block_);
  text_block_ = nullptr;
  text_block_size_ = 0;
}

const char* TStrList::Chars(std::int32_t index) const {
  if (strings_ == nullptr || index < 0 || index >= count_) {
    return nullptr;
  }
  return static_cast<const char*>(strings_->Get(index));
}

std::string TStrList::Get(std::int32_t index) const {
  const char* s = Chars(index);
  return s != nullptr ? std::string(s) : std::string();
}

std::int32_t TStrList::IndexOf(const std::string& text) const {
  for (std::int32_t i = 0; i < count_; ++i) {
    if (text == Chars(i)) {
      return i;
    }
  }
  return -1;
}

bool TStrList::InTextBlock(std::int32_t index) const {
  const char* s = Chars(index);
  return s != nullptr && InBlock(s);
}

void TStrList::SetText(const std::string& text) {
  Clear();
  if (text.empty()) {
    return;
  }
  char* block = static_cast<char*>(std::malloc(text.size() + 1));
  if (block == nullptr) {
    return;
  }
  std::memcpy(block, text.data(), text.size());
  block[text.size()] = '\0';
  text_block_ = block;
  text_block_size_ = text.size() + 1;
  if (strings_ == nullptr) {
    strings_ = new TList();
  }

  // Each line end becomes the terminating zero of the line before it.
  char* line = block;
  char* const end = block + text.size();
  for (char* p = block; p <= end; ++p) {
    if (p != end && *p != '\r' && *p != '\n') {
      continue;
    }
    const bool crlf = p != end && *p == '\r' && p + 1 < end && p[1] == '\n';
    const bool at_end = p == end;
    *p = '\0';
    const std::int32_t before = strings_->Count();
    strings_->Add(line);
    if (strings_->Count() != before) {
      ++count_;
    }
    if (at_end) {
      break;
    }
    if (crlf) {
      ++p;
    }
    line = p + 1;
    if (line == end) {
      break;  // a final line end opens no empty line
    }
  }
}

// ---------------------------------------------------------------- TStrListEx

TStrListEx::TStrListEx() : objects_(new TList()) {}

TStrListEx::~TStrListEx() {
  Clear();
  FreeAndNull(objects_);
}

void TStrListEx::Insert(std::int32_t index, const std::string& text) { InsertObject(index, text, nullptr); }

void TStrListEx::PadObjects() {
  while (objects_->Count() < Count()) {
    const std::int32_t before = objects_->Count();
    objects_->Add(nullptr);
    if (objects_->Count() == before) {
      return;
    }
  }
}

void TStrListEx::InsertObject(std::int32_t index, const std::string& text, void* object) {
  PadObjects();  // strings loaded as one text block came without objects
  if (index < 0) {
    index = 0;
  }
  if (index > Count()) {
    index = Count();
  }
  const std::int32_t before = Count();
  TStrList::Insert(index, text);
  if (Count() != before) {
    objects_->Insert(index, object);
  }
}

void TStrListEx::Delete(std::int32_t index) {
  if (index < 0 || index >= Count()) {
    return;
  }
  TStrList::Delete(index);
  if (index < objects_->Count()) {
    objects_->Delete(index);
  }
}

void* TStrListEx::ObjectAt(std::int32_t index) const { return objects_->Get(index); }

std::int32_t TStrListEx::IndexOfObject(const void* object) const { return objects_->IndexOf(object); }

}  // namespace lobrin
