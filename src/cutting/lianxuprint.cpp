#include "cutting/lianxuprint.h"

namespace {

TicketPrintScreen::Config config()
{
    TicketPrintScreen::Config c;
    c.kind = TicketPrintScreen::Kind::Continuous;
    c.layout = tickets::Layout::Continuous;
    c.caption = QStringLiteral("连续床次打印");
    return c;
}

}  // namespace

Tprintchuangciallfrm::Tprintchuangciallfrm(QWidget* parent) : TicketPrintScreen(config(), parent) {}
