#pragma once
// 计件工资标准级别: the piece-rate wage grades and the rate of each.

#include "personnel/recordscreen.h"

class Tpricejiibiefrm : public RecordScreen {
    Q_OBJECT
public:
    explicit Tpricejiibiefrm(QWidget* parent = nullptr);
};
