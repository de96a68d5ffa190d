#include "SkinUI/builder/WindowAttributes.h"

#include <cwchar>

#include "SkinUI/manager/UIPaintManager.h"

namespace SkinUI {
namespace {

bool Is(const wchar_t* name, const wchar_t* expected) { return _wcsicmp(name, expected) == 0; }

// Reads up to count decimal numbers separated by one character each.
void ReadNumbers(const wchar_t* value, long* numbers, int count) {
  wchar_t* end = const_cast<wchar_t*>(value);
  for (int i = 0; i < count; ++i) {
    numbers[i] = std::wcstol(end, &end, 10);
    if (*end == L'\0') break;
    ++end;
  }
}

SIZE ReadSize(const wchar_t* value) {
  long n[2] = {0, 0};
  ReadNumbers(value, n, 2);
  return {n[0], n[1]};
}

RECT ReadRect(const wchar_t* value) {
  long n[4] = {0, 0, 0, 0};
  ReadNumbers(value, n, 4);
  return {n[0], n[1], n[2], n[3]};
}

DWORD ReadColor(const wchar_t* value) {
  if (*value == L'#') ++value;
  return static_cast<DWORD>(std::wcstoul(value, nullptr, 16));
}

bool ReadBool(const wchar_t* value) { return _wcsicmp(value, L"true") == 0; }

}  // namespace

void ApplyWindowAttribute(CUIPaintManager& manager, const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  if (Is(name, L"size")) {
    const SIZE size = ReadSize(value);
    manager.SetInitSize(size.cx, size.cy);
  } else if (Is(name, L"sizebox")) {
    manager.SetSizeBox(ReadRect(value));
  } else if (Is(name, L"caption")) {
    manager.SetCaptionRect(ReadRect(value));
  } else if (Is(name, L"roundcorner")) {
    const SIZE size = ReadSize(value);
    manager.SetRoundCorner(size.cx, size.cy);
  } else if (Is(name, L"mininfo")) {
    const SIZE size = ReadSize(value);
    manager.SetMinInfo(size.cx, size.cy);
  } else if (Is(name, L"maxinfo")) {
    const SIZE size = ReadSize(value);
    manager.SetMaxInfo(size.cx, size.cy);
  } else if (Is(name, L"showdirty")) {
    manager.SetShowDirty(ReadBool(value));
  } else if (std::wcscmp(name, L"noactivate") == 0) {
    manager.SetNoActivate(ReadBool(value));
  } else if (Is(name, L"opacity")) {
    const BYTE opacity = static_cast<BYTE>(std::wcstol(value, nullptr, 10));
    manager.SetOpacity(opacity);
    if (HWND window = manager.GetPaintWindow()) {
      const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
      ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
      if (!::SetLayeredWindowAttributes(window, 0, opacity, LWA_ALPHA)) {
        // The window stays opaque; nothing else depends on the alpha.
        ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle);
      }
    }
  } else if (Is(name, L"disabledfontcolor")) {
    manager.SetDefaultDisabledColor(ReadColor(value));
  } else if (Is(name, L"defaultfontcolor")) {
    manager.SetDefaultFontColor(ReadColor(value));
  } else if (Is(name, L"linkfontcolor")) {
    manager.SetDefaultLinkFontColor(ReadColor(value));
  } else if (Is(name, L"linkhoverfontcolor")) {
    manager.SetDefaultLinkHoverFontColor(ReadColor(value));
  } else if (Is(name, L"selectedcolor")) {
    manager.SetDefaultSelectedBkColor(ReadColor(value));
  } else {
    manager.AddWindowCustomAttribute(name, value);
  }
}

}  // namespace SkinUI
