#include "personnel/zhufang.h"

#include "common/guard.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

Tzhufangfrm::Tzhufangfrm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("zhufangfrm"));
    setWindowTitle(QStringLiteral("住房查询"));

    auto* tools = new QHBoxLayout;
    for (const char* caption : {"查  询", "关 闭"})
        buttons_ << addButton(tools, QString::fromUtf8(caption), this);
    tools->addStretch();

    records_ = new RecordSet(this);
    records_->setColumns({{QStringLiteral("roomid"), QStringLiteral("房号")},
                          {QStringLiteral("roomlie"), QStringLiteral("床号")},
                          {QStringLiteral("personnelid"), QStringLiteral("员工编号")},
                          {QStringLiteral("personnelname"), QStringLiteral("员工姓名")}});
    grid_ = listGrid(this, records_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(grid_, 1);
    resize(520, 420);

    connect(buttons_[0], &QPushButton::clicked, this, &Tzhufangfrm::queryClick);
    connect(buttons_[1], &QPushButton::clicked, this, &QWidget::close);
}

QPushButton* Tzhufangfrm::button(const QString& caption) const
{
    return findButton(buttons_, caption);
}

// Employees in service with both a room and a bed, by room and bed.
void Tzhufangfrm::queryClick()
{
    guarded(
        [this] {
            records_->load(QStringLiteral(
                "SELECT roomid, roomlie, personnelid, personnelname FROM personnel "
                "WHERE zaizhi=0 AND roomid IS NOT NULL AND roomlie IS NOT NULL "
                "ORDER BY roomid, roomlie, personnelid"));
        },
        this);
}
