#include "piecework/pieceworkscreens.h"

#include "common/screenregistry.h"
#include "piecework/barcodeform.h"
#include "piecework/countfrm.h"

namespace piecework {

void registerScreens()
{
    screens::registerScreen(QStringLiteral("Tbarcodefrm"), [] { return new Tbarcodefrm; });
    screens::registerScreen(QStringLiteral("Tcountfrm"), [] { return new Tcountfrm; });
}

}  // namespace piecework
