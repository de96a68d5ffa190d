#include "installer/src/utils/NetworkProbe.h"

#include <windows.h>
#include <netlistmgr.h>
#include <objbase.h>

#include "installer/src/utils/DebugLog.h"

namespace Utils {

int CheckNetwork() {
  INetworkListManager* manager = nullptr;
  HRESULT hr = ::CoCreateInstance(CLSID_NetworkListManager, nullptr, CLSCTX_ALL,
                                  IID_INetworkListManager, reinterpret_cast<void**>(&manager));
  if (FAILED(hr) || manager == nullptr) return 0;
  NLM_CONNECTIVITY flags = NLM_CONNECTIVITY_DISCONNECTED;
  manager->GetConnectivity(&flags);
  int verdict = 0;
  if (flags == 0) {
    DEBUG_LOG_AS_NOEOL(L"Utils::CheckNetwork", L"GetConnectivity %d", static_cast<int>(flags));
    verdict = 1;
  } else {
    VARIANT_BOOL connected = VARIANT_FALSE;  // a failed call counts as not connected
    manager->IsConnectedToInternet(&connected);  // the property getter of get_IsConnectedToInternet
    if (connected == VARIANT_FALSE) {
      DEBUG_LOG_AS_NOEOL(L"Utils::CheckNetwork", L"get_IsConnectedToInternet:%d",
                         static_cast<int>(connected));
      verdict = 2;
    }
  }
  manager->Release();
  ::CoFreeUnusedLibraries();
  return (static_cast<int>(flags) & 0xFFFF) + verdict * 65536;
}

}  // namespace Utils
