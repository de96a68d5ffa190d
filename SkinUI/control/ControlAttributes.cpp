// Attributes of the skin markup understood by every control.
#include <cwchar>

#include "SkinUI/control/ControlUI.h"
#include "SkinUI/render/ImageAttribute.h"

namespace SkinUI {
namespace {

bool IsTrue(const wchar_t* value) { return std::wcscmp(value, L"true") == 0; }

// Background colours skip leading whitespace and one "#"; border colours only the "#".
DWORD ParseBackColor(const wchar_t* value) {
  while (*value != L'\0' && *value <= L' ') ++value;
  return ParseColorText(value);
}

int ParseInt(const wchar_t* value) { return static_cast<int>(std::wcstol(value, nullptr, 10)); }

FloatPercent ParseFloatPercent(const wchar_t* value) {
  FloatPercent percent;
  double* fields[4] = {&percent.left, &percent.top, &percent.right, &percent.bottom};
  const wchar_t* p = value;
  for (double* field : fields) {
    wchar_t* end = nullptr;
    *field = std::wcstod(p, &end);
    if (end == p || *end == L'\0') break;
    p = end + 1;
  }
  return percent;
}

}  // namespace

void CControlUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  const CUIString key(name);
  if (key == L"pos") {
    const RECT rect = ParseRectText(value);
    SetFixedXY(SIZE{rect.left, rect.top});
    SetFixedWidth(rect.right - rect.left);
    SetFixedHeight(rect.bottom - rect.top);
  } else if (key == L"padding") {
    SetPadding(ParseRectText(value));
  } else if (key == L"bkcolor" || key == L"bkcolor1") {
    SetBkColor(ParseBackColor(value));
  } else if (key == L"bkcolor2") {
    SetBkColor2(ParseBackColor(value));
  } else if (key == L"bkcolor3") {
    SetBkColor3(ParseBackColor(value));
  } else if (key == L"bordercolor") {
    SetBorderColor(ParseColorText(value));
  } else if (key == L"focusbordercolor") {
    SetFocusBorderColor(ParseColorText(value));
  } else if (key == L"colorhsl") {
    SetColorHSL(IsTrue(value));
  } else if (key == L"bordersize") {
    if (std::wcschr(value, L',') == nullptr) {
      SetBorderSize(ParseInt(value));
    } else {
      SetBorderSize(ParseRectText(value));
    }
  } else if (key == L"borderstyle") {
    SetBorderStyle(ParseInt(value));
  } else if (key == L"borderround") {
    const RECT round = ParseRectText(value);
    SetBorderRound(SIZE{round.left, round.top});
  } else if (key == L"bkimage") {
    SetBkImage(value);
  } else if (key == L"width") {
    SetFixedWidth(ParseInt(value));
  } else if (key == L"height") {
    SetFixedHeight(ParseInt(value));
  } else if (key == L"minwidth") {
    SetMinWidth(ParseInt(value));
  } else if (key == L"minheight") {
    SetMinHeight(ParseInt(value));
  } else if (key == L"maxwidth") {
    SetMaxWidth(ParseInt(value));
  } else if (key == L"maxheight") {
    SetMaxHeight(ParseInt(value));
  } else if (key == L"name") {
    SetName(value);
  } else if (key == L"text") {
    SetText(value);
  } else if (key == L"tooltip") {
    SetToolTip(value);
  } else if (key == L"userdata") {
    SetUserData(value);
  } else if (key == L"tag") {
    SetTag(static_cast<UINT_PTR>(ParseInt(value)));
  } else if (key == L"enabled") {
    SetEnabled(IsTrue(value));
  } else if (key == L"mouse") {
    SetMouseEnabled(IsTrue(value));
  } else if (key == L"keyboard") {
    SetKeyboardEnabled(IsTrue(value));
  } else if (key == L"visible") {
    SetVisible(IsTrue(value));
  } else if (key == L"float") {
    if (std::wcschr(value, L',') == nullptr) {
      SetFloat(IsTrue(value));
    } else {
      SetFloatPercent(ParseFloatPercent(value));
      SetFloat(true);
    }
  } else if (key == L"shortcut") {
    SetShortcut(value[0]);
  } else if (key == L"menu") {
    SetContextMenuUsed(IsTrue(value));
  } else if (key == L"virtualwnd") {
    SetVirtualWnd(value);
  } else {
    AddCustomAttribute(name, value);
  }
}

void CControlUI::SetAttributeList(const wchar_t* list) {
  if (list == nullptr) return;
  const wchar_t* p = list;
  while (*p != L'\0') {
    CUIString name;
    while (*p != L'\0' && *p != L'=') name += *p++;
    if (p[0] != L'=' || p[1] != L'"') return;
    p += 2;
    CUIString value;
    while (*p != L'\0' && *p != L'"') value += *p++;
    if (*p != L'"') return;
    ++p;
    SetAttribute(name, value);
    if (*p != L' ') return;
    ++p;
  }
}

}  // namespace SkinUI
