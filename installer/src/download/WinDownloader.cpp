#include "installer/src/download/WinDownloader.h"

#include <cstdint>

#include "installer/src/utils/Strings.h"

namespace {
constexpr int kAttempts = 3;
}

CWinDownloader::CBindCallback::~CBindCallback() { cancelled_ = true; }

HRESULT CWinDownloader::CBindCallback::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback) ||
      IsEqualIID(riid, IID_IBindStatusCallbackEx)) {
    *object = static_cast<IBindStatusCallbackEx*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT CWinDownloader::CBindCallback::OnStartBinding(DWORD, IBinding* binding) {
  binding_ = binding;
  return E_NOTIMPL;
}

HRESULT CWinDownloader::CBindCallback::OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) {
  if (cancelled_) return E_ABORT;
  if (progressMax == 0) return S_OK;
  if (callback_) callback_(DL_CODE_PROGRESS, static_cast<double>(progress) / static_cast<double>(progressMax), L"");
  return S_OK;
}

HRESULT CWinDownloader::CBindCallback::GetBindInfo(DWORD*, BINDINFO* info) {
  if (info != nullptr) info->dwCodePage = 65001;
  return E_NOTIMPL;
}

CWinDownloader::CWinDownloader(DownloadCallback callback, std::wstring url, std::wstring targetPath)
    : callback_(std::move(callback)),
      path_(std::move(targetPath)),
      url_(std::move(url)),
      worker_(this, L"ABDEF", &CWinDownloader::DownloadThreadFun) {}

CWinDownloader::~CWinDownloader() {
  bindCallback_.Cancel();
  // A worker that never ran is still suspended: let it through without work so it can be joined.
  if (!started_.exchange(true)) {
    skipRun_ = true;
    worker_.Start();
  }
  worker_.Join();
}

void CWinDownloader::Start() {
  if (started_.exchange(true)) return;
  bindCallback_.SetCallback(callback_);
  if (!worker_.Start()) Send(DL_CODE_FAIL, 0.0, L"");  // without a worker nothing else would ever settle the run
}

std::wstring CWinDownloader::RequestUrl(const std::wstring& url) {
  if (Utils::StartsWith(url, L"file:///")) return url;
  return Utils::UrlEncode(url);
}

void CWinDownloader::DownloadThreadFun(void* downloader) {
  auto* self = static_cast<CWinDownloader*>(downloader);
  if (!self->skipRun_) self->Run();
}

void CWinDownloader::Send(int code, double value, const wchar_t* text) {
  if (callback_) callback_(code, value, text);
}

void CWinDownloader::Run() {
  const HRESULT com = ::CoInitialize(nullptr);
  Send(DL_CODE_START, 1.0, L"");
  if (path_.empty()) {
    Send(DL_CODE_FAIL, 1.0, L"");
  } else {
    const std::wstring request = RequestUrl(url_);
    HRESULT result = E_FAIL;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      result = ::URLDownloadToFileW(nullptr, request.c_str(), path_.c_str(), 0, &bindCallback_);
      if (result == S_OK) break;
      ::Sleep(1000);
    }
    if (result == S_OK)
      Send(DL_CODE_SUCCESS, 0.0, L"URLDownloadToFile");
    else
      Send(DL_CODE_FAIL, static_cast<double>(static_cast<int32_t>(result)), L"URLDownloadToFile");
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
}
