#include "piecework/yuangongcheck.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/screenkit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

Tyuangongcheckfrm::Tyuangongcheckfrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("yuangongcheckfrm"));
    setWindowTitle(QStringLiteral("员工查询"));

    byId_ = new QRadioButton(QStringLiteral("按员工号查询"), this);
    byName_ = new QRadioButton(QStringLiteral("按姓名查询"), this);
    byId_->setChecked(true);
    search_ = new QLineEdit(this);
    search_->setMaxLength(50);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(byId_);
    searchRow->addWidget(byName_);
    searchRow->addWidget(search_, 1);
    buttons_ << addButton(searchRow, QStringLiteral("查询"), this) << addButton(searchRow, QStringLiteral("关闭"), this);

    grid_ = new QTableWidget(0, ColumnCount, this);
    grid_->setHorizontalHeaderLabels({QStringLiteral("员工编号"), QStringLiteral("员工名称"), QStringLiteral("部门名称"),
                                      QStringLiteral("所属类型"), QStringLiteral("组别")});
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(grid_, 1);
    resize(640, 480);

    connect(button(QStringLiteral("查询")), &QPushButton::clicked, this, &Tyuangongcheckfrm::find);
    connect(button(QStringLiteral("关闭")), &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] {
        if (!chosenPersonnelid().isEmpty())
            accept();
    });
    search_->installEventFilter(this);
    grid_->installEventFilter(this);
    // Enter belongs to the search box and the list, not to a default button.
    for (QPushButton* b : buttons_)
        b->setAutoDefault(false);

    guarded([this] { load(); }, this);
}

QPushButton* Tyuangongcheckfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tyuangongcheckfrm::load()
{
    // 组别 is the employee's second-level department.
    db::Query q(QStringLiteral("SELECT personnel.personnelid, personnel.personnelname, personnel.deptname, personnel.type, "
                               "twodept.twodept FROM personnel LEFT JOIN twodept ON twodept.twoid = personnel.twodept "
                               "ORDER BY personnel.personnelid"));
    q.exec();
    grid_->setRowCount(0);
    while (q.next()) {
        const int row = grid_->rowCount();
        grid_->insertRow(row);
        for (int col = 0; col < ColumnCount; ++col)
            grid_->setItem(row, col, new QTableWidgetItem(q.value(col).toString().trimmed()));
    }
    if (grid_->rowCount() > 0)
        grid_->setCurrentCell(0, IdCol);
}

QString Tyuangongcheckfrm::chosenPersonnelid() const
{
    const int row = grid_->currentRow();
    if (row < 0 || row >= grid_->rowCount())
        return QString();
    return grid_->item(row, IdCol)->text();
}

bool Tyuangongcheckfrm::find()
{
    const QString text = search_->text().trimmed();
    const int column = byName_->isChecked() ? NameCol : IdCol;
    for (int row = 0; row < grid_->rowCount(); ++row) {
        if (grid_->item(row, column)->text().startsWith(text, Qt::CaseInsensitive)) {
            grid_->setCurrentCell(row, column);
            grid_->scrollToItem(grid_->item(row, column));
            return true;
        }
    }
    return false;
}

bool Tyuangongcheckfrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == search_) {
                find();
                return true;
            }
            if (watched == grid_ && !chosenPersonnelid().isEmpty()) {
                accept();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
