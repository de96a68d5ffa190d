#pragma once
// Chained hash map from text keys to non-owned pointers, 83 buckets. A lookup
// that finds an entry moves it to the front of its chain, so names asked for
// often are found first.
#include "SkinUI/core/UIString.h"

namespace SkinUI {

class CUIStringMap {
 public:
  enum { BUCKETS = 83 };

  CUIStringMap();
  ~CUIStringMap();
  CUIStringMap(const CUIStringMap&) = delete;
  CUIStringMap& operator=(const CUIStringMap&) = delete;

  void RemoveAll();
  int GetSize() const { return count_; }
  // Null when absent (or when the stored value is null).
  void* Find(const wchar_t* key, bool moveToFront = true) const;
  bool Contains(const wchar_t* key) const;
  // False (and nothing stored) when the key exists already.
  bool Insert(const wchar_t* key, void* value);
  // Stores the value, returning the one it replaced (null when new).
  void* Set(const wchar_t* key, void* value);
  bool Remove(const wchar_t* key);
  // Key of the index-th entry in bucket order; null outside 0..size-1.
  const wchar_t* GetAt(int index) const;
  const wchar_t* operator[](int index) const { return GetAt(index); }

 private:
  struct Entry {
    CUIString key;
    void* value;
    Entry* next;
  };
  static unsigned Hash(const wchar_t* key);
  Entry* FindEntry(const wchar_t* key, bool moveToFront) const;

  mutable Entry* buckets_[BUCKETS];
  int count_ = 0;
};

}  // namespace SkinUI
