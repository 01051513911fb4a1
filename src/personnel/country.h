#pragma once
// 国籍设定: the 国籍 names an employee record may refer to.

#include "personnel/namedictionary.h"

class Tcountryfrm : public NameDictionaryScreen {
    Q_OBJECT
public:
    explicit Tcountryfrm(QWidget* parent = nullptr);
};
