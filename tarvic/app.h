#pragma once
#include "helpers/module_ini.h"
#include "platform/forms/forms.h"
#include "platform/platform.h"

// What every window of the program reaches: the system, the forms toolkit
// and the settings helpers (with the process-wide iniFile).
struct App {
    platform::Platform& p;
    forms::Toolkit& tk;
    ModuleIni& ini;
};
