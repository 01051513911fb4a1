#include "common/entermovesfocus.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QWidget>

namespace {

class EnterFilter : public QObject {
public:
    explicit EnterFilter(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->view()->isVisible())
            return false;  // Enter picks the item of an open drop-down
        auto* screen = static_cast<QWidget*>(parent());
        QWidget* next = widget->nextInFocusChain();
        while (next && next != widget &&
               (!(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled() ||
                !next->isVisible() || !screen->isAncestorOf(next) || next->focusProxy()))
            next = next->nextInFocusChain();
        if (next && next != widget)
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
};

bool takesEnter(QWidget* w)
{
    if (w->property("enterMovesFocus").isValid() && !w->property("enterMovesFocus").toBool())
        return false;
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
        return true;
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractItemView*>(w) ||
        qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w))
        return false;
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QAbstractSpinBox*>(w);
}

}  // namespace

void installEnterMovesFocus(QWidget* screen)
{
    auto* filter = new EnterFilter(screen);
    const auto children = screen->findChildren<QWidget*>();
    for (QWidget* w : children) {
        // The line edit inside an editable combo or a spin box belongs to its owner.
        if (qobject_cast<QLineEdit*>(w) &&
            (qobject_cast<QComboBox*>(w->parentWidget()) ||
             qobject_cast<QAbstractSpinBox*>(w->parentWidget())))
            continue;
        if (takesEnter(w))
            w->installEventFilter(filter);
    }
}
