#pragma once
// The downloader that hands the transfer to the system's URL moniker service
// (URLDownloadToFileW). Three attempts, progress as the service reports it,
// no MD5 check and no libcurl.
#include <windows.h>
#include <urlmon.h>

#include <atomic>
#include <string>

#include "installer/src/download/Downloader.h"
#include "installer/src/utils/Thread.h"

class CWinDownloader : public CDownloader {
 public:
  // The status callback handed to the service. It lives inside the downloader
  // and does no reference counting.
  class CBindCallback : public IBindStatusCallbackEx {
   public:
    CBindCallback() = default;
    // Cancels a transfer still running.
    virtual ~CBindCallback();

    // IUnknown: answers IUnknown and the bind-status interfaces with itself.
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override { return 0; }
    STDMETHOD_(ULONG, Release)() override { return 0; }

    STDMETHOD(OnStartBinding)(DWORD reserved, IBinding* binding) override;
    STDMETHOD(GetPriority)(LONG*) override { return E_NOTIMPL; }
    STDMETHOD(OnLowResource)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(OnProgress)(ULONG progress, ULONG progressMax, ULONG statusCode, LPCWSTR statusText) override;
    STDMETHOD(OnStopBinding)(HRESULT, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHOD(GetBindInfo)(DWORD* flags, BINDINFO* info) override;
    STDMETHOD(OnDataAvailable)(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHOD(OnObjectAvailable)(REFIID, IUnknown*) override { return E_NOTIMPL; }
    STDMETHOD(GetBindInfoEx)(DWORD*, BINDINFO*, DWORD*, DWORD*) override { return E_NOTIMPL; }

    void SetCallback(DownloadCallback callback) { callback_ = std::move(callback); }
    void Cancel() { cancelled_ = true; }

   private:
    DownloadCallback callback_;
    std::atomic<bool> cancelled_{false};
    IBinding* binding_ = nullptr;  // kept as the service passed it; never used
  };

  // Creates the suspended worker; nothing is deleted on disk.
  CWinDownloader(DownloadCallback callback, std::wstring url, std::wstring targetPath);
  // Cancels a running transfer and waits for the worker.
  ~CWinDownloader() override;

  // Runs the download once; later calls do nothing.
  void Start() override;

  // The request URL: "file:///" URLs as they are, others percent-encoded (UTF-8).
  static std::wstring RequestUrl(const std::wstring& url);

 private:
  static void DownloadThreadFun(void* downloader);
  void Run();
  void Send(int code, double value, const wchar_t* text);

  CBindCallback bindCallback_;
  DownloadCallback callback_;
  std::wstring path_;
  std::wstring url_;
  std::atomic<bool> started_{false};
  std::atomic<bool> skipRun_{false};
  Utils::Thread worker_;
};
