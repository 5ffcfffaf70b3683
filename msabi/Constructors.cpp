// A constructor built by Microsoft's compiler returns the object it built, and
// its callers may use the returned register; the constructor g++ builds
// returns nothing.  The DLL exports the constructor's Microsoft names from
// this shim, which builds the object in the caller's memory and returns it.
// On i686 both sides pass the object in ECX (thiscall).
#include <new>

#include "PloverMetaParser.h"

#if defined(__i386__)
// thiscall on a free function is exactly what is wanted here.
#pragma GCC diagnostic ignored "-Wattributes"
#define PLOVER_THISCALL __attribute__((thiscall))
#else
#define PLOVER_THISCALL
#endif

// noexcept: an allocation failure while the engines are created ends the
// process here rather than unwinding into frames of another compiler.
extern "C" CMetaParser* PLOVER_THISCALL plover_msabi_construct(CMetaParser* self) noexcept {
  return new (self) CMetaParser;
}
