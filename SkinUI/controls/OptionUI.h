#pragma once
// A button with a selected state. Options sharing a group name in one window
// behave as radio buttons; an ungrouped option toggles like a check box.
#include "SkinUI/controls/ButtonUI.h"

namespace SkinUI {

class COptionUI : public CButtonUI {
 public:
  COptionUI();

  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;
  bool Activate() override;
  void SetEnabled(bool enabled = true) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  void PaintStateImage(HDC dc) override;
  void PaintText(HDC dc) override;

  virtual bool IsSelected() const;
  virtual void Selected(bool selected, bool notify = true);
  virtual const CUIString& GetGroup() const;
  virtual void SetGroup(const wchar_t* group);

  const wchar_t* GetSelectedImage() const { return selectedImage_.attribute; }
  void SetSelectedImage(const wchar_t* image) { SetImage(selectedImage_, image); }
  const wchar_t* GetSelectedHotImage() const { return selectedHotImage_.attribute; }
  void SetSelectedHotImage(const wchar_t* image) { SetImage(selectedHotImage_, image); }
  const wchar_t* GetOptionForeImage() const { return optionForeImage_.attribute; }
  void SetOptionForeImage(const wchar_t* image) { SetImage(optionForeImage_, image); }
  DWORD GetSelectedBkColor() const { return selectedBkColor_; }
  void SetSelectedBkColor(DWORD color) { selectedBkColor_ = color; }
  DWORD GetSelectedTextColor() const { return selectedTextColor_; }
  void SetSelectedTextColor(DWORD color) { selectedTextColor_ = color; }

 private:
  // The other options of this option's group in the same window.
  void DeselectGroupMates();

  bool selected_ = false;
  CUIString group_;
  DWORD selectedBkColor_ = 0;
  DWORD selectedTextColor_ = 0;
  DrawInfo selectedImage_;
  DrawInfo selectedHotImage_;
  DrawInfo optionForeImage_;
};

// The same control under the tag "CheckBox".
class CCheckBoxUI : public COptionUI {
 public:
  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;
};

}  // namespace SkinUI
