#pragma once
// 省籍设定: the 省籍 names an employee record may refer to.

#include "personnel/namedictionary.h"

class Tshengjifrm : public NameDictionaryScreen {
    Q_OBJECT
public:
    explicit Tshengjifrm(QWidget* parent = nullptr);
};
