#pragma once
// What every downloader offers its owner: Start, which begins (or, after
// DL_CODE_RETRY, restarts) the download on a worker thread and returns at once.
// Downloaders are never destroyed through this base.
#include "installer/src/download/DownloadCallback.h"

class CDownloader {
 public:
  virtual void Start() = 0;

 protected:
  ~CDownloader() = default;
};
