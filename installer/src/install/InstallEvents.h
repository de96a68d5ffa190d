#pragma once
// Event codes of the install phase (the big package) and of the removal of
// the previous version, carried through DownloadCallback like the download codes.
enum : int {
  IST_CODE_START = 2001,
  IST_CODE_PROGRESS = 2002,
  INSTALL_SUCCESS = 2003,
  IST_CODE_FAIL = 2004,

  IST_INFO_INST_PATH = 3000,
  IST_INFO_EXE_PATH = 3001,
  IST_INFO_UNINST_EXE = 3002,
  IST_INFO_UNINST_EP = 3003,
  IST_INFO_START_URL = 3004,
  IST_INFO_STARTUP_STYLE = 3005,
  IST_INFO_TOP_SHOW_DETENTION = 3007,
  IST_INFO_FINISH_CLOSE_DETENTION = 3008,
  IST_INFO_MESSAGE = 3009,

  UNIST_CODE_PROGRESS = 5002,
  UNIST_CODE_SUCCESS = 5003,
  UNIST_CODE_FAIL = 5004,
  UNIST_CODE_ERROR = 5005,
};

// Values of IST_CODE_FAIL and UNIST_CODE_FAIL.
constexpr double kFailNotStarted = 2;    // the child could not be launched
constexpr double kFailPackageError = 1000;  // the package sent "Error="
constexpr double kUninstallerMissing = 1;

// Values of IST_INFO_STARTUP_STYLE.
constexpr double kNonStartup = 0;
constexpr double kAutoStartup = 1;
constexpr double kUserStartup = 2;
