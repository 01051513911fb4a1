#include "cutting/cuttingscreens.h"

#include "common/screenregistry.h"
#include "cutting/shanchuchuang.h"
#include "cutting/workid.h"

namespace cutting {

void registerScreens()
{
    screens::registerScreen(QStringLiteral("Tchafrm"), [] { return new Tchafrm; });
    // 删除床次 is opened from the lay-record screen; registered so it opens once only.
    screens::registerScreen(QStringLiteral("Tshanchuchuang"), [] { return new Tshanchuchuang; });
}

}  // namespace cutting
