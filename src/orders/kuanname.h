#pragma once
// 款式-工序模板定义: style templates, a style with its process range, hours and total price.

#include <QHash>
#include <QWidget>

class EditController;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

class TkuanNameFrm : public QWidget {
    Q_OBJECT
public:
    explicit TkuanNameFrm(QWidget* parent = nullptr);

    EditController* editor() const { return edit_; }
    RecordSet* records() const { return records_; }
    QPushButton* button(const QString& caption) const;
    QLineEdit* box(const QString& field) const { return boxes_.value(field); }
    QComboBox* unitBox() const { return unit_; }

    void FormShow();

private:
    RecordSet* records_;
    QTableView* grid_;
    EditController* edit_;
    QHash<QString, QLineEdit*> boxes_;
    QComboBox* unit_;
    QList<QPushButton*> buttons_;
};
