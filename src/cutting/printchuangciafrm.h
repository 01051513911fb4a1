#pragma once
// 床次条码打印: tickets of one lot with barcodes, and the laser sheets.

#include "cutting/ticketprintscreen.h"

class Tprintchuangcia : public TicketPrintScreen {
    Q_OBJECT
public:
    explicit Tprintchuangcia(QWidget* parent = nullptr);
};
