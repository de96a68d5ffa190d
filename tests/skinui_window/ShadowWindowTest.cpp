#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "SkinUI/window/ShadowAttributes.h"
#include "SkinUI/window/ShadowList.h"
#include "SkinUI/window/WndShadow.h"
#include "tests/skinui_window/TestWindows.h"

namespace SkinUI {
namespace {

bool g_firstRegistration = false;
bool g_secondRegistration = true;

class ShadowClassEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    g_firstRegistration = CWndShadow::RegisterShadowClass(::GetModuleHandleW(nullptr));
    g_secondRegistration = CWndShadow::RegisterShadowClass(::GetModuleHandleW(nullptr));
  }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ShadowClassEnvironment);

// A borderless parent that gives itself a round-corner region on every size,
// like the skinned windows do.
class RoundParent : public ProbeWindow {
 public:
  RoundParent() : ProbeWindow(L"SkinUIShadowParent") {
    onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
      if (message == WM_SIZE && wParam != SIZE_MINIMIZED) {
        HRGN region = ::CreateRoundRectRgn(0, 0, LOWORD(lParam) + 1, HIWORD(lParam) + 1, 2, 2);
        ::SetWindowRgn(GetHWND(), region, TRUE);  // the window owns the region now
      }
      if (message == WM_PAINT) ++paints;
      return false;
    };
  }
  int paints = 0;
};

RECT WindowRect(HWND window) {
  RECT rect = {};
  ::GetWindowRect(window, &rect);
  return rect;
}

class ShadowWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Shown without activation: Wine then waits for no window manager when it goes.
    ASSERT_NE(parent_.Create(nullptr, L"parent", WS_POPUP, WS_EX_TOOLWINDOW, 100, 80, 600, 400), nullptr);
    ::ShowWindow(parent_, SW_SHOWNA);
    PumpMessages();
  }
  void TearDown() override {
    if (parent_.GetHWND() != nullptr) ::DestroyWindow(parent_);
    PumpMessages();
  }
  void AttachInstallerShadow() {
    shadow_->AttachTo(parent_);
    shadow_->ChangeSize(6);
    shadow_->ChangeSharpness(10);
    shadow_->ChangeDarkness(20);
    shadow_->ChangeOffset(1, 1);
    shadow_->ChangeColour(0x26003B76);
  }
  void ExpectShadowAround(int left, int top, int width, int height) {
    const RECT rect = WindowRect(shadow_->GetShadowWindow());
    EXPECT_EQ(rect.left, left - 5);
    EXPECT_EQ(rect.top, top - 5);
    EXPECT_EQ(rect.right - rect.left, width + 12);
    EXPECT_EQ(rect.bottom - rect.top, height + 12);
  }
  bool ShadowShown() const { return ::IsWindowVisible(shadow_->GetShadowWindow()) != FALSE; }

  RoundParent parent_;
  std::unique_ptr<CWndShadow> shadow_ = std::make_unique<CWndShadow>();
};

TEST(ShadowClassTest, RegistersOnceOnly) {
  EXPECT_TRUE(g_firstRegistration);
  EXPECT_FALSE(g_secondRegistration);
}

TEST_F(ShadowWindowTest, LayeredOwnedClickThroughWindowAroundAVisibleParent) {
  AttachInstallerShadow();
  HWND window = shadow_->GetShadowWindow();
  ASSERT_TRUE(::IsWindow(window));
  EXPECT_EQ(::GetWindow(window, GW_OWNER), parent_.GetHWND());
  const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED | WS_EX_TRANSPARENT);
  EXPECT_EQ(shadow_->GetStatus(), CWndShadow::Attached | CWndShadow::ShadowVisible | CWndShadow::ParentVisible);
  EXPECT_TRUE(ShadowShown());
  ExpectShadowAround(100, 80, 600, 400);
  EXPECT_EQ(::SendMessageW(window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(parent_.GetHWND()), 0),
            MA_NOACTIVATE);
}

TEST_F(ShadowWindowTest, ClicksOnTheShadowReachTheWindowBelow) {
  ProbeWindow below(L"SkinUIShadowBelow");
  ASSERT_NE(below.Create(nullptr, L"below", WS_POPUP, WS_EX_TOOLWINDOW, 50, 50, 700, 500), nullptr);
  ::ShowWindow(below, SW_SHOWNA);
  ::SetWindowPos(below, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  AttachInstallerShadow();
  // Inside the shadow ring, left of the parent: the shadow window is there,
  // but hit testing passes through it.
  const RECT shadowRect = WindowRect(shadow_->GetShadowWindow());
  const POINT onShadow = {shadowRect.left + 2, (shadowRect.top + shadowRect.bottom) / 2};
  EXPECT_EQ(::WindowFromPoint(onShadow), below.GetHWND());
  ::DestroyWindow(below);
}

// A 12x12 PNG, black at half opacity.
const unsigned char kShadowPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 
    0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x0C, 0x08, 0x06, 0x00, 0x00, 0x00, 0x56, 0x75, 0x5C, 
    0xE7, 0x00, 0x00, 0x00, 0x15, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0x60, 0x60, 0x60, 0x68, 
    0x20, 0x11, 0x8F, 0x6A, 0x18, 0xD5, 0x80, 0x0D, 0x03, 0x00, 0x4B, 0x1A, 0x48, 0x01, 0xF1, 0xB1, 
    0x82, 0x88, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// Writes the PNG into the temporary folder and returns its full path.
std::wstring WriteShadowPng() {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"skinui_shadow_test.png";
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return std::wstring();
  const bool written = std::fwrite(kShadowPng, 1, sizeof(kShadowPng), file) == sizeof(kShadowPng);
  std::fclose(file);
  return written ? path : std::wstring();
}

TEST_F(ShadowWindowTest, ImageModeSurroundsTheParentByItsCornerMargins) {
  const std::wstring png = WriteShadowPng();
  ASSERT_FALSE(png.empty());
  shadow_->AttachTo(parent_);
  EXPECT_FALSE(shadow_->ChangeImage(L"Z:\\no\\such\\shadow.png", RECT{1, 1, 1, 1}, RECT{}));
  EXPECT_FALSE(shadow_->IsImageMode());
  ASSERT_TRUE(shadow_->ChangeImage(png.c_str(), RECT{3, 4, 5, 6}, RECT{1, 1, 1, 1}));
  EXPECT_TRUE(shadow_->IsImageMode());
  RECT rect = WindowRect(shadow_->GetShadowWindow());
  EXPECT_EQ(rect.left, 97);
  EXPECT_EQ(rect.top, 76);
  EXPECT_EQ(rect.right, 705);
  EXPECT_EQ(rect.bottom, 486);
  // A failed change keeps the image and its margins.
  EXPECT_FALSE(shadow_->ChangeImage(L"Z:\\no\\such\\shadow.png", RECT{}, RECT{}));
  EXPECT_TRUE(shadow_->IsImageMode());
  ::SetWindowPos(parent_, nullptr, 200, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  rect = WindowRect(shadow_->GetShadowWindow());
  EXPECT_EQ(rect.left, 197);
  EXPECT_EQ(rect.top, 96);
  ::DeleteFileW(png.c_str());
}

TEST_F(ShadowWindowTest, SkinImageWithoutCornerCoversExactlyTheParent) {
  const std::wstring png = WriteShadowPng();
  ASSERT_FALSE(png.empty());
  std::map<std::wstring, std::wstring> attributes = {{L"showshadow", L"true"}, {L"shadowimage", png}};
  auto lookup = [&attributes](const wchar_t* name) -> const wchar_t* {
    auto found = attributes.find(name);
    return found == attributes.end() ? nullptr : found->second.c_str();
  };
  ASSERT_TRUE(ConfigureShadowFromSkin(*shadow_, parent_, lookup));
  EXPECT_TRUE(shadow_->IsImageMode());
  const RECT rect = WindowRect(shadow_->GetShadowWindow());
  const RECT parentRect = WindowRect(parent_);
  EXPECT_TRUE(::EqualRect(&rect, &parentRect));
  ::DeleteFileW(png.c_str());
}

TEST_F(ShadowWindowTest, FollowsMovesAndSizes) {
  AttachInstallerShadow();
  ::SetWindowPos(parent_, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ExpectShadowAround(300, 200, 600, 400);

  // Growing waits for the parent's next paint, after its new region is set.
  ::SetWindowPos(parent_, nullptr, 0, 0, 640, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ExpectShadowAround(300, 200, 600, 400);
  ::InvalidateRect(parent_, nullptr, FALSE);
  ::UpdateWindow(parent_);
  EXPECT_GT(parent_.paints, 0);
  ExpectShadowAround(300, 200, 640, 420);

  // Shrinking below the last size rebuilds at once.
  ::SetWindowPos(parent_, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ExpectShadowAround(300, 200, 500, 300);
}

TEST_F(ShadowWindowTest, HidesWithTheParentAndRebuildsAtItsNextPaint) {
  AttachInstallerShadow();
  ::ShowWindow(parent_, SW_HIDE);
  EXPECT_FALSE(ShadowShown());
  EXPECT_EQ(shadow_->GetStatus(), CWndShadow::Attached);

  ::SetWindowPos(parent_, nullptr, 250, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(parent_, SW_SHOWNA);
  EXPECT_TRUE(ShadowShown());
  EXPECT_EQ(shadow_->GetStatus(), CWndShadow::Attached | CWndShadow::ShadowVisible | CWndShadow::ParentVisible);
  ::InvalidateRect(parent_, nullptr, FALSE);
  ::UpdateWindow(parent_);
  ExpectShadowAround(250, 150, 600, 400);
}

TEST_F(ShadowWindowTest, MinimisingHidesAndRestoringShowsAgain) {
  AttachInstallerShadow();
  ::ShowWindow(parent_, SW_MINIMIZE);
  EXPECT_FALSE(ShadowShown());
  EXPECT_EQ(shadow_->GetStatus() & CWndShadow::ShadowVisible, 0);
  ::ShowWindow(parent_, SW_RESTORE);
  PumpMessages();
  EXPECT_TRUE(ShadowShown());
  ExpectShadowAround(100, 80, 600, 400);
}

TEST_F(ShadowWindowTest, HiddenParentGetsItsShadowWhenFirstShown) {
  ::ShowWindow(parent_, SW_HIDE);
  AttachInstallerShadow();
  EXPECT_EQ(shadow_->GetStatus(), CWndShadow::Attached);
  EXPECT_FALSE(ShadowShown());
  ::ShowWindow(parent_, SW_SHOWNA);
  ::InvalidateRect(parent_, nullptr, FALSE);
  ::UpdateWindow(parent_);
  EXPECT_TRUE(ShadowShown());
  ExpectShadowAround(100, 80, 600, 400);
}

TEST_F(ShadowWindowTest, DestroyingTheParentDestroysTheShadowAndForgetsIt) {
  AttachInstallerShadow();
  HWND window = shadow_->GetShadowWindow();
  HWND parent = parent_.GetHWND();
  EXPECT_EQ(FindShadow(parent), shadow_.get());
  ::DestroyWindow(parent);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(FindShadow(parent), nullptr);
  EXPECT_EQ(parent_.destroyedWindow, parent);
}

TEST_F(ShadowWindowTest, ShadowGoingFirstUnhooksItsParent) {
  AttachInstallerShadow();
  HWND window = shadow_->GetShadowWindow();
  const int before = parent_.messages;
  shadow_.reset();
  EXPECT_EQ(FindShadow(parent_), nullptr);
  // The parent keeps working through its own procedure.
  ::SetWindowPos(parent_, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_GT(parent_.messages, before);
  PumpMessages();  // delivers the close request posted to the shadow window
  EXPECT_FALSE(::IsWindow(window));
}

}  // namespace
}  // namespace SkinUI
