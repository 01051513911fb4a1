#include "personnel/zhongjiao.h"

Tzhongjiaofrm::Tzhongjiaofrm(QWidget* parent)
    : NameDictionaryScreen({QStringLiteral("zhongjiaofrm"), QStringLiteral("宗教设定"), QStringLiteral("zhongjiao"),
                            QStringLiteral("zhongjiaoid"), QStringLiteral("zhongjiaoname"),
                            QStringLiteral("此宗教名已经存在,请重新输入!")},
                           parent)
{
}
