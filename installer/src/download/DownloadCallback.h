#pragma once
// The event callable of the install flow: (code, value, text). Downloaders,
// the package runner and the uninstaller call it from their worker threads;
// the text is valid only during the call.
#include <functional>

using DownloadCallback = std::function<void(int code, double value, const wchar_t* text)>;

// Download events.
enum : int {
  DL_CODE_START = 1001,
  DL_CODE_PROGRESS = 1002,
  DL_CODE_SUCCESS = 1003,
  DL_CODE_FAIL = 1004,
  DL_CODE_RETRY = 1005,
  DL_CODE_INFO = 1006,
};
