#pragma once
// 连续床次打印: tickets of a range of lots in one run.

#include "cutting/ticketprintscreen.h"

class Tprintchuangciallfrm : public TicketPrintScreen {
    Q_OBJECT
public:
    explicit Tprintchuangciallfrm(QWidget* parent = nullptr);
};
