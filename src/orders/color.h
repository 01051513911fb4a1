#pragma once
// 颜色对照: the colours an order's breakdown is made of. The colour and size dictionaries are
// screens of one kind, a grid of the table under an entry panel on the editing-screen pattern;
// DictionaryScreen is that kind, Tcolorfrm and Tmafrm (orders/ma.h) state their table.

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

class EditController;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

class DictionaryScreen : public QWidget {
    Q_OBJECT
public:
    struct Field {
        QString column;
        QString boxCaption;
        QString gridCaption;
    };
    struct Description {
        QString formName;
        QString caption;
        QString table;
        QString identity;     // the key the database assigns
        QList<Field> fields;  // entry boxes and grid columns, in this order
        QString uniqueField;  // a new row may not repeat its value
        QString duplicateMessage;
        QString saveOnEnter;  // the box whose Enter saves (the others move on); may be empty
    };

    EditController* editor() const { return edit_; }
    RecordSet* records() const { return records_; }
    QLineEdit* box(const QString& field) const { return boxes_.value(field); }
    QPushButton* button(const QString& caption) const;

    void FormShow();

protected:
    DictionaryScreen(const Description& description, QWidget* parent);

private:
    QString duplicateProblem(int row) const;

    Description description_;
    RecordSet* records_;
    QTableView* grid_;
    EditController* edit_;
    QHash<QString, QLineEdit*> boxes_;
    QList<QPushButton*> buttons_;
};

class Tcolorfrm : public DictionaryScreen {
    Q_OBJECT
public:
    explicit Tcolorfrm(QWidget* parent = nullptr);
};
