#pragma once
// Where TLS peers are checked against: the PEM file named by the environment
// variable MELODRIX_CA_BUNDLE, or the system store when it is unset. Shared by
// every HTTPS client of the installer (downloads and analytics).
#include <string>

// The bundle path in UTF-8; empty when MELODRIX_CA_BUNDLE is unset or empty.
std::string CaBundlePath();
