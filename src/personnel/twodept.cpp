#include "personnel/twodept.h"

#include "common/db.h"
#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

Ttwodeptfrm::Ttwodeptfrm(QWidget* parent)
    : RecordScreen(QStringLiteral("twodeptfrm"), QStringLiteral("三级部门"), parent)
{
    records()->setTable(QStringLiteral("twodept"), {QStringLiteral("twoid")}, QStringLiteral("twoid"));
    auto secondOf = [this](const QVariant& v) { return seconds_.value(v.toInt()); };
    records()->setColumns(
        {{QStringLiteral("sysid"), QStringLiteral("一级部门"), RecordSet::Column::Text, 2,
          [this, secondOf](const QVariant& v) { return deptNames_.value(secondOf(v).deptid); }},
         {QStringLiteral("sysid"), QStringLiteral("二级部门"), RecordSet::Column::Text, 2,
          [secondOf](const QVariant& v) { return secondOf(v).name; }},
         {QStringLiteral("twodept"), QStringLiteral("三级部门")}});
    first_ = new QComboBox(this);
    second_ = new QComboBox(this);
    second_->setProperty("lookup", true);  // shows names, stores onedept.sysid
    addUnbound(QStringLiteral("一级部门"), first_);
    addEditor(QStringLiteral("sysid"), QStringLiteral("二级部门"), second_);
    addBox(QStringLiteral("twodept"), QStringLiteral("三级部门"));
    editor()->setRequired({QStringLiteral("twodept")}, QString());
    editor()->setDelete(QStringLiteral("是否要删除该记录，将会影响员工的数据"));
    setListStatement(QStringLiteral("SELECT * FROM twodept ORDER BY twoid"));

    connect(first_, &QComboBox::currentIndexChanged, this,
            [this] { showSecondLevelOf(first_->currentData().toString()); });
    // Browsing, the lists follow the current row; these run after the editors were filled.
    connect(grid()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showParentsOf(current.row()); });
    connect(button(QStringLiteral("取  消")), &QPushButton::clicked, this,
            [this] { showParentsOf(editor()->currentRow()); });
    installEnterMovesFocus(this);
    FormShow();
}

void Ttwodeptfrm::listRead()
{
    const QSignalBlocker quiet(first_);
    fillLookup(first_, QStringLiteral("SELECT deptid, deptname FROM dept ORDER BY deptid"));
    deptNames_.clear();
    for (int i = 0; i < first_->count(); ++i)
        deptNames_.insert(first_->itemData(i).toString(), first_->itemText(i));
    seconds_.clear();
    secondOrder_.clear();
    db::Query q(QStringLiteral("SELECT sysid, onedept, deptid FROM onedept ORDER BY sysid"));
    q.exec();
    while (q.next()) {
        seconds_.insert(q.value(0).toInt(), {q.value(1).toString(), q.value(2).toString()});
        secondOrder_ << q.value(0).toInt();
    }
    showSecondLevelOf(first_->currentData().toString());
}

void Ttwodeptfrm::showSecondLevelOf(const QString& deptid)
{
    const QVariant keep = second_->currentData();
    second_->clear();
    for (int sysid : std::as_const(secondOrder_)) {
        const Second& s = seconds_[sysid];
        if (deptid.isEmpty() || s.deptid == deptid)
            second_->addItem(s.name, QString::number(sysid));
    }
    second_->setCurrentIndex(keep.isValid() ? second_->findData(keep) : -1);
}

void Ttwodeptfrm::showParentsOf(int row)
{
    const QVariant sysid = records()->value(row, QStringLiteral("sysid"));
    const QString deptid = sysid.isNull() ? QString() : seconds_.value(sysid.toInt()).deptid;
    {
        const QSignalBlocker quiet(first_);
        first_->setCurrentIndex(deptid.isEmpty() ? -1 : first_->findData(deptid));
    }
    showSecondLevelOf(deptid);
    second_->setCurrentIndex(sysid.isNull() ? -1 : second_->findData(sysid.toString()));
}
