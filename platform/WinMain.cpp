// The Windows entry point of every program: hands over to the application object.
#include "WinApp.h"
#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The tail as UTF-16: the 8-bit one Windows passes has lost every letter
    // outside the code page.
    return CWinApp::Main(instance, CommandTail(GetCommandLineW()));
}

#if defined(__GNUC__)
// A GUI program has nowhere to print the runtime's verbose message about an
// uncaught exception; replacing the handler also keeps the name demangler
// out of the executable, which matters for a player that ships on every disc.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}
#endif
