#include "orders/gongxuchack.h"

#include "common/db.h"
#include "common/guard.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QTableView* listGrid(RecordSet* records, QWidget* parent)
{
    auto* grid = new QTableView(parent);
    grid->setModel(records);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

}  // namespace

Tgongxuchackfrm::Tgongxuchackfrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("gongxuchackfrm"));
    setWindowTitle(QStringLiteral("工序查询"));

    orders_ = new RecordSet(this);
    orders_->setColumns({{QStringLiteral("makeid"), QStringLiteral("制单号")},
                         {QStringLiteral("makeidname"), QStringLiteral("制单名称")}});
    orderGrid_ = listGrid(orders_, this);
    auto* tabs = new QTabWidget(this);
    tabs->addTab(orderGrid_, QStringLiteral("制单号列表"));

    makeid_ = new QLineEdit(this);
    makeid_->setMaxLength(50);
    workid_ = new QLineEdit(this);
    workid_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), workid_));
    auto* locate = new QGroupBox(QStringLiteral("定位"), this);
    auto* row = new QHBoxLayout(locate);
    auto* makeidButton = addButton(row, QStringLiteral("制单号"), this);
    row->addWidget(makeid_, 2);
    auto* workidButton = addButton(row, QStringLiteral("工序"), this);
    row->addWidget(workid_, 1);
    buttons_ << makeidButton << workidButton;
    buttons_ << addButton(row, QStringLiteral("查询"), this) << addButton(row, QStringLiteral("关闭"), this);
    setEditable(makeid_, false);
    setEditable(workid_, false);

    processes_ = new RecordSet(this);
    using Col = RecordSet::Column;
    processes_->setColumns({{QStringLiteral("makeid"), QStringLiteral("制单号")},
                            {QStringLiteral("workid"), QStringLiteral("工序"), Col::Integer},
                            {QStringLiteral("workname"), QStringLiteral("工序名称")},
                            {QStringLiteral("price"), QStringLiteral("单价"), Col::Money, 2},
                            {QStringLiteral("maketotal"), QStringLiteral("件数"), Col::Integer},
                            {QStringLiteral("makedate"), QStringLiteral("录入日期"), Col::Date}});
    processGrid_ = listGrid(processes_, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(locate);
    layout->addWidget(processGrid_, 1);
    resize(680, 560);

    connect(makeidButton, &QPushButton::clicked, this, [this] {
        setEditable(makeid_, true);
        makeid_->setFocus();
    });
    connect(workidButton, &QPushButton::clicked, this, [this] {
        setEditable(workid_, true);
        workid_->setFocus();
    });
    connect(buttons_[2], &QPushButton::clicked, this, &Tgongxuchackfrm::find);
    connect(buttons_[3], &QPushButton::clicked, this, &QDialog::reject);
    connect(orderGrid_, &QTableView::clicked, this, [this](const QModelIndex& index) { orderClicked(index.row()); });
    connect(processGrid_, &QTableView::doubleClicked, this, [this] {
        if (hasChoice())
            accept();
    });
    makeid_->installEventFilter(this);
    workid_->installEventFilter(this);

    guarded([this] { orders_->load(QStringLiteral("SELECT makeid, makeidname FROM zhdan ORDER BY makeid")); }, this);
}

QPushButton* Tgongxuchackfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tgongxuchackfrm::setEditable(QLineEdit* box, bool editable)
{
    box->setReadOnly(!editable);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, palette().color(editable ? QPalette::Base : QPalette::Window));
    box->setPalette(p);
}

bool Tgongxuchackfrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == makeid_ || watched == workid_)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            find();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool Tgongxuchackfrm::hasChoice() const
{
    const QModelIndex current = processGrid_->currentIndex();
    return current.isValid() && current.row() < processes_->size();
}

QString Tgongxuchackfrm::chosenMakeid() const
{
    return hasChoice() ? processes_->text(processGrid_->currentIndex().row(), QStringLiteral("makeid")) : QString();
}

int Tgongxuchackfrm::chosenWorkid() const
{
    return hasChoice() ? processes_->value(processGrid_->currentIndex().row(), QStringLiteral("workid")).toInt() : 0;
}

void Tgongxuchackfrm::showProcesses(const QString& makeid)
{
    guarded(
        [&] {
            db::Query q(QStringLiteral("SELECT * FROM workname WHERE makeid=:a ORDER BY makeid, workid"));
            q.bind(QStringLiteral(":a"), makeid).exec();
            processes_->load(q);
        },
        this);
}

void Tgongxuchackfrm::orderClicked(int row)
{
    if (row < 0 || row >= orders_->size())
        return;
    showProcesses(orders_->text(row, QStringLiteral("makeid")));
}

void Tgongxuchackfrm::find()
{
    showProcesses(makeid_->text().trimmed());
    const QString number = workid_->text().trimmed();
    if (number.isEmpty())
        return;
    for (int i = 0; i < processes_->size(); ++i)
        if (processes_->text(i, QStringLiteral("workid")).startsWith(number)) {
            const QModelIndex index = processes_->index(i, 0);
            processGrid_->selectionModel()->setCurrentIndex(
                index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            processGrid_->scrollTo(index);
            return;
        }
}
