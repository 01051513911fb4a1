#include "personnel/personnelscreens.h"

namespace personnel {

void registerScreens()
{
    registerRegisterScreens();
    registerDictionaryScreens();
    registerLeavingScreens();
}

}  // namespace personnel
