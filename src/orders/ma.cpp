#include "orders/ma.h"

Tmafrm::Tmafrm(QWidget* parent)
    : DictionaryScreen({QStringLiteral("mafrm"),
                        QStringLiteral("尺码资料"),
                        QStringLiteral("ma"),
                        QStringLiteral("id"),
                        {{QStringLiteral("ma"), QStringLiteral("码  数"), QStringLiteral("码数")}},
                        QStringLiteral("ma"),
                        QStringLiteral("该码数已经重复，请重新输入"),
                        QString()},
                       parent)
{
}
