#include "cutting/printzhahaoa.h"

namespace {

TicketPrintScreen::Config config()
{
    TicketPrintScreen::Config c;
    c.kind = TicketPrintScreen::Kind::Bundles;
    c.layout = tickets::Layout::Barcode;
    c.caption = QStringLiteral("扎号打印");
    c.printCaption = QStringLiteral("针式打印");
    c.laserFlat = 2;
    return c;
}

}  // namespace

Tprintzhahaoafrm::Tprintzhahaoafrm(QWidget* parent) : TicketPrintScreen(config(), parent) {}
