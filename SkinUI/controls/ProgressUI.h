#pragma once
// A label that shows a value between a minimum and a maximum as a foreground
// image drawn over the filled part.
#include "SkinUI/controls/LabelUI.h"

namespace SkinUI {

class CProgressUI : public CLabelUI {
 public:
  CProgressUI();

  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  void PaintStateImage(HDC dc) override;

  bool IsHorizontal() const { return horizontal_; }
  void SetHorizontal(bool horizontal);
  int GetMinValue() const { return min_; }
  void SetMinValue(int value);
  int GetMaxValue() const { return max_; }
  void SetMaxValue(int value);
  int GetValue() const { return value_; }
  void SetValue(int value);
  const wchar_t* GetForeImage() const { return foreImage_.attribute; }
  void SetForeImage(const wchar_t* image);

 private:
  bool horizontal_ = true;
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
  DrawInfo foreImage_;
};

// The part of a width x height bar that a value fills, as an offset within
// the bar; a bar without range counts as one unit wide and the value is kept
// inside the range.
RECT ProgressFillOffset(bool horizontal, int width, int height, int minimum, int maximum, int value);

}  // namespace SkinUI
