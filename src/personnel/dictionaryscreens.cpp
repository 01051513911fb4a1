#include "personnel/personnelscreens.h"

#include "common/screenregistry.h"
#include "personnel/bumen.h"
#include "personnel/country.h"
#include "personnel/mingzhu.h"
#include "personnel/onedept.h"
#include "personnel/pricejibie.h"
#include "personnel/room.h"
#include "personnel/shengji.h"
#include "personnel/twodept.h"
#include "personnel/worktype.h"
#include "personnel/zhiwei.h"
#include "personnel/zhongjiao.h"
#include "personnel/zhufang.h"
#include "personnel/zhushu.h"

namespace personnel {

// Every screen is registered, also those only the employee register opens, so the register can
// open them by name.
void registerDictionaryScreens()
{
    screens::registerScreen(QStringLiteral("Tbumenfrm"), [] { return new Tbumenfrm; });
    screens::registerScreen(QStringLiteral("Tonedeptfrm"), [] { return new Tonedeptfrm; });
    screens::registerScreen(QStringLiteral("Ttwodeptfrm"), [] { return new Ttwodeptfrm; });
    screens::registerScreen(QStringLiteral("Tzhiweifrm"), [] { return new Tzhiweifrm; });
    screens::registerScreen(QStringLiteral("Troomfrm"), [] { return new Troomfrm; });
    screens::registerScreen(QStringLiteral("Tpricejiibiefrm"), [] { return new Tpricejiibiefrm; });
    screens::registerScreen(QStringLiteral("Tworktypefrm"), [] { return new Tworktypefrm; });
    screens::registerScreen(QStringLiteral("Tcountryfrm"), [] { return new Tcountryfrm; });
    screens::registerScreen(QStringLiteral("Tshengjifrm"), [] { return new Tshengjifrm; });
    screens::registerScreen(QStringLiteral("Tmingzhu"), [] { return new Tmingzhu; });
    screens::registerScreen(QStringLiteral("Tzhongjiaofrm"), [] { return new Tzhongjiaofrm; });
    screens::registerScreen(QStringLiteral("Tzhushufrm"), [] { return new Tzhushufrm; });
    screens::registerScreen(QStringLiteral("Tzhufangfrm"), [] { return new Tzhufangfrm; });
}

}  // namespace personnel
