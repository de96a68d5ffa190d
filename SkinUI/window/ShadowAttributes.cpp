#include "SkinUI/window/ShadowAttributes.h"

#include <cwchar>

#include "SkinUI/window/WndShadow.h"

namespace SkinUI {

int ParseSkinInteger(const wchar_t* text, const wchar_t** end) {
  const wchar_t* cursor = text;
  bool negative = false;
  if (*cursor == L'-' || *cursor == L'+') {
    negative = *cursor == L'-';
    ++cursor;
  }
  long long value = 0;
  const wchar_t* digits = cursor;
  while (*cursor >= L'0' && *cursor <= L'9') {
    // Saturates instead of overflowing; every accepted setting is tiny anyway.
    if (value < 0x7FFFFFFFLL) value = value * 10 + (*cursor - L'0');
    ++cursor;
  }
  if (cursor == digits) cursor = text;
  if (end != nullptr) *end = cursor;
  if (value > 0x7FFFFFFFLL) value = 0x7FFFFFFFLL;
  return static_cast<int>(negative ? -value : value);
}

void ParseSkinIntegerList(const wchar_t* text, int* values, int count) {
  const wchar_t* cursor = text;
  for (int i = 0; i < count; ++i) {
    values[i] = 0;
    if (*cursor == L'\0') continue;
    values[i] = ParseSkinInteger(cursor, &cursor);
    if (*cursor != L'\0') ++cursor;  // the separator
  }
}

uint32_t ParseShadowColour(const wchar_t* text) {
  if (*text == L'#') ++text;
  return static_cast<uint32_t>(std::wcstoul(text, nullptr, 16));
}

bool ConfigureShadowFromSkin(CWndShadow& shadow, HWND window, const WindowAttributeLookup& attribute) {
  const wchar_t* show = attribute(L"showshadow");
  if (show == nullptr || _wcsicmp(show, L"true") != 0) return false;
  shadow.AttachTo(window);
  // Every result below is ignored on purpose: a bad skin value keeps the default.
  if (const wchar_t* image = attribute(L"shadowimage")) {
    int corner[4] = {};
    int hole[4] = {};
    if (const wchar_t* text = attribute(L"shadowcorner")) ParseSkinIntegerList(text, corner, 4);
    if (const wchar_t* text = attribute(L"shadowholeoffset")) ParseSkinIntegerList(text, hole, 4);
    shadow.ChangeImage(image, RECT{corner[0], corner[1], corner[2], corner[3]},
                       RECT{hole[0], hole[1], hole[2], hole[3]});
  }
  if (const wchar_t* size = attribute(L"shadowsize")) shadow.ChangeSize(ParseSkinInteger(size));
  if (const wchar_t* sharpness = attribute(L"shadowsharpness")) {
    // A negative value becomes huge as unsigned and is rejected.
    shadow.ChangeSharpness(static_cast<unsigned>(ParseSkinInteger(sharpness)));
  }
  if (const wchar_t* darkness = attribute(L"shadowdarkness")) {
    shadow.ChangeDarkness(static_cast<unsigned>(ParseSkinInteger(darkness)));
  }
  if (const wchar_t* position = attribute(L"shadowposition")) {
    int offset[2] = {};
    ParseSkinIntegerList(position, offset, 2);
    shadow.ChangeOffset(offset[0], offset[1]);
  }
  if (const wchar_t* colour = attribute(L"shadowcolor")) shadow.ChangeColour(ParseShadowColour(colour));
  return true;
}

}  // namespace SkinUI
