#pragma once
// 工序名称录入: builds an order's numbered process list with piece prices on the connection's
// working list, by numbering it from the order's range, copying another order's processes, or
// reloading the saved list, and saves it as the order's processes.

#include "common/listreport.h"
#include "server/processprocs.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

class Tworkidfrm : public QWidget {
    Q_OBJECT
public:
    explicit Tworkidfrm(QWidget* parent = nullptr);
    ~Tworkidfrm() override;

    QLineEdit* makeidBox() const { return makeid_; }
    QLineEdit* nameBox() const { return name_; }
    QLineEdit* piecesBox() const { return pieces_; }
    QDateEdit* dateBox() const { return date_; }
    QComboBox* copyFromBox() const { return copyFrom_; }
    QTableWidget* sourceGrid() const { return source_; }
    QTableWidget* workGrid() const { return work_; }
    QPushButton* button(const QString& caption) const;
    const QList<procs::WorkRow>& workingList() const { return rows_; }
    const QList<procs::WorkRow>& sourceList() const { return sourceRows_; }
    QString footerText() const;

    // The steps of the screen, each what its key, button or menu entry does.
    void makeidEnter();
    void piecesEnter();
    void chooseCopyFrom(const QString& entry);
    void moveOne();        // >
    void moveAll();        // >>
    void moveBack();       // <
    void moveAllBack();    // <<
    void addProcess();     // 增加工序
    void deleteCurrent();  // 删  除 / 删除该记录
    void clearAll();       // 清空所有
    void setPiecesForAll(const QString& text);  // 修改件数, 件数
    void newList();        // 新  建
    void findList();       // 查  找
    bool saveList();       // 保  存
    // Writes the edited row back; false (and "工序重复，和录入其它出错") when refused.
    bool writeRow(int row);
    void selectRow(int row);
    report::ListReport listReport() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void relist(int keepId = -1);
    void showSource();
    void readSource(const QString& makeid);
    QString makeid() const;
    void addRow(const procs::WorkRow& row, bool keepMark);

    QLineEdit* makeid_;
    QLineEdit* name_;
    QLineEdit* pieces_;
    QDateEdit* date_;
    QComboBox* copyFrom_;
    QTableWidget* source_;
    QTableWidget* work_;
    QLabel* footer_;
    QMenu* menu_;
    QList<QPushButton*> buttons_;
    QList<procs::WorkRow> rows_;
    QList<procs::WorkRow> sourceRows_;
    QString sourceOrder_;
    bool filling_ = false;
    bool tableReady_ = false;
};
