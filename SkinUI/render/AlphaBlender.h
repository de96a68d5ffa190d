#pragma once
// Source-over blending of one bitmap cell onto a device context: msimg32's
// AlphaBlend, loaded at run time, or a software blend for 32-bit DIB
// sections (made top-down by CUIRender::CreateARGB32Bitmap) where that is missing.
#include <windows.h>

namespace SkinUI {

// sourceAlpha: the source pixels carry premultiplied alpha; fade is a
// constant alpha applied on top.
bool BlendCell(HDC dest, const RECT& to, HDC sourceDc, HBITMAP source, const RECT& from, BYTE fade,
               bool sourceAlpha);
// The software path, also used when AlphaBlend is unavailable.
bool SoftwareBlendCell(HDC dest, const RECT& to, HBITMAP source, const RECT& from, BYTE fade, bool sourceAlpha);

bool SystemAlphaBlendAvailable();
void SetSystemAlphaBlendEnabled(bool enabled);

// msimg32's GradientFill, or null.
using GradientFillFunction = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
GradientFillFunction SystemGradientFill();

}  // namespace SkinUI
