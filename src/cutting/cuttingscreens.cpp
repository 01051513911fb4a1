#include "cutting/cuttingscreens.h"

#include "common/screenregistry.h"
#include "cutting/printzhahao.h"
#include "cutting/printzhahaoa.h"
#include "cutting/printchuangci.h"
#include "cutting/printchuangciafrm.h"
#include "cutting/gongpiaoview.h"
#include "cutting/lianxuprint.h"
#include "cutting/shanchuchuang.h"
#include "cutting/workid.h"
#include "cutting/zhahaotihuan.h"

namespace cutting {

void registerScreens()
{
    screens::registerScreen(QStringLiteral("Tprintzhahaofrm"), [] { return new Tprintzhahaofrm; });
    screens::registerScreen(QStringLiteral("Tprintzhahaoafrm"), [] { return new Tprintzhahaoafrm; });
    screens::registerScreen(QStringLiteral("Tprintchuangcifrm"), [] { return new Tprintchuangcifrm; });
    screens::registerScreen(QStringLiteral("Tprintchuangcia"), [] { return new Tprintchuangcia; });
    screens::registerScreen(QStringLiteral("Tprintchuangciallfrm"), [] { return new Tprintchuangciallfrm; });
    screens::registerScreen(QStringLiteral("Tzhahaotihuanfrm"), [] { return new Tzhahaotihuanfrm; });
    screens::registerScreen(QStringLiteral("Tgongpiaoviewfrm"), [] { return new Tgongpiaoviewfrm; });
    screens::registerScreen(QStringLiteral("Tchafrm"), [] { return new Tchafrm; });
    // 删除床次 is opened from the lay-record screen; registered so it opens once only.
    screens::registerScreen(QStringLiteral("Tshanchuchuang"), [] { return new Tshanchuchuang; });
}

}  // namespace cutting
