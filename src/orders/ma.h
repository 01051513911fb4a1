#pragma once
// 尺码资料: the sizes an order's breakdown is made of, a dictionary screen like the colours.

#include "orders/color.h"

class Tmafrm : public DictionaryScreen {
    Q_OBJECT
public:
    explicit Tmafrm(QWidget* parent = nullptr);
};
