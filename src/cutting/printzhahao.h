#pragma once
// 扎号打印: tickets of a range of bundle numbers, plain strips.

#include "cutting/ticketprintscreen.h"

class Tprintzhahaofrm : public TicketPrintScreen {
    Q_OBJECT
public:
    explicit Tprintzhahaofrm(QWidget* parent = nullptr);
};
