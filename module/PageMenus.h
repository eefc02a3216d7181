#pragma once

// The pages add their own items to the main window's menu: each page unit registers an installer
// when the program is linked, and the program entry runs them once the main window stands. The
// pages lie above the module, so the main window cannot name them itself.

#include <functional>

class TMainForm;

using PageMenuInstaller = std::function<void(TMainForm&)>;

// Registers an installer; installers run in the order of order, then of registration. Returns
// true, so a unit can register from the initialiser of a constant.
bool RegisterPageMenu(int order, PageMenuInstaller installer);
// Runs every registered installer on the main window.
void InstallPageMenus(TMainForm& mainForm);
