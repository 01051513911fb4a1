#include "personnel/pricejibie.h"

#include "common/editcontroller.h"
#include "common/entermovesfocus.h"
#include "common/recordset.h"
#include "common/screenkit.h"

#include <QLineEdit>

Tpricejiibiefrm::Tpricejiibiefrm(QWidget* parent)
    : RecordScreen(QStringLiteral("pricejiibiefrm"), QStringLiteral("计件工资标准级别"), parent)
{
    records()->setTable(QStringLiteral("jibie"), {QStringLiteral("jibie")});
    // Rates are piece prices, kept to four places like the process prices.
    records()->setColumns({{QStringLiteral("jibie"), QStringLiteral("工资级别")},
                           {QStringLiteral("price"), QStringLiteral("工价"), RecordSet::Column::Money, 4}});
    addBox(QStringLiteral("jibie"), QStringLiteral("工资级别："), 20);
    numericBox(addBox(QStringLiteral("price"), QStringLiteral("工  价："), 15), 4);
    editor()->setRequired({QStringLiteral("jibie"), QStringLiteral("price")}, QString());
    setUnique(QStringLiteral("jibie"), QStringLiteral("jibie"), QStringLiteral("该级别已经重复，请重新输入"));
    editor()->setDelete(QStringLiteral("删除该部门，将会令到后面的数据的统计出现问题?"));
    setListStatement(QStringLiteral("SELECT * FROM jibie ORDER BY jibie"));
    installEnterMovesFocus(this);
    FormShow();
}
