#pragma once
// 二级部门: the second-level departments, each under a first-level one.

#include "personnel/recordscreen.h"

class QComboBox;

class Tonedeptfrm : public RecordScreen {
    Q_OBJECT
public:
    explicit Tonedeptfrm(QWidget* parent = nullptr);

    QComboBox* parentBox() const { return parent_; }

protected:
    void listRead() override;

private:
    QComboBox* parent_;
    QHash<QString, QString> deptNames_;  // deptid -> deptname
};
