#pragma once
// The parsed form of one image attribute string such as
// "file='res\mainWnd\Cb1.png' dest='0,2,16,18'".
#include <windows.h>

#include "SkinUI/core/UIString.h"

namespace SkinUI {

struct ImageInfo;

struct DrawInfo {
  CUIString attribute;      // the text as given in the skin
  CUIString imageName;
  CUIString resourceType;
  bool attempted = false;   // parsed and loaded once; never retried after a failure
  const ImageInfo* image = nullptr;
  RECT dest = {0, 0, 0, 0};     // offset within the item rectangle; zero = all of it
  RECT source = {0, 0, 0, 0};   // zero = the whole image
  RECT corner = {0, 0, 0, 0};   // nine-grid margins
  DWORD mask = 0;
  BYTE fade = 255;
  bool hole = false;
  bool tiledX = false;
  bool tiledY = false;
  bool hsl = false;

  void Clear() { *this = DrawInfo(); }
  void SetAttribute(const wchar_t* text) {
    Clear();
    attribute = text;
  }
};

}  // namespace SkinUI
