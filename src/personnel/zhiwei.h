#pragma once
// 职位管理: the positions, with whether each is paid overtime and night-shift overtime.

#include "personnel/recordscreen.h"

class Tzhiweifrm : public RecordScreen {
    Q_OBJECT
public:
    explicit Tzhiweifrm(QWidget* parent = nullptr);
};
