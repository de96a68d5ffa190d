// Plain text drawing and measuring with the window's fonts.
#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/render/UIRender.h"

namespace SkinUI {
namespace {

HFONT FontFor(CUIPaintManager* manager, int id) {
  HFONT font = id >= 0 ? manager->GetFont(id) : nullptr;
  if (font == nullptr) {
    const FontInfo* fallback = manager->GetDefaultFontInfo();
    font = fallback ? fallback->font.get() : nullptr;
  }
  return font;
}

}  // namespace

void CUIRender::DrawText(HDC dc, CUIPaintManager* manager, RECT& rect, const wchar_t* text, DWORD color, int font,
                         UINT style) {
  if (dc == nullptr || manager == nullptr || text == nullptr || *text == L'\0') return;
  CUIString shown = CUIPaintManager::ProcessLanguageTokens(text);
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = ::SetTextColor(dc, RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF));
  {
    SelectedObject selected(dc, FontFor(manager, font));
    ::DrawTextW(dc, shown.GetData(), -1, &rect, style | DT_NOPREFIX);
  }
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
}

SIZE CUIRender::GetTextSize(HDC dc, CUIPaintManager* manager, const wchar_t* text, int font, UINT /*style*/) {
  SIZE size = {0, 0};
  if (dc == nullptr || manager == nullptr || text == nullptr) return size;
  CUIString shown = CUIPaintManager::ProcessLanguageTokens(text);
  SelectedObject selected(dc, FontFor(manager, font));
  ::GetTextExtentPoint32W(dc, shown.GetData(), shown.GetLength(), &size);
  return size;
}

}  // namespace SkinUI
