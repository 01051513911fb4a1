#pragma once
// 扎号替换: bundle labels. Lists the bundles of one lot of an order; a label typed into 中文扎号
// and confirmed with Enter is written to every coupon of that bundle (printout.chbed) and then
// printed on the ticket instead of the bundle number. An empty label brings the number back.

#include <QHash>
#include <QList>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

class Tzhahaotihuanfrm : public QWidget {
    Q_OBJECT
public:
    // Grid columns: 制单号, 扎号, 中文扎号.
    static constexpr int kMakeidColumn = 0;
    static constexpr int kBundleColumn = 1;
    static constexpr int kLabelColumn = 2;
    static constexpr int kMaxLabelLength = 50;  // printout.chbed

    explicit Tzhahaotihuanfrm(QWidget* parent = nullptr);

    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* bedBox() const { return bed_; }
    QComboBox* inputMethodBox() const { return inputMethod_; }
    QTableWidget* grid() const { return grid_; }
    QPushButton* button(const QString& caption) const;

    // Bundles typed into 中文扎号 but not yet written, by bundle number.
    QHash<int, QString> unsavedLabels() const { return unsaved_; }

    // Fills 单号 and 床次 and lists the lot, as when the screen is opened for a chosen lot.
    void showLot(const QString& makeid, int bed);

    // The steps of the flow, as the controls trigger them.
    void bedEnter();            // Enter in 床次: lists the lot's bundles
    void gridEnter();           // Enter in the grid: writes the current bundle's label, next bundle
    void btnsaveClick();        // 保  存
    void inputMethodSelect();   // a choice in the list of input methods

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reload(int selectBundle);
    bool writeLabel(const QString& makeid, int bundle, const QString& label);
    void cellLeft(int row, int column, int previousRow, int previousColumn);
    void labelEdited(QTableWidgetItem* item);
    void markUnsaved(QTableWidgetItem* item, bool unsaved);

    QLineEdit* makeid_;
    QLineEdit* bed_;
    QComboBox* inputMethod_;
    QTableWidget* grid_;
    QList<QPushButton*> buttons_;

    // The order and lot the grid shows (the boxes may have been changed since).
    QString listedMakeid_;
    int listedBed_ = 0;
    QHash<int, QString> unsaved_;
    bool loading_ = false;  // the grid is being filled: no leave checks, no edits recorded
};
