#include "tarvic/startup/main.h"

#include <cmath>
#include <string>

#include "helpers/number_text.h"
#include "tarvic/mainwindow/countdown.h"
#include "tarvic/startup/cmd_action.h"

namespace {

const char* const kTitle = "Tarvic";

} // namespace

int windowEdge(const std::string& stored) {
    const double v = helpers::val(stored);
    if (!(v > 0)) return 0;
    return v >= 2147483647.0 ? 2147483647 : static_cast<int>(std::lround(v));
}

std::unique_ptr<Form1> Main(App& app) {
    auto form1 = std::make_unique<Form1>(app);
    if (!app.p.process.claimSingleInstance(kTitle)) {
        app.p.process.exitNow(0);
        app.tk.quit();
        return nullptr;
    }
    app.p.process.setCurrentDirectory(app.p.process.programDirectory());
    const std::string appDir = app.ini.appDir();
    form1->load();
    form1->Form_Load();
    if (app.tk.ended()) return form1;
    app.ini.iniFile = appDir + form1->caption() + ".INI";

    auto& store = app.p.userStore;
    const int top = windowEdge(store.get(kTitle, "Form", "Top", "100"));
    const int left = windowEdge(store.get(kTitle, "Form", "Left", "100"));
    const int tray = static_cast<int>(helpers::val(store.get(kTitle, "Form", "Tray", "0")));
    form1->setTop(top);
    form1->setLeft(left);
    form1->show();
    form1->Check1.setValue(tray != 0 ? 1 : 0);

    const std::string commandLine = app.p.process.commandLine();
    if (tarvic::cmdKeywords(commandLine).tray) form1->Check1.setValue(1);
    if (!commandLine.empty()) cmdAction(app, *form1);
    return form1;
}

void cmdAction(App& app, Form1& form1) {
    const tarvic::CmdKeywords k = tarvic::cmdKeywords(app.p.process.commandLine());
    if (!k.act) return;
    CountDown& dialog = form1.loadCountDown();
    dialog.show();
    app.tk.doEvents();
    dialog.tag = std::to_string(k.mode);
}
