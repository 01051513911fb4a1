#include "personnel/mingzhu.h"

Tmingzhu::Tmingzhu(QWidget* parent)
    : NameDictionaryScreen({QStringLiteral("mingzhu"), QStringLiteral("民族设定"), QStringLiteral("minzhu"),
                            QStringLiteral("minzhuid"), QStringLiteral("minzhuname"),
                            QStringLiteral("此民族名已经存在,请重新输入!")},
                           parent)
{
}
