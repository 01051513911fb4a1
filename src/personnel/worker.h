#pragma once
// 员工管理: the employee register. One employee's record with its personal details, education,
// work history and transfers, edited together and stored together in one transaction.

#include "common/page.h"

#include <QList>
#include <functional>
#include <QVariant>
#include <QWidget>

#include "common/db.h"
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

class Tworkerfrm : public QWidget {
    Q_OBJECT
public:
    explicit Tworkerfrm(QWidget* parent = nullptr);

    // The editor of a personnel or personlabel column ("personnel.kardNO", "personlabel.mobile").
    QWidget* field(const QString& column) const;
    QLineEdit* textField(const QString& column) const;
    QComboBox* comboField(const QString& column) const;
    QTableWidget* list() const { return list_; }
    // The sub-lists: "xueli", "job", "diaodong".
    QTableWidget* subList(const QString& table) const;
    QPushButton* button(const QString& caption) const;
    bool editing() const { return editing_; }
    int currentRow() const;

    void btnaddClick();     // 新  增
    void btneditClick();    // 修  改
    bool btnsaveClick();    // 保  存
    void btncancelClick();  // 取  消
    void btndeleteClick();  // 删  除
    void btnqueryClick();   // 查  询
    void addSubRow(const QString& table);
    void removeSubRow(const QString& table);
    void showEmployee(int row);
    // Every employee, in service or left.
    void loadList();
    // The list again, from the statement that filled it (every employee, or the last query).
    void reloadList();
    report::Document listDocument() const;  // 员工资料表
    // The checks while typing a new employee: the number, and the card number.
    void personnelidLeft();
    void kardNoLeft();

private:
    struct Binding {
        QString table;   // personnel or personlabel
        QString column;
        QWidget* editor;
    };
    struct Row {
        QVariantMap values;  // personnel columns
    };

    void build();
    // Replaces the list with the rows of an executed personnel query.
    void showRows(db::Query& executed);
    void bind(const QString& table, const QString& column, QWidget* editor);
    void reloadLookups();
    void setEditing(bool on);
    void readSubLists(const QString& personnelid);
    void clearEditors();
    QVariant editorValue(QWidget* editor) const;
    void setEditorValue(QWidget* editor, const QVariant& value);
    bool numberTaken(const QString& personnelid) const;
    QString cardOwner(const QString& card, const QVariant& exceptId) const;
    void store();

    QTableWidget* list_;
    QTabWidget* pages_;
    QWidget* panel_;
    QList<Binding> bindings_;
    QList<Row> rows_;
    std::function<db::Query()> listSource_;
    QTableWidget* xueli_;
    QTableWidget* job_;
    QTableWidget* diaodong_;
    QList<QPushButton*> buttons_;
    bool editing_ = false;
    bool adding_ = false;
    int editingRow_ = -1;
};
