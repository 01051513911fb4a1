#pragma once
// 部门资料录入: the first-level departments, with the number the factory gives them.

#include "personnel/recordscreen.h"

class Tbumenfrm : public RecordScreen {
    Q_OBJECT
public:
    explicit Tbumenfrm(QWidget* parent = nullptr);

    // Leaving 部门编号 while a new department is typed: says when the number is taken.
    void deptidExit();
};
