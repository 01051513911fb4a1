#include "personnel/personnelscreens.h"

#include "common/screenregistry.h"
#include "personnel/worker.h"

namespace personnel {

void registerRegisterScreens()
{
    screens::registerScreen(QStringLiteral("Tworkerfrm"), [] { return new Tworkerfrm; });
}

}  // namespace personnel
