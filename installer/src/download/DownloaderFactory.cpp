#include "installer/src/download/DownloaderFactory.h"

#include "installer/src/download/CurlDownloader.h"
#include "installer/src/download/MTCurlDownloader.h"
#include "installer/src/download/WinDownloader.h"

DownloaderKind DownloaderKindFor(int downloadType) {
  switch (downloadType) {
    case 2: return DownloaderKind::System;
    case 3: return DownloaderKind::MultiPart;
    default: return DownloaderKind::SingleStream;
  }
}

std::unique_ptr<CDownloader> CreateDownloader(int downloadType, DownloadCallback callback, std::wstring url,
                                              std::wstring targetPath) {
  switch (DownloaderKindFor(downloadType)) {
    case DownloaderKind::System:
      return std::make_unique<CWinDownloader>(std::move(callback), std::move(url), std::move(targetPath));
    case DownloaderKind::MultiPart:
      return std::make_unique<CMTCurlDownloader>(std::move(callback), std::move(url), std::move(targetPath));
    case DownloaderKind::SingleStream:
      break;
  }
  return std::make_unique<CCurlDownloader>(std::move(callback), std::move(url), std::move(targetPath));
}
