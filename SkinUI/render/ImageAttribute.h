#pragma once
// Parsing of image attribute strings such as
// "file='res\mainWnd\Cb1.png' dest='0,2,16,18' corner='2,2,2,2'".
#include "SkinUI/render/DrawInfo.h"

namespace SkinUI {

// Fills imageName, resourceType and the drawing fields from info.attribute.
void ParseImageAttribute(DrawInfo& info);

// "l,t,r,b" with one separator character each; missing numbers are 0.
RECT ParseRectText(const wchar_t* text);
// Hexadecimal colour with an optional leading "#".
DWORD ParseColorText(const wchar_t* text);

}  // namespace SkinUI
