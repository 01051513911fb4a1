#pragma once
// 民族设定: the 民族 names an employee record may refer to.

#include "personnel/namedictionary.h"

class Tmingzhu : public NameDictionaryScreen {
    Q_OBJECT
public:
    explicit Tmingzhu(QWidget* parent = nullptr);
};
