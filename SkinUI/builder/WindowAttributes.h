#pragma once
// The attributes of a layout's root Window element, applied to the paint
// manager of the window; unknown names become custom window attributes.
namespace SkinUI {

class CUIPaintManager;

void ApplyWindowAttribute(CUIPaintManager& manager, const wchar_t* name, const wchar_t* value);

}  // namespace SkinUI
