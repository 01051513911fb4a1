#include "personnel/shengji.h"

Tshengjifrm::Tshengjifrm(QWidget* parent)
    : NameDictionaryScreen({QStringLiteral("shengjifrm"), QStringLiteral("省籍设定"), QStringLiteral("shengji"),
                            QStringLiteral("shengjiid"), QStringLiteral("shengjiname"),
                            QStringLiteral("此省籍已经存在,请重新输入!")},
                           parent)
{
}
