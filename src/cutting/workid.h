#pragma once
// 录入拉布记录: the lay records of one lot of an order, colour line by colour line, and the
// generation of the lot's bundles and coupons from them.
//
// The screen's rows in work are the order's lock against other workstations; closing the screen
// before generating discards them.

#include <QList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Tchangelabujilufrm;

class Tchafrm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxSizes = 8;

    explicit Tchafrm(QWidget* parent = nullptr);
    ~Tchafrm() override;

    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* bedBox() const { return bed_; }
    QLineEdit* totalBox() const { return total_; }
    QLineEdit* sizesBox() const { return sizes_; }
    QComboBox* inputMethodBox() const { return inputMethod_; }
    QLineEdit* sizeNameBox(int k) const { return sizeName_[k]; }
    QLineEdit* colorBox() const { return color_; }
    QLineEdit* countBox(int k) const { return count_[k]; }
    QLineEdit* factorBox(int k) const { return factor_[k]; }
    QLabel* countHeading(int k) const { return countHeading_[k]; }
    QTableWidget* grid() const { return grid_; }
    QPushButton* button(const QString& caption) const;
    QString startText() const;    // "当前录入开始扎号是：…扎"
    QString enteredText() const;  // "当前录入的总件数是：…件"
    QString bundleRuleText() const;
    int lines() const { return int(lines_.size()); }
    bool orderAccepted() const { return orderAccepted_; }
    bool tableBuilt() const { return built_; }

    // The steps of the flow, as the controls trigger them.
    void acceptOrder();   // leaving 制单号
    void acceptLot();     // leaving 床次
    void acceptTotal();   // leaving 总件数
    void sizeNameLeft(int k);
    void btnbuildClick();   // 生成表
    void colorEnter();      // Enter in 色号
    void countEnter(int k); // Enter in the count of size k (from 0)
    void btndeleteClick();  // 删除: the current grid row
    Tchangelabujilufrm* editRow(int row);  // double-click: opens 修改拉布记录
    void btngenerateClick();  // 生成工票
    void setBundleSize(int pieces);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        int id = 0;
        QString color;
        QList<int> sizes;  // per size, -1 when not stored
        int amount = 0;
    };

    int sizeCount() const;  // visible sizes, 0 when 总码数 is empty or invalid
    void sizesChanged();
    void inputMethodEnter();
    void appendLine();
    void updateLine(int row, const QList<int>& sizes);
    void refreshEntered();
    void refreshGrid();
    void refreshBundleRule();
    void showStart();
    void openAnalysis(bool closeThis);
    void clearAll();

    QLineEdit* makeid_;
    QLineEdit* bed_;
    QLineEdit* total_;
    QLineEdit* sizes_;
    QComboBox* inputMethod_;
    QLineEdit* sizeName_[kMaxSizes];
    QLineEdit* color_;
    QLineEdit* count_[kMaxSizes];
    QLineEdit* factor_[kMaxSizes];
    QLabel* countHeading_[kMaxSizes];
    QTableWidget* grid_;
    QLabel* start_;
    QLabel* entered_;
    QLabel* bundleRule_;
    QList<QPushButton*> buttons_;

    QList<Line> lines_;
    int owner_;
    int sysid_ = 0;
    int startBundle_ = 1;
    int enteredPieces_ = 0;
    bool orderAccepted_ = false;
    bool built_ = false;
    bool generated_ = false;
    bool closing_ = false;
};
