// Library load notification of the Windows DLL: per-thread attach and detach
// notifications are turned off; there is no other start-up or shutdown work.
#if defined(_WIN32) && defined(PLOVERMETAPARSER_BUILD)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
#endif
