#pragma once
// 宗教设定: the 宗教 names an employee record may refer to.

#include "personnel/namedictionary.h"

class Tzhongjiaofrm : public NameDictionaryScreen {
    Q_OBJECT
public:
    explicit Tzhongjiaofrm(QWidget* parent = nullptr);
};
