#pragma once
// 住房设定: the dormitory rooms and how many beds each has.

#include "personnel/recordscreen.h"

class QLabel;

class Troomfrm : public RecordScreen {
    Q_OBJECT
public:
    explicit Troomfrm(QWidget* parent = nullptr);

    // The footer under the grid: the number of beds of all rooms listed.
    QString footerText() const;

private:
    void showFooter();
    QLabel* footer_;
};
