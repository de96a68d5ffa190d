#pragma once
// The soft drop shadow of a skinned window: a layered, click-through popup
// owned by the window it shadows (the parent). It hooks the parent's window
// procedure to follow its moves, sizes, hiding, showing and minimising, and
// is redrawn from the parent's window region and the shadow settings.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "SkinUI/render/ImageInfo.h"
#include "SkinUI/window/ShadowPixels.h"

class CWndShadow {
 public:
  enum Status : uint8_t { Attached = 1, ShadowVisible = 2, ParentVisible = 4 };

  // Looks up the layered-window update and registers "SkinShadowWnd". False
  // when shadows are unavailable or already registered.
  static bool RegisterShadowClass(HINSTANCE instance);

  CWndShadow() = default;
  virtual ~CWndShadow();
  CWndShadow(const CWndShadow&) = delete;
  CWndShadow& operator=(const CWndShadow&) = delete;

  // Creates the shadow window for parent and hooks the parent's messages.
  // Does nothing when shadows are unavailable.
  void AttachTo(HWND parent);

  // Each returns false and keeps the old value when the value is out of range.
  bool ChangeColour(uint32_t colour);
  bool ChangeDarkness(unsigned darkness);
  bool ChangeSharpness(unsigned sharpness);
  bool ChangeSize(int size);
  bool ChangeOffset(int x, int y);
  // Switches to image mode: the image (a skin file) is drawn as a nine-grid
  // around the parent, extending corner beyond it on each side; the grid's
  // margins are corner + holeOffset and its centre cell is left out. False
  // when the image does not load (the previous image and mode stay).
  bool ChangeImage(const wchar_t* image, const RECT& corner, const RECT& holeOffset);

  void RebuildShadow(HWND parent);

  const SkinUI::ShadowSettings& Settings() const { return m_settings; }
  uint8_t GetStatus() const { return m_status; }
  HWND GetShadowWindow() const { return m_hWnd; }
  bool IsImageMode() const { return m_image != nullptr; }

 private:
  static LRESULT CALLBACK ShadowWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ParentHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void OnParentMessage(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
  bool ShadowExists() const;
  void ShowShadow();
  void HideShadow();
  POINT ShadowPosition(const RECT& parentRect) const;
  SIZE ShadowSize(const RECT& parentRect) const;
  void DrawShadowImage(HDC dc, SIZE size) const;
  void ComputeShadowPixels(uint32_t* pixels, HWND parent, const RECT& parentRect) const;
  void RebuildIfVisible();

  HWND m_hWnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));
  WNDPROC m_OriginParentProc = nullptr;
  HWND m_parent = nullptr;
  uint8_t m_status = 0;
  SkinUI::ShadowSettings m_settings;
  uint32_t m_lastParentSize = 0;
  bool m_updatePending = false;
  std::unique_ptr<SkinUI::ImageInfo> m_image;
  RECT m_imageCorner = {};
  RECT m_imageHoleOffset = {};
};
