#include "cutting/printchuangciafrm.h"

namespace {

TicketPrintScreen::Config config()
{
    TicketPrintScreen::Config c;
    c.kind = TicketPrintScreen::Kind::Lot;
    c.layout = tickets::Layout::LotBarcode;
    c.caption = QStringLiteral("床次打印");
    c.laserFlat = 1;
    return c;
}

}  // namespace

Tprintchuangcia::Tprintchuangcia(QWidget* parent) : TicketPrintScreen(config(), parent) {}
