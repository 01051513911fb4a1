#include "cutting/printzhahao.h"

namespace {

TicketPrintScreen::Config config()
{
    TicketPrintScreen::Config c;
    c.kind = TicketPrintScreen::Kind::Bundles;
    c.layout = tickets::Layout::Plain;
    c.caption = QStringLiteral("扎号打印");
    c.exclusionTableOnDemand = true;
    return c;
}

}  // namespace

Tprintzhahaofrm::Tprintzhahaofrm(QWidget* parent) : TicketPrintScreen(config(), parent) {}
