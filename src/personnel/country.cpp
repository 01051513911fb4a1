#include "personnel/country.h"

Tcountryfrm::Tcountryfrm(QWidget* parent)
    : NameDictionaryScreen({QStringLiteral("countryfrm"), QStringLiteral("国籍设定"), QStringLiteral("country"),
                            QStringLiteral("countryid"), QStringLiteral("country"),
                            QStringLiteral("此国籍已经存在,请重新输入!")},
                           parent)
{
}
