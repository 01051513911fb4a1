#include "personnel/room.h"

#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

Troomfrm::Troomfrm(QWidget* parent)
    : RecordScreen(QStringLiteral("roomfrm"), QStringLiteral("住房设定"), parent)
{
    records()->setTable(QStringLiteral("room"), {QStringLiteral("roomid")});
    records()->setColumns({{QStringLiteral("roomid"), QStringLiteral("住房")},
                           {QStringLiteral("amount"), QStringLiteral("人数"), RecordSet::Column::Integer}});
    addBox(QStringLiteral("roomid"), QStringLiteral("住房:"), 20);
    numericBox(addBox(QStringLiteral("amount"), QStringLiteral("限制人数:"), 9), 0);
    editor()->setRequired({QStringLiteral("roomid")}, QString());
    setUnique(QStringLiteral("room"), QStringLiteral("roomid"), QStringLiteral("该房号已重复，请重新输入"));
    editor()->setDelete(QStringLiteral("是否要删除该记录，将会影响员工的数据"));
    setListStatement(QStringLiteral("SELECT * FROM room ORDER BY roomid"));

    footer_ = new QLabel(this);
    footer_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    static_cast<QVBoxLayout*>(layout())->addWidget(footer_);
    connect(records(), &QAbstractItemModel::modelReset, this, &Troomfrm::showFooter);
    connect(records(), &QAbstractItemModel::dataChanged, this, &Troomfrm::showFooter);
    connect(records(), &QAbstractItemModel::rowsRemoved, this, &Troomfrm::showFooter);
    installEnterMovesFocus(this);
    FormShow();
}

void Troomfrm::showFooter()
{
    int beds = 0;
    for (int i = 0; i < records()->size(); ++i)
        beds += records()->value(i, QStringLiteral("amount")).toInt();
    footer_->setText(QStringLiteral("合计: %1").arg(beds));
}

QString Troomfrm::footerText() const
{
    return footer_->text();
}
