#pragma once
// 总工序查询: finds process-list headers by entry date and order for the total-process screen.

#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPushButton;
class Tinserttotalgongxufrm;

class Tfindtotalgongxufrm : public QDialog {
    Q_OBJECT
public:
    explicit Tfindtotalgongxufrm(Tinserttotalgongxufrm* totalScreen, QWidget* parent = nullptr);

    QDateEdit* fromBox() const { return from_; }
    QDateEdit* toBox() const { return to_; }
    QLineEdit* makeidBox() const { return makeid_; }
    QPushButton* okButton() const { return ok_; }

    // Lists the matching headers on the total-process screen and closes; with none, says so
    // and stays.
    void btnokClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Tinserttotalgongxufrm* totalScreen_;
    QDateEdit* from_;
    QDateEdit* to_;
    QLineEdit* makeid_;
    QPushButton* ok_;
};
