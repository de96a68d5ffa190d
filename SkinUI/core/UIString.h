#pragma once
// Wide string value of the skin framework. Up to 62 characters live inside
// the object; longer texts move to the heap.
#include <windows.h>

namespace SkinUI {

class CUIString {
 public:
  enum { MAX_LOCAL_STRING_LEN = 62, MAX_FORMAT_LEN = 63 };

  CUIString();
  CUIString(const wchar_t* text, int length = -1);
  CUIString(wchar_t ch);
  CUIString(const CUIString& other);
  CUIString& operator=(const CUIString& other);
  CUIString& operator=(const wchar_t* text);
  CUIString& operator=(wchar_t ch);
  ~CUIString();

  void Empty();
  int GetLength() const { return length_; }
  bool IsEmpty() const { return length_ == 0; }
  wchar_t GetAt(int index) const;
  const wchar_t* GetData() const { return data_; }
  operator const wchar_t*() const { return data_; }

  void Assign(const wchar_t* text, int length = -1);
  void Append(const wchar_t* text);
  void SetAt(int index, wchar_t ch);

  CUIString operator+(const CUIString& other) const;
  CUIString operator+(const wchar_t* text) const;
  CUIString& operator+=(const CUIString& other);
  CUIString& operator+=(const wchar_t* text);
  CUIString& operator+=(wchar_t ch);

  bool operator==(const wchar_t* text) const { return Compare(text) == 0; }
  bool operator!=(const wchar_t* text) const { return Compare(text) != 0; }
  bool operator<(const wchar_t* text) const { return Compare(text) < 0; }

  int Compare(const wchar_t* text) const;
  int CompareNoCase(const wchar_t* text) const;

  void MakeUpper();
  void MakeLower();

  CUIString Left(int length) const;
  CUIString Mid(int pos, int length = -1) const;
  CUIString Right(int length) const;

  int Find(wchar_t ch, int pos = 0) const;
  int Find(const wchar_t* text, int pos = 0) const;
  int ReverseFind(wchar_t ch) const;
  // Replaces every occurrence; returns how many were replaced.
  int Replace(const wchar_t* from, const wchar_t* to);

  // printf-style formatting; the result is cut to MAX_FORMAT_LEN characters.
  int Format(const wchar_t* format, ...);

 private:
  void Reserve(int length);

  wchar_t* data_;
  int length_ = 0;
  wchar_t local_[MAX_LOCAL_STRING_LEN + 1];
};

inline bool operator==(const CUIString& a, const CUIString& b) { return a.Compare(b) == 0; }
inline bool operator!=(const CUIString& a, const CUIString& b) { return a.Compare(b) != 0; }

}  // namespace SkinUI
