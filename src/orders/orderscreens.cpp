#include "orders/orderscreens.h"

#include "common/screenregistry.h"
#include "orders/customer.h"
#include "orders/insertzhidan.h"

namespace orders {

void registerScreens()
{
    screens::registerScreen(QStringLiteral("Tcustomerfrm"), [] { return new Tcustomerfrm; });
    screens::registerScreen(QStringLiteral("Tinsertzhidanfrm"), [] { return new Tinsertzhidanfrm; });
}

}  // namespace orders
