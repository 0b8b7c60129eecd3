// The resource probe: a hook library put into the program's window thread. When the driver sends
// the measure message to one of the program's windows, it measures the program from inside and
// leaves the figures in the shared record.
#include <windows.h>

#include "tests/e2e/shared_record.h"
#include "tests/load/resource_figures.h"

// WH_CALLWNDPROC: sees the sent message before the window does.
extern "C" __declspec(dllexport) LRESULT CALLBACK MeasureOnRequest(int code, WPARAM fromThisThread, LPARAM message) {
  static const UINT request = ::RegisterWindowMessageW(kMeasureMessageName);
  if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(message)->message == request) {
    static ResourceFigures* const figures = OpenSharedRecord<ResourceFigures>(kResourceFiguresName);
    if (figures != nullptr) {
      MeasureThisProcess(*figures);
      ::InterlockedIncrement(&figures->measurements);
    }
  }
  return ::CallNextHookEx(nullptr, code, fromThisThread, message);
}
