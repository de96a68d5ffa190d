#pragma once
// Chooses the downloader for a download type: 2 the system URL service, 3 the
// two-range downloader, any other value the single-stream downloader.
#include <memory>
#include <string>

#include "installer/src/download/Downloader.h"

enum class DownloaderKind { SingleStream, MultiPart, System };

DownloaderKind DownloaderKindFor(int downloadType);

std::unique_ptr<CDownloader> CreateDownloader(int downloadType, DownloadCallback callback, std::wstring url,
                                              std::wstring targetPath);
