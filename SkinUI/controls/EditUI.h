#pragma once
// A single-line text field: shows its text (or a hint while empty, or mask
// characters in password mode) with state images.
#include "SkinUI/controls/ButtonUI.h"
#include "SkinUI/controls/LabelUI.h"

namespace SkinUI {

class CEditWnd;

class CEditUI : public CLabelUI {
 public:
  CEditUI();
  ~CEditUI() override;

  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;
  UINT GetBehaviourFlags() const override;
  UINT GetControlFlags() const override;
  void SetEnabled(bool enabled = true) override;
  void HandleEvent(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  void PaintStateImage(HDC dc) override;
  void PaintText(HDC dc) override;
  HWND GetChildWindow() override;
  void SetText(const wchar_t* text) override;
  void Place(RECT rect, bool invalidate = true) override;
  void Move(SIZE offset, bool invalidate = true) override;
  void SetVisible(bool visible = true) override;
  void SetShownByParent(bool shown) override;

  // ---- For the native edit window ----
  bool IsEditing() const { return editWnd_ != nullptr; }
  // The text area, cut to the font's height and centred, clipped by every
  // ancestor; empty when an ancestor is hidden or does not overlap.
  RECT GetNativeRect() const;
  // Alignment, password and number-only bits of the native window's style.
  DWORD GetNativeStyle() const;
  // The native text changed: copied without repainting through SetText.
  void TakeNativeText(const wchar_t* text);
  void OnEditWindowClosed();

  int GetMaxChar() const { return maxChar_; }
  void SetMaxChar(int count) { maxChar_ = count; }
  bool IsReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  bool IsPasswordMode() const { return password_; }
  void SetPasswordMode(bool password);
  wchar_t GetPasswordChar() const { return passwordChar_; }
  void SetPasswordChar(wchar_t ch);
  bool IsNumberOnly() const { return (extraStyle_ & ES_NUMBER) != 0; }
  void SetNumberOnly(bool numberOnly);
  bool IsAutoSelectAll() const { return autoSelectAll_; }
  void SetAutoSelectAll(bool autoSelectAll) { autoSelectAll_ = autoSelectAll; }
  const CUIString& GetTipValue() const { return tipValue_; }
  void SetTipValue(const wchar_t* text);
  DWORD GetTipValueColor() const { return tipValueColor_; }
  void SetTipValueColor(DWORD color);
  DWORD GetNativeBkColor() const { return nativeBkColor_; }
  void SetNativeBkColor(DWORD color) { nativeBkColor_ = color; }
  DWORD GetNativeTextColor() const { return nativeTextColor_; }
  void SetNativeTextColor(DWORD color) { nativeTextColor_ = color; }
  UINT GetEditState() const { return state_; }

  const wchar_t* GetNormalImage() const { return normalImage_.attribute; }
  void SetNormalImage(const wchar_t* image) { SetImage(normalImage_, image); }
  const wchar_t* GetHotImage() const { return hotImage_.attribute; }
  void SetHotImage(const wchar_t* image) { SetImage(hotImage_, image); }
  const wchar_t* GetFocusedImage() const { return focusedImage_.attribute; }
  void SetFocusedImage(const wchar_t* image) { SetImage(focusedImage_, image); }
  const wchar_t* GetDisabledImage() const { return disabledImage_.attribute; }
  void SetDisabledImage(const wchar_t* image) { SetImage(disabledImage_, image); }

  // The text as shown: the tip while empty, mask characters in password mode.
  CUIString GetShownText() const;

 private:
  void SetImage(DrawInfo& info, const wchar_t* image);
  void StartEditing();
  // Editing ends when the edit is no longer shown.
  void EndEditingIfHidden();

  CEditWnd* editWnd_ = nullptr;
  bool DrawState(HDC dc, DrawInfo& info);

  int maxChar_ = 255;
  bool readOnly_ = false;
  bool password_ = false;
  bool autoSelectAll_ = false;
  wchar_t passwordChar_ = L'*';
  UINT extraStyle_ = 0;
  UINT state_ = 0;
  DWORD nativeBkColor_ = 0xFFFFFFFF;
  DWORD nativeTextColor_ = 0;
  CUIString tipValue_;
  DWORD tipValueColor_ = 0;
  DrawInfo normalImage_;
  DrawInfo hotImage_;
  DrawInfo focusedImage_;
  DrawInfo disabledImage_;
};

}  // namespace SkinUI
