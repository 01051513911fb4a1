#include "orders/orderscreens.h"

#include "common/screenregistry.h"
#include "orders/customer.h"

namespace orders {

void registerScreens()
{
    screens::registerScreen(QStringLiteral("Tcustomerfrm"), [] { return new Tcustomerfrm; });
}

}  // namespace orders
