#pragma once
// A control that shows a text with its own font, colours, padding and
// alignment, and estimates its size from the text.
#include "SkinUI/control/ControlUI.h"

namespace SkinUI {

class CLabelUI : public CControlUI {
 public:
  CLabelUI();

  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;
  void SetText(const wchar_t* text) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  SIZE MeasureSize(SIZE available) override;
  void PaintText(HDC dc) override;

  virtual UINT GetTextStyle() const;
  virtual void SetTextStyle(UINT style);
  virtual int GetFont() const;
  virtual void SetFont(int font);
  virtual DWORD GetTextColor() const;
  virtual void SetTextColor(DWORD color);
  virtual DWORD GetDisabledTextColor() const;
  virtual void SetDisabledTextColor(DWORD color);
  virtual RECT GetTextPadding() const;
  virtual void SetTextPadding(RECT padding);
  virtual bool IsShowHtml() const;
  virtual void SetShowHtml(bool show);
  virtual bool IsMultiLine() const;
  virtual void SetMultiLine(bool multiLine);

 protected:
  // Text colours left unset take the window's defaults.
  void ResolveTextColors();
  // Plain text drawing; formatted text is drawn plainly as well, since no
  // skin of the installer uses it.
  void DrawLabelText(HDC dc, RECT area, DWORD color, UINT style);
  RECT TextArea() const;

  UINT textStyle_ = DT_SINGLELINE | DT_VCENTER;
  int font_ = -1;
  DWORD textColor_ = 0;
  DWORD disabledTextColor_ = 0;
  RECT textPadding_ = {0, 0, 0, 0};
  bool showHtml_ = false;
  bool measureNeeded_ = true;
  SIZE cachedAvailable_ = {0, 0};
  SIZE cachedSize_ = {0, 0};
};

}  // namespace SkinUI
