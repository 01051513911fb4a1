#pragma once
// 床次打印: tickets of one lot, plain strips.

#include "cutting/ticketprintscreen.h"

class Tprintchuangcifrm : public TicketPrintScreen {
    Q_OBJECT
public:
    explicit Tprintchuangcifrm(QWidget* parent = nullptr);
};
