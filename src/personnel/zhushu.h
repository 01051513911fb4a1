#pragma once
// 住宿登记: who moved into the dormitory and when, and when they moved out.

#include <QHash>
#include <QWidget>

class EditController;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

class Tzhushufrm : public QWidget {
    Q_OBJECT
public:
    explicit Tzhushufrm(QWidget* parent = nullptr);

    EditController* editor() const { return edit_; }
    RecordSet* records() const { return records_; }
    QPushButton* button(const QString& caption) const;
    QLineEdit* numberBox() const { return number_; }
    QLineEdit* nameBox() const { return name_; }
    QLineEdit* deptBox() const { return dept_; }
    QDateEdit* inBox() const { return in_; }
    QDateEdit* outBox() const { return out_; }

    void FormShow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Person {
        QString name;
        QString dept;
    };
    // Shows the name and department of the employee whose number is in the box.
    void showPerson();

    RecordSet* records_;
    QTableView* grid_;
    EditController* edit_;
    QLineEdit* number_;
    QLineEdit* name_;
    QLineEdit* dept_;
    QDateEdit* in_;
    QDateEdit* out_;
    QHash<QString, Person> people_;  // personnelid -> name and department
    QList<QPushButton*> buttons_;
};
