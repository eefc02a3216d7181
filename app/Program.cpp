// The program entry: the management system starts one module per device, with the device's address
// and SNMP parameters on the command line.

#include <exception>
#include <string>
#include <vector>

#include "library/HvSNMPSession.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "pages/Pages.h"
#include "platform/forms/Application.h"

int main(int argc, char** argv) {
    // Copied before the application object takes its own options (-platform, -style) out of argv.
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    forms::Application app(argc, argv);
    forms::Application::setTitle(QStringLiteral("QMX-7240NT"));
    int rc = 0;
    try {
        InitMibOptionLists();
        {
            MainFormEnvironment environment;
            environment.arguments = std::move(arguments);
            environment.pages = HvPages();
            TMainForm form(std::move(environment));
            MainForm = &form;
            forms::Form::setMainForm(&form);
            if (form.refused()) {
                rc = form.exitCode();
            } else {
                form.show();
                rc = app.exec();
            }
            forms::Form::setMainForm(nullptr);
            MainForm = nullptr;
        }
    } catch (...) {
        forms::Application::handleException();
        rc = 1;
    }
    HvSNMPSession::shutdown();
    FreeMibOptionLists();
    return rc;
}
