#include "orders/setwork.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/guard.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

Tsetworkfrm::Tsetworkfrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("setworkfrm"));
    setWindowTitle(QStringLiteral("设置主工序"));

    makeid_ = new QLineEdit(this);
    makeid_->setMaxLength(50);
    dept_ = new QComboBox(this);
    auto* panel = new QGridLayout;
    addField(panel, 0, QStringLiteral("制单号："), makeid_);
    addField(panel, 1, QStringLiteral("选择部门"), dept_);

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"查   询", " 保  存 ", "取  消", " 关    闭 "})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    records_ = new RecordSet(this);
    records_->setTable(QStringLiteral("workname"), {QStringLiteral("makeid"), QStringLiteral("workid")});
    records_->setColumns({{QStringLiteral("workid"), QStringLiteral("工序号"), RecordSet::Column::Integer},
                          {QStringLiteral("workname"), QStringLiteral("工序名称")},
                          {QStringLiteral("deptname"), QStringLiteral("所属部门")}});
    grid_ = listGrid(this, records_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panel);
    layout->addLayout(tools);
    layout->addWidget(grid_, 1);
    resize(520, 440);

    connect(buttons_[0], &QPushButton::clicked, this, &Tsetworkfrm::query);
    connect(buttons_[1], &QPushButton::clicked, this, &Tsetworkfrm::save);
    // Unsaved assignments are dropped; the list shows what is stored again.
    connect(buttons_[2], &QPushButton::clicked, records_, &RecordSet::revertAll);
    connect(buttons_[3], &QPushButton::clicked, this, &QWidget::close);
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& index) { assignDepartment(index.row()); });
    connect(makeid_, &QLineEdit::returnPressed, this, &Tsetworkfrm::query);

    guarded([this] { fillLookup(dept_, QStringLiteral("SELECT typeid, type FROM ObjectType WHERE label='dept' ORDER BY typeid")); },
            this);
}

QPushButton* Tsetworkfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

void Tsetworkfrm::query()
{
    const QString makeid = makeid_->text().trimmed();
    if (makeid.isEmpty())
        return;
    guarded(
        [&] {
            db::Query q(QStringLiteral("SELECT * FROM workname WHERE makeid=:a ORDER BY workid ASC"));
            q.bind(QStringLiteral(":a"), makeid).exec();
            records_->load(q);
        },
        this);
}

void Tsetworkfrm::showOrder(const QString& makeid)
{
    makeid_->setText(makeid);
    query();
}

void Tsetworkfrm::assignDepartment(int row)
{
    if (dept_->currentIndex() < 0 || records_->size() == 0 || row < 0)
        return;
    records_->setValue(row, QStringLiteral("deptname"), dept_->currentText());
}

bool Tsetworkfrm::save()
{
    return guarded([this] { records_->applyUpdates(); }, this);
}
