// Tarvic's composition root: the real Windows under the program's logic.
#include <windows.h>

#include <cstdlib>

#include "platform/win32/w32_platform.h"
#include "platform/win32/win32_forms.h"
#include "tarvic/startup/main.h"

// The default terminate handler pulls in the demangler; a plain abort is
// all an uncaught error deserves here.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    w32::Win32Platform windows;
    platform::Platform system = windows.platform();
    Win32Backend backend(instance);
    forms::Toolkit toolkit(backend);
    ModuleIni ini(system);
    App app{system, toolkit, ini};
    const auto form1 = Main(app);
    if (!form1) return 0;
    return backend.run();
}
