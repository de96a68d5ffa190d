#include "SkinUI/core/UIStringMap.h"

#include <cwchar>

namespace SkinUI {

CUIStringMap::CUIStringMap() {
  for (auto& bucket : buckets_) bucket = nullptr;
}

CUIStringMap::~CUIStringMap() { RemoveAll(); }

void CUIStringMap::RemoveAll() {
  for (auto& bucket : buckets_) {
    while (bucket != nullptr) {
      Entry* next = bucket->next;
      delete bucket;
      bucket = next;
    }
  }
  count_ = 0;
}

unsigned CUIStringMap::Hash(const wchar_t* key) {
  unsigned hash = 0;
  for (; *key != L'\0'; ++key) hash = (hash << 5) + hash + static_cast<unsigned>(*key);
  return hash % BUCKETS;
}

CUIStringMap::Entry* CUIStringMap::FindEntry(const wchar_t* key, bool moveToFront) const {
  if (key == nullptr) return nullptr;
  Entry*& head = buckets_[Hash(key)];
  Entry* previous = nullptr;
  for (Entry* entry = head; entry != nullptr; previous = entry, entry = entry->next) {
    if (entry->key == key) {
      if (moveToFront && previous != nullptr) {
        previous->next = entry->next;
        entry->next = head;
        head = entry;
      }
      return entry;
    }
  }
  return nullptr;
}

void* CUIStringMap::Find(const wchar_t* key, bool moveToFront) const {
  Entry* entry = FindEntry(key, moveToFront);
  return entry ? entry->value : nullptr;
}

bool CUIStringMap::Contains(const wchar_t* key) const { return FindEntry(key, false) != nullptr; }

bool CUIStringMap::Insert(const wchar_t* key, void* value) {
  if (key == nullptr || Contains(key)) return false;
  Entry*& head = buckets_[Hash(key)];
  head = new Entry{CUIString(key), value, head};
  ++count_;
  return true;
}

void* CUIStringMap::Set(const wchar_t* key, void* value) {
  if (key == nullptr) return nullptr;
  if (Entry* entry = FindEntry(key, true)) {
    void* old = entry->value;
    entry->value = value;
    return old;
  }
  Insert(key, value);
  return nullptr;
}

bool CUIStringMap::Remove(const wchar_t* key) {
  if (key == nullptr) return false;
  Entry*& head = buckets_[Hash(key)];
  Entry* previous = nullptr;
  for (Entry* entry = head; entry != nullptr; previous = entry, entry = entry->next) {
    if (entry->key == key) {
      (previous ? previous->next : head) = entry->next;
      delete entry;
      --count_;
      return true;
    }
  }
  return false;
}

const wchar_t* CUIStringMap::GetAt(int index) const {
  if (index < 0 || index >= count_) return nullptr;
  int position = 0;
  for (Entry* bucket : buckets_) {
    for (Entry* entry = bucket; entry != nullptr; entry = entry->next) {
      if (position++ == index) return entry->key.GetData();
    }
  }
  return nullptr;
}

}  // namespace SkinUI
