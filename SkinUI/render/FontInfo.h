#pragma once
// A font registered with a paint manager.
#include <windows.h>

#include "SkinUI/core/UIString.h"
#include "SkinUI/render/GdiResources.h"

namespace SkinUI {

struct FontInfo {
  UniqueFont font;
  CUIString faceName;
  int size = 0;
  bool bold = false;
  bool underline = false;
  bool italic = false;
  TEXTMETRICW metrics = {};
};

}  // namespace SkinUI
