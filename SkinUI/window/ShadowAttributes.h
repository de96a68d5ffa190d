#pragma once
// Switching a window's shadow on from the skin's custom window attributes
// ("showshadow", "shadowsize", "shadowsharpness", "shadowdarkness",
// "shadowposition", "shadowcolor").
#include <windows.h>

#include <cstdint>
#include <functional>

class CWndShadow;

namespace SkinUI {

// The value of a custom window attribute, or null when the skin has none.
using WindowAttributeLookup = std::function<const wchar_t*(const wchar_t* name)>;

// The text's leading optionally signed decimal digits; 0 without digits.
// *end (when given) receives the first character after the number.
int ParseSkinInteger(const wchar_t* text, const wchar_t** end = nullptr);
// count numbers, each followed by one separator character. A list that ends
// early leaves the remaining numbers 0 instead of reading past its end.
void ParseSkinIntegerList(const wchar_t* text, int* values, int count);
// "#AARRGGBB" or "AARRGGBB": one leading "#" is skipped, the rest is hexadecimal.
uint32_t ParseShadowColour(const wchar_t* text);

// When "showshadow" is "true" (any case): attaches the shadow to window and
// applies the shadow settings the skin gives. Out-of-range values keep the
// defaults. Returns whether the skin asked for a shadow.
bool ConfigureShadowFromSkin(CWndShadow& shadow, HWND window, const WindowAttributeLookup& attribute);

}  // namespace SkinUI
