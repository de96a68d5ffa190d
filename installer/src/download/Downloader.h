#pragma once
// What every downloader offers its owner: Start, which begins (or, after
// DL_CODE_RETRY, restarts) the download on a worker thread and returns at once.
// The pipeline owns its downloader through this base, so the destructor is virtual.
#include "installer/src/download/DownloadCallback.h"

class CDownloader {
 public:
  virtual ~CDownloader() = default;
  virtual void Start() = 0;
};
