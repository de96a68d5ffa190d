#pragma once
// Growable array of pointers the array does not own. The first allocation
// holds 11 entries; after that the capacity doubles.
namespace SkinUI {

class CUIPtrArray {
 public:
  enum { INITIAL_CAPACITY = 11 };

  explicit CUIPtrArray(int preallocate = 0);
  CUIPtrArray(const CUIPtrArray& other);
  CUIPtrArray& operator=(const CUIPtrArray& other);
  ~CUIPtrArray();

  void Empty();
  bool IsEmpty() const { return count_ == 0; }
  int GetSize() const { return count_; }
  int GetCapacity() const { return capacity_; }
  int Find(const void* item) const;
  bool Add(void* item);
  bool InsertAt(int index, void* item);
  bool SetAt(int index, void* item);
  bool Remove(int index);
  void* GetAt(int index) const;
  void* operator[](int index) const { return GetAt(index); }
  void** GetData() { return items_; }

 private:
  bool Grow();

  void** items_ = nullptr;
  int count_ = 0;
  int capacity_ = 0;
};

}  // namespace SkinUI
