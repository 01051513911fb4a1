#pragma once
// 修改拉布记录: changes the pieces per size of one lay record. Enter moves to the next field;
// Enter in the last field is 确定.

#include <QDialog>
#include <QList>
#include <QStringList>

class QLineEdit;

class Tchangelabujilufrm : public QDialog {
    Q_OBJECT
public:
    // headings: the size headings of the lay-record screen; values: the row's pieces per size
    // (-1 when the size holds nothing).
    Tchangelabujilufrm(const QStringList& headings, const QList<int>& values, QWidget* parent = nullptr);

    QLineEdit* field(int k) const { return fields_[k]; }
    // The pieces typed, -1 for an empty field. Valid after 确定.
    QList<int> values() const { return values_; }

    void btnokClick();  // 确定: checks the fields and accepts

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLineEdit*> fields_;
    QList<int> values_;
};
