#pragma once
// 三级部门: the third-level departments, each under a second-level one. The first-level list
// only narrows the second-level list to that department's rows.

#include "personnel/recordscreen.h"

class QComboBox;

class Ttwodeptfrm : public RecordScreen {
    Q_OBJECT
public:
    explicit Ttwodeptfrm(QWidget* parent = nullptr);

    QComboBox* firstLevelBox() const { return first_; }
    QComboBox* secondLevelBox() const { return second_; }
    // Shows in the second-level list the rows under this first-level department (all for an
    // empty deptid).
    void showSecondLevelOf(const QString& deptid);

protected:
    void listRead() override;

private:
    struct Second {
        QString name;
        QString deptid;
    };
    // Puts the first- and second-level lists on the parents of row.
    void showParentsOf(int row);

    QComboBox* first_;
    QComboBox* second_;
    QHash<QString, QString> deptNames_;  // deptid -> deptname
    QHash<int, Second> seconds_;         // sysid -> its name and parent
    QList<int> secondOrder_;             // sysids as listed
};
