#include "orders/orderscreens.h"

#include "common/screenregistry.h"
#include "orders/customer.h"
#include "orders/insertzhidan.h"
#include "orders/worknamelist.h"
#include "orders/color.h"
#include "orders/colorgroups.h"
#include "orders/ma.h"
#include "orders/strock.h"
#include "orders/inserttotalgongxu.h"
#include "orders/kuanname.h"
#include "orders/workprice.h"

namespace orders {

void registerScreens()
{
    screens::registerScreen(QStringLiteral("Tcustomerfrm"), [] { return new Tcustomerfrm; });
    screens::registerScreen(QStringLiteral("Tinsertzhidanfrm"), [] { return new Tinsertzhidanfrm; });
    screens::registerScreen(QStringLiteral("Tworkidfrm"), [] { return new Tworkidfrm; });
    screens::registerScreen(QStringLiteral("Tcolorfrm"), [] { return new Tcolorfrm; });
    screens::registerScreen(QStringLiteral("Tmafrm"), [] { return new Tmafrm; });
    screens::registerScreen(QStringLiteral("Tyansezufrm"), [] { return new Tyansezufrm; });
    screens::registerScreen(QStringLiteral("Tchimafrm"), [] { return new Tchimafrm; });
    screens::registerScreen(QStringLiteral("TStrockfrm"), [] { return new TStrockfrm; });
    screens::registerScreen(QStringLiteral("Tinserttotalgongxufrm"), [] { return new Tinserttotalgongxufrm; });
    screens::registerScreen(QStringLiteral("Tworkpricefrm"), [] { return new Tworkpricefrm; });
    screens::registerScreen(QStringLiteral("TkuanNameFrm"), [] { return new TkuanNameFrm; });
}

}  // namespace orders
