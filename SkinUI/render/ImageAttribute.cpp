#include "SkinUI/render/ImageAttribute.h"

#include <cwchar>

namespace SkinUI {
namespace {

void SkipBlanks(const wchar_t*& p) {
  while (*p != L'\0' && *p <= L' ') ++p;
}

}  // namespace

RECT ParseRectText(const wchar_t* text) {
  RECT rect = {0, 0, 0, 0};
  if (text == nullptr) return rect;
  wchar_t* end = nullptr;
  LONG* fields[4] = {&rect.left, &rect.top, &rect.right, &rect.bottom};
  const wchar_t* p = text;
  for (int i = 0; i < 4; ++i) {
    *fields[i] = std::wcstol(p, &end, 10);
    if (end == p || *end == L'\0') break;
    p = end + 1;  // one separator character
  }
  return rect;
}

DWORD ParseColorText(const wchar_t* text) {
  if (text == nullptr) return 0;
  if (*text == L'#') ++text;
  return static_cast<DWORD>(std::wcstoul(text, nullptr, 16));
}

void ParseImageAttribute(DrawInfo& info) {
  info.imageName = info.attribute;
  info.resourceType.Empty();
  CUIString pendingType;
  bool useType = false;
  const wchar_t* p = info.attribute.GetData();
  while (*p != L'\0') {
    SkipBlanks(p);
    CUIString key;
    while (*p != L'\0' && *p != L'=' && *p > L' ') key += *p++;
    SkipBlanks(p);
    if (*p != L'=') break;
    ++p;
    SkipBlanks(p);
    if (*p != L'\'') break;
    ++p;
    CUIString value;
    while (*p != L'\0' && *p != L'\'') value += *p++;
    if (*p != L'\'') break;
    ++p;
    if (!value.IsEmpty()) {
      if (key == L"file") {
        info.imageName = value;
      } else if (key == L"res") {
        info.imageName = value;
        useType = true;
      } else if (key == L"restype") {
        pendingType = value;
      } else if (key == L"color") {
        info.imageName = value;
        pendingType = L"*COLOR*";
        useType = true;
      } else if (key == L"dest") {
        info.dest = ParseRectText(value);
      } else if (key == L"source") {
        info.source = ParseRectText(value);
      } else if (key == L"corner" || key == L"scale9") {
        info.corner = ParseRectText(value);
      } else if (key == L"mask") {
        info.mask = ParseColorText(value);
      } else if (key == L"fade") {
        const long fade = std::wcstol(value, nullptr, 10);
        info.fade = static_cast<BYTE>(fade < 0 ? 0 : (fade > 255 ? 255 : fade));
      } else if (key == L"hole") {
        info.hole = value == L"true";
      } else if (key == L"xtiled") {
        info.tiledX = value == L"true";
      } else if (key == L"ytiled") {
        info.tiledY = value == L"true";
      } else if (key == L"hsl") {
        info.hsl = value == L"true";
      }
    }
    if (*p != L' ') break;
    ++p;
  }
  if (useType) info.resourceType = pendingType;
}

}  // namespace SkinUI
