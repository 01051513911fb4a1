#include "cutting/printchuangci.h"

namespace {

TicketPrintScreen::Config config()
{
    TicketPrintScreen::Config c;
    c.kind = TicketPrintScreen::Kind::Lot;
    c.layout = tickets::Layout::Plain;
    c.caption = QStringLiteral("床次打印");
    return c;
}

}  // namespace

Tprintchuangcifrm::Tprintchuangcifrm(QWidget* parent) : TicketPrintScreen(config(), parent) {}
