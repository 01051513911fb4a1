#pragma once
// The name dictionaries of the employee record (nationality, province, ethnic group, religion):
// one name box over a list of the names, with 新 增, 删 除, 保 存 and 关 闭. The four screens
// differ only in table, columns, caption and duplicate message; NameDictionaryScreen is the
// screen, the thin classes state what they keep.

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

class NameDictionaryScreen : public QWidget {
    Q_OBJECT
public:
    struct Description {
        QString formName;
        QString caption;
        QString table;
        QString keyColumn;   // identity the database assigns
        QString nameColumn;  // unique name
        QString duplicateMessage;
    };

    QLineEdit* nameBox() const { return name_; }
    QTableView* grid() const { return grid_; }
    RecordSet* records() const { return records_; }
    QPushButton* button(const QString& caption) const;

    void FormShow();
    void addClick();
    void saveClick();
    void deleteClick();
    // The names as listed, in order.
    QStringList names() const;

protected:
    NameDictionaryScreen(const Description& description, QWidget* parent);

private:
    void setEntering(bool entering);
    bool nameTaken(const QString& name) const;

    Description description_;
    QLineEdit* name_;
    RecordSet* records_;
    QTableView* grid_;
    QList<QPushButton*> buttons_;
};
