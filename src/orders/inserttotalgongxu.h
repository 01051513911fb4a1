#pragma once
// 总工序录入: the process-list header of an order, its first and last process number.

#include <QWidget>

class EditController;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

namespace db {
class Query;
}

class Tinserttotalgongxufrm : public QWidget {
    Q_OBJECT
public:
    explicit Tinserttotalgongxufrm(QWidget* parent = nullptr);

    EditController* editor() const { return edit_; }
    RecordSet* records() const { return records_; }
    QPushButton* button(const QString& caption) const;
    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* startBox() const { return start_; }
    QLineEdit* endBox() const { return end_; }

    // The latest 100 headers, newest first.
    void FormShow();
    // Shows the headers a search found; returns how many.
    int showTotals(db::Query& query);
    // Leaving 制单号 while a new header is typed: warns when the order has a header already or
    // does not exist. Saving is not stopped by either.
    void makeidExit();
    // 查   询: the search dialog, modal.
    void openSearch();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString saveProblem(int row, bool isNew);

    RecordSet* records_;
    QTableView* grid_;
    EditController* edit_;
    QList<QPushButton*> buttons_;
    QLineEdit* makeid_;
    QLineEdit* start_;
    QLineEdit* end_;
};
