#include "SkinUI/core/UIPtrArray.h"

#include <cstdlib>
#include <cstring>

namespace SkinUI {

CUIPtrArray::CUIPtrArray(int preallocate) {
  if (preallocate > 0) {
    items_ = static_cast<void**>(std::malloc(sizeof(void*) * static_cast<size_t>(preallocate)));
    if (items_ != nullptr) capacity_ = preallocate;
  }
}

CUIPtrArray::CUIPtrArray(const CUIPtrArray& other) : CUIPtrArray() {
  for (int i = 0; i < other.count_; ++i) Add(other.items_[i]);
}

CUIPtrArray& CUIPtrArray::operator=(const CUIPtrArray& other) {
  if (this != &other) {
    Empty();
    for (int i = 0; i < other.count_; ++i) Add(other.items_[i]);
  }
  return *this;
}

CUIPtrArray::~CUIPtrArray() { std::free(items_); }

void CUIPtrArray::Empty() {
  std::free(items_);
  items_ = nullptr;
  count_ = capacity_ = 0;
}

int CUIPtrArray::Find(const void* item) const {
  for (int i = 0; i < count_; ++i) {
    if (items_[i] == item) return i;
  }
  return -1;
}

bool CUIPtrArray::Grow() {
  const int capacity = capacity_ == 0 ? INITIAL_CAPACITY : capacity_ * 2;
  auto* items = static_cast<void**>(std::realloc(items_, sizeof(void*) * static_cast<size_t>(capacity)));
  if (items == nullptr) return false;
  items_ = items;
  capacity_ = capacity;
  return true;
}

bool CUIPtrArray::Add(void* item) {
  if (count_ == capacity_ && !Grow()) return false;
  items_[count_++] = item;
  return true;
}

bool CUIPtrArray::InsertAt(int index, void* item) {
  if (index == count_) return Add(item);
  if (index < 0 || index > count_) return false;
  if (count_ == capacity_ && !Grow()) return false;
  std::memmove(&items_[index + 1], &items_[index], static_cast<size_t>(count_ - index) * sizeof(void*));
  items_[index] = item;
  ++count_;
  return true;
}

bool CUIPtrArray::SetAt(int index, void* item) {
  if (index < 0 || index >= count_) return false;
  items_[index] = item;
  return true;
}

bool CUIPtrArray::Remove(int index) {
  if (index < 0 || index >= count_) return false;
  if (index < --count_) {
    std::memmove(&items_[index], &items_[index + 1], static_cast<size_t>(count_ - index) * sizeof(void*));
  }
  return true;
}

void* CUIPtrArray::GetAt(int index) const {
  if (index < 0 || index >= count_) return nullptr;
  return items_[index];
}

}  // namespace SkinUI
