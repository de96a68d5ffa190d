#include "SkinUI/core/UIString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace SkinUI {

CUIString::CUIString() : data_(local_) { local_[0] = L'\0'; }

CUIString::CUIString(const wchar_t* text, int length) : CUIString() { Assign(text, length); }

CUIString::CUIString(wchar_t ch) : CUIString() {
  const wchar_t text[2] = {ch, L'\0'};
  Assign(text, ch == L'\0' ? 0 : 1);
}

CUIString::CUIString(const CUIString& other) : CUIString() { Assign(other.data_, other.length_); }

CUIString& CUIString::operator=(const CUIString& other) {
  if (this != &other) Assign(other.data_, other.length_);
  return *this;
}

CUIString& CUIString::operator=(const wchar_t* text) {
  Assign(text);
  return *this;
}

CUIString& CUIString::operator=(wchar_t ch) {
  const wchar_t text[2] = {ch, L'\0'};
  Assign(text, ch == L'\0' ? 0 : 1);
  return *this;
}

CUIString::~CUIString() {
  if (data_ != local_) std::free(data_);
}

void CUIString::Empty() {
  if (data_ != local_) std::free(data_);
  data_ = local_;
  local_[0] = L'\0';
  length_ = 0;
}

wchar_t CUIString::GetAt(int index) const {
  return (index >= 0 && index < length_) ? data_[index] : L'\0';
}

// Makes room for `length` characters plus the terminator, keeping the content.
void CUIString::Reserve(int length) {
  if (length <= MAX_LOCAL_STRING_LEN) {
    if (data_ != local_) {
      std::wmemcpy(local_, data_, static_cast<size_t>(length < length_ ? length : length_));
      std::free(data_);
      data_ = local_;
    }
    return;
  }
  const size_t bytes = (static_cast<size_t>(length) + 1) * sizeof(wchar_t);
  if (data_ == local_) {
    auto* heap = static_cast<wchar_t*>(std::malloc(bytes));
    if (heap == nullptr) return;  // keeps the old text; callers see the length unchanged
    std::wmemcpy(heap, local_, static_cast<size_t>(length_) + 1);
    data_ = heap;
  } else {
    auto* heap = static_cast<wchar_t*>(std::realloc(data_, bytes));
    if (heap == nullptr) return;
    data_ = heap;
  }
}

void CUIString::Assign(const wchar_t* text, int length) {
  if (text == nullptr) text = L"";
  const int available = static_cast<int>(std::wcslen(text));
  if (length < 0 || length > available) length = available;
  if (text >= data_ && text <= data_ + length_) {
    // Assigning part of ourselves: copy first.
    CUIString copy;
    copy.Assign(L"");
    copy.Reserve(length);
    std::wmemcpy(copy.data_, text, static_cast<size_t>(length));
    copy.data_[length] = L'\0';
    copy.length_ = length;
    *this = copy;
    return;
  }
  Reserve(length);
  if (length > MAX_LOCAL_STRING_LEN && data_ == local_) return;  // allocation failed
  std::wmemcpy(data_, text, static_cast<size_t>(length));
  data_[length] = L'\0';
  length_ = length;
}

void CUIString::Append(const wchar_t* text) {
  if (text == nullptr || *text == L'\0') return;
  CUIString tail(text);
  const int newLength = length_ + tail.length_;
  Reserve(newLength);
  if (newLength > MAX_LOCAL_STRING_LEN && data_ == local_) return;
  std::wmemcpy(data_ + length_, tail.data_, static_cast<size_t>(tail.length_) + 1);
  length_ = newLength;
}

void CUIString::SetAt(int index, wchar_t ch) {
  if (index >= 0 && index < length_ && ch != L'\0') data_[index] = ch;
}

CUIString CUIString::operator+(const CUIString& other) const {
  CUIString result(*this);
  result.Append(other.data_);
  return result;
}

CUIString CUIString::operator+(const wchar_t* text) const {
  CUIString result(*this);
  result.Append(text);
  return result;
}

CUIString& CUIString::operator+=(const CUIString& other) {
  Append(other.data_);
  return *this;
}

CUIString& CUIString::operator+=(const wchar_t* text) {
  Append(text);
  return *this;
}

CUIString& CUIString::operator+=(wchar_t ch) {
  const wchar_t text[2] = {ch, L'\0'};
  Append(text);
  return *this;
}

int CUIString::Compare(const wchar_t* text) const { return std::wcscmp(data_, text ? text : L""); }

int CUIString::CompareNoCase(const wchar_t* text) const { return ::lstrcmpiW(data_, text ? text : L""); }

void CUIString::MakeUpper() { ::CharUpperBuffW(data_, static_cast<DWORD>(length_)); }
void CUIString::MakeLower() { ::CharLowerBuffW(data_, static_cast<DWORD>(length_)); }

CUIString CUIString::Left(int length) const {
  if (length < 0) length = 0;
  return CUIString(data_, length);
}

CUIString CUIString::Mid(int pos, int length) const {
  if (pos < 0) pos = 0;
  if (pos > length_) pos = length_;
  if (length < 0 || length > length_ - pos) length = length_ - pos;
  return CUIString(data_ + pos, length);
}

CUIString CUIString::Right(int length) const {
  if (length < 0) length = 0;
  if (length > length_) length = length_;
  return CUIString(data_ + length_ - length, length);
}

int CUIString::Find(wchar_t ch, int pos) const {
  if (pos < 0 || pos > length_) return -1;
  const wchar_t* found = std::wcschr(data_ + pos, ch);
  return found ? static_cast<int>(found - data_) : -1;
}

int CUIString::Find(const wchar_t* text, int pos) const {
  if (text == nullptr || pos < 0 || pos > length_) return -1;
  const wchar_t* found = std::wcsstr(data_ + pos, text);
  return found ? static_cast<int>(found - data_) : -1;
}

int CUIString::ReverseFind(wchar_t ch) const {
  const wchar_t* found = std::wcsrchr(data_, ch);
  return found ? static_cast<int>(found - data_) : -1;
}

int CUIString::Replace(const wchar_t* from, const wchar_t* to) {
  if (from == nullptr || *from == L'\0') return 0;
  if (to == nullptr) to = L"";
  const int fromLength = static_cast<int>(std::wcslen(from));
  CUIString result;
  int count = 0;
  int start = 0;
  for (int found = Find(from, 0); found >= 0; found = Find(from, start)) {
    result += Mid(start, found - start);
    result += to;
    start = found + fromLength;
    ++count;
  }
  if (count == 0) return 0;
  result += Mid(start);
  *this = result;
  return count;
}

int CUIString::Format(const wchar_t* format, ...) {
  wchar_t buffer[MAX_FORMAT_LEN + 1] = {};
  va_list args;
  va_start(args, format);
  // _vsnwprintf leaves the buffer unterminated when the text is cut.
  const int written = ::_vsnwprintf(buffer, MAX_FORMAT_LEN, format, args);
  va_end(args);
  buffer[MAX_FORMAT_LEN] = L'\0';
  Assign(buffer);
  return written < 0 ? length_ : written;
}

}  // namespace SkinUI
