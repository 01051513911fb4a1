#pragma once
// What the ticket print screens share: the selection (a bundle range, a lot, or a lot range),
// the two print modes, the print work tables of the connection, process exclusions, segment
// names, the printing flag, one print run per page to the printer, a PDF of the same pages and,
// on the barcode screens, the laser sheets.

#include "common/page.h"
#include "cutting/ticketlayout.h"

#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace report {
class PageStream;
}

class TicketPrintScreen : public QWidget {
    Q_OBJECT
public:
    enum class Kind {
        Bundles,     // an order and a range of bundle numbers
        Lot,         // an order and one lot
        Continuous,  // an order and a range of lots
    };
    struct Config {
        Kind kind = Kind::Bundles;
        tickets::Layout layout = tickets::Layout::Plain;
        QString caption;
        QString printCaption = QStringLiteral("打印");
        int laserFlat = 0;                  // 1: laser sheets of the lot, 2: of the bundle range; 0: none
        bool exclusionTableOnDemand = false;  // created by 不打印工序, dropped by 执行
    };

    explicit TicketPrintScreen(const Config& config, QWidget* parent = nullptr);
    ~TicketPrintScreen() override;

    QComboBox* orderList() const { return orderList_; }  // the bundle screens
    QLineEdit* orderBox() const { return orderBox_; }    // the lot and continuous screens
    QLineEdit* fromBox() const { return from_; }
    QLineEdit* toBox() const { return to_; }
    QRadioButton* liningButton() const { return lining_; }
    QRadioButton* shellButton() const { return shell_; }
    QTableWidget* previewGrid() const { return grid_; }
    QCheckBox* segmentCheck() const { return segmentCheck_; }
    QGroupBox* exclusionGroup() const { return exclusionGroup_; }
    QGroupBox* segmentGroup() const { return segmentGroup_; }
    QPushButton* button(const QString& caption) const;
    bool printing() const { return printing_; }
    QString order() const;

    // The flow, as the controls trigger it.
    void orderEnter();
    void fromEnter();
    void toEnter();  // the last field: fills the work tables
    bool fill();
    void btnprintClick();
    bool savePdf(const QString& path);
    report::Document laserDocument(double paperLengthMm);
    void btnexcludeClick();  // 不打印工序
    bool addExclusion(const QString& from, const QString& to);
    void removeExclusion();
    void runExclusions();  // 执行
    bool addSegment(const QString& from, const QString& to, const QString& name);
    void removeSegment();
    void segmentPrintClick();  // the segment group's 打印

    // Where the run's pages go; by default one print job per page on the default printer.
    void setPageStreamFactory(std::function<std::unique_ptr<report::PageStream>()> factory);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool modeChosen() const;
    bool selection(int* from, int* to) const;
    void refreshPreview();
    void reloadRanges(QTableWidget* grid, const QString& sql);
    // Deletes the grid's current row from table (every listed column must match) and relists it.
    void removeCurrent(QTableWidget* grid, const QString& table, const QStringList& columns);
    bool runPrint(report::PageStream& out, bool segments, bool setFlag);
    void startPrint(bool segments);
    void orderChanged();

    Config config_;
    QComboBox* orderList_ = nullptr;
    QLineEdit* orderBox_ = nullptr;
    QLineEdit* from_;
    QLineEdit* to_;
    QRadioButton* lining_;
    QRadioButton* shell_;
    QTableWidget* grid_;
    QCheckBox* segmentCheck_ = nullptr;
    QGroupBox* exclusionGroup_ = nullptr;
    QLineEdit* exclusionFrom_ = nullptr;
    QLineEdit* exclusionTo_ = nullptr;
    QTableWidget* exclusionGrid_ = nullptr;
    QGroupBox* segmentGroup_ = nullptr;
    QLineEdit* segmentFrom_ = nullptr;
    QLineEdit* segmentTo_ = nullptr;
    QLineEdit* segmentName_ = nullptr;
    QTableWidget* segmentGrid_ = nullptr;
    QProgressBar* progress_;
    QList<QPushButton*> buttons_;
    std::function<std::unique_ptr<report::PageStream>()> streamFactory_;
    bool printing_ = false;
    bool exclusionTable_ = false;
    bool segmentTable_ = false;
};
