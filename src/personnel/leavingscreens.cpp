#include "personnel/personnelscreens.h"

#include "common/screenregistry.h"
#include "personnel/lizhi.h"

namespace personnel {

void registerLeavingScreens()
{
    screens::registerScreen(QStringLiteral("Tlizhifrm"), [] { return new Tlizhifrm; });
}

}  // namespace personnel
