#include "shell/shellscreens.h"

#include "common/screenregistry.h"
#include "shell/aboutsoft.h"
#include "shell/sysinfo.h"

namespace shell {

void registerScreens()
{
    screens::registerScreen(QStringLiteral("TsysInfo"), [] { return new TsysInfo; });
    screens::registerScreen(QStringLiteral("Taboutsoftfrm"), [] { return new Taboutsoftfrm; });
}

}  // namespace shell
