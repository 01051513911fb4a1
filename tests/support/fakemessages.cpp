#include "support/fakemessages.h"

#include <QDebug>
#include <QStringList>

FakeMessages::FakeMessages() : previous_(msg::setPresenter(this)) {}

FakeMessages::~FakeMessages()
{
    msg::setPresenter(previous_);
}

void FakeMessages::show(QWidget*, const QString& caption, const QString& text, msg::Icon icon)
{
    shown.append({caption, text, icon, false, false});
}

bool FakeMessages::askYesNo(QWidget*, const QString& caption, const QString& text, msg::Icon icon,
                            bool defaultYes)
{
    shown.append({caption, text, icon, true, defaultYes});
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
}

bool FakeMessages::contains(const QString& text) const
{
    return count(text) > 0;
}

int FakeMessages::count(const QString& text) const
{
    int n = 0;
    for (const Shown& s : shown)
        if (s.text == text)
            ++n;
    return n;
}

QStringList FakeMessages::texts() const
{
    QStringList list;
    for (const Shown& s : shown)
        list << s.text;
    return list;
}

UnexpectedMessages::~UnexpectedMessages()
{
    if (!shown.isEmpty())
        qWarning() << "unexpected messages:" << texts();
}
