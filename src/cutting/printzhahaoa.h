#pragma once
// 扎号条码打印: tickets of a range of bundle numbers with barcodes, and the laser sheets.

#include "cutting/ticketprintscreen.h"

class Tprintzhahaoafrm : public TicketPrintScreen {
    Q_OBJECT
public:
    explicit Tprintzhahaoafrm(QWidget* parent = nullptr);
};
