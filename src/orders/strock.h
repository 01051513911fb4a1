#pragma once
// 货品资料: the list of goods, edited one good at a time in the modal 货品明细 dialog.

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class EditController;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

// 货品明细: one good (by its id), or new goods. Prices and stocks take numbers only.
class Tstrockdetailfrm : public QDialog {
    Q_OBJECT
public:
    // id 0 starts on a new good.
    explicit Tstrockdetailfrm(int id = 0, QWidget* parent = nullptr);

    QLineEdit* box(const QString& field) const { return boxes_.value(field); }
    QPushButton* button(const QString& caption) const;
    RecordSet* records() const { return records_; }
    // The id of the good shown (0 while it is not saved).
    int currentId() const;

    // 增加: another new good, unless the one shown is still being inserted.
    void addGood();
    // 保存: writes every change and closes. False when the database refused (shown).
    bool saveGoods();

private:
    void showRow(int row);
    void storeRow(int row);

    RecordSet* records_;
    int row_ = -1;
    QHash<QString, QLineEdit*> boxes_;
    QHash<QString, QString> shown_;  // what showRow put into each box
    QList<QPushButton*> buttons_;
};

class TStrockfrm : public QWidget {
    Q_OBJECT
public:
    explicit TStrockfrm(QWidget* parent = nullptr);

    EditController* editor() const { return edit_; }
    RecordSet* records() const { return records_; }
    QPushButton* button(const QString& caption) const;

    void FormShow();
    void previous();
    void next();
    // 新 增 (id 0) and 修 改: open the detail dialog modally and return at once; the list is
    // re-read when it closes.
    Tstrockdetailfrm* openDetail(int id);
    Tstrockdetailfrm* openedDetail() const { return opened_; }

private:
    RecordSet* records_;
    QTableView* grid_;
    EditController* edit_;
    QList<QPushButton*> buttons_;
    QPointer<Tstrockdetailfrm> opened_;
};
