#include "common/guard.h"

#include "common/db.h"
#include "common/messages.h"

bool guarded(const std::function<void()>& action, QWidget* parent)
{
    try {
        action();
        return true;
    } catch (const db::DbError& e) {
        msg::error(e.message(), QStringLiteral("错误"), parent);
    } catch (const std::exception& e) {
        msg::error(QString::fromLocal8Bit(e.what()), QStringLiteral("错误"), parent);
    }
    return false;
}
