#pragma once
// A label that reacts to the mouse and keyboard: hot, pushed, focused and
// disabled states with their images and colours, a hover fade, and the
// "click" notification when released inside.
#include "SkinUI/controls/LabelUI.h"

namespace SkinUI {

// Button state flags.
enum : UINT {
  UISTATE_FOCUSED = 0x01,
  UISTATE_SELECTED = 0x02,
  UISTATE_DISABLED = 0x04,
  UISTATE_HOT = 0x08,
  UISTATE_PUSHED = 0x10,
  UISTATE_CAPTURED = 0x40,
};

class CButtonUI : public CLabelUI {
 public:
  // Local id of the hover fade timer.
  static constexpr UINT kFadeTimerId = 11;
  static constexpr UINT kFadeIntervalMs = 30;

  CButtonUI();

  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;
  UINT GetBehaviourFlags() const override;
  UINT GetControlFlags() const override;
  bool Activate() override;
  void SetEnabled(bool enabled = true) override;
  void HandleEvent(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  SIZE MeasureSize(SIZE available) override;
  void PaintStateImage(HDC dc) override;
  void PaintText(HDC dc) override;

  UINT GetButtonState() const { return state_; }
  BYTE GetFadeAlpha() const { return fadeAlpha_; }

  const wchar_t* GetNormalImage() const { return normalImage_.attribute; }
  void SetNormalImage(const wchar_t* image) { SetImage(normalImage_, image); }
  const wchar_t* GetHotImage() const { return hotImage_.attribute; }
  void SetHotImage(const wchar_t* image) { SetImage(hotImage_, image); }
  const wchar_t* GetPushedImage() const { return pushedImage_.attribute; }
  void SetPushedImage(const wchar_t* image) { SetImage(pushedImage_, image); }
  const wchar_t* GetFocusedImage() const { return focusedImage_.attribute; }
  void SetFocusedImage(const wchar_t* image) { SetImage(focusedImage_, image); }
  const wchar_t* GetDisabledImage() const { return disabledImage_.attribute; }
  void SetDisabledImage(const wchar_t* image) { SetImage(disabledImage_, image); }
  const wchar_t* GetForeImage() const { return foreImage_.attribute; }
  void SetForeImage(const wchar_t* image) { SetImage(foreImage_, image); }
  const wchar_t* GetHotForeImage() const { return hotForeImage_.attribute; }
  void SetHotForeImage(const wchar_t* image) { SetImage(hotForeImage_, image); }
  const wchar_t* GetFiveStatusImage() const { return fiveStatusImage_.attribute; }
  void SetFiveStatusImage(const wchar_t* image) { SetImage(fiveStatusImage_, image); }

  DWORD GetHotBkColor() const { return hotBkColor_; }
  void SetHotBkColor(DWORD color) { hotBkColor_ = color; }
  DWORD GetPushedBkColor() const { return pushedBkColor_; }
  void SetPushedBkColor(DWORD color) { pushedBkColor_ = color; }
  DWORD GetDisabledBkColor() const { return disabledBkColor_; }
  void SetDisabledBkColor(DWORD color) { disabledBkColor_ = color; }
  DWORD GetHotTextColor() const { return hotTextColor_; }
  void SetHotTextColor(DWORD color) { hotTextColor_ = color; }
  DWORD GetPushedTextColor() const { return pushedTextColor_; }
  void SetPushedTextColor(DWORD color) { pushedTextColor_ = color; }
  DWORD GetFocusedTextColor() const { return focusedTextColor_; }
  void SetFocusedTextColor(DWORD color) { focusedTextColor_ = color; }
  int GetFadeDelta() const { return fadeDelta_; }
  void SetFadeDelta(int delta) { fadeDelta_ = static_cast<BYTE>(delta); }

 protected:
  // An equal image text that is already loaded is kept; otherwise the old
  // reference is dropped and the control repainted.
  void SetImage(DrawInfo& info, const wchar_t* image);
  bool DrawState(HDC dc, DrawInfo& info);
  void DrawStateFaded(HDC dc, DrawInfo& info, BYTE alpha);
  void RefreshState();
  // The button's state painting; options ask it with the pushed flag ignored.
  void PaintButtonStateImage(HDC dc, UINT state);
  void PaintButtonText(HDC dc, UINT state);
  void StartFade();
  void StepFade();

  UINT state_ = 0;
  DWORD hotBkColor_ = 0;
  DWORD pushedBkColor_ = 0;
  DWORD disabledBkColor_ = 0;
  DWORD hotTextColor_ = 0;
  DWORD pushedTextColor_ = 0;
  DWORD focusedTextColor_ = 0;
  DrawInfo normalImage_;
  DrawInfo hotImage_;
  DrawInfo pushedImage_;
  DrawInfo focusedImage_;
  DrawInfo disabledImage_;
  DrawInfo foreImage_;
  DrawInfo hotForeImage_;
  DrawInfo fiveStatusImage_;
  BYTE fadeDelta_ = 0;
  BYTE fadeAlpha_ = 255;
};

}  // namespace SkinUI
