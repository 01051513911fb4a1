#pragma once
// 制单查询: finds orders by date range, number and name for the order screen.

#include <QDialog>

class QDateEdit;
class QLineEdit;
class Tinsertzhidanfrm;

class Tcheckzhidanfrm : public QDialog {
    Q_OBJECT
public:
    explicit Tcheckzhidanfrm(Tinsertzhidanfrm* orderScreen, QWidget* parent = nullptr);

    QDateEdit* fromBox() const { return from_; }
    QDateEdit* toBox() const { return to_; }
    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* nameBox() const { return name_; }

    // Lists the matching orders on the order screen and closes; with none, says so and stays.
    void btnokClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Tinsertzhidanfrm* orderScreen_;
    QDateEdit* from_;
    QDateEdit* to_;
    QLineEdit* makeid_;
    QLineEdit* name_;
};
