#include "common/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace msg {

namespace {

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

class BoxPresenter : public Presenter {
public:
    void show(QWidget* parent, const QString& caption, const QString& text, Icon icon) override
    {
        QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, parent);
        box.exec();
    }
    bool askYesNo(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                  bool defaultYes) override
    {
        QMessageBox box(boxIcon(icon), caption, text, QMessageBox::NoButton, parent);
        QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(defaultYes ? yes : no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
};

Presenter* current = nullptr;

Presenter& presenter()
{
    static BoxPresenter boxes;
    return current ? *current : boxes;
}

QWidget* owner(QWidget* parent)
{
    return parent ? parent : QApplication::activeWindow();
}

}  // namespace

Presenter* setPresenter(Presenter* p)
{
    Presenter* previous = current;
    current = p;
    return previous;
}

void info(const QString& text, const QString& caption, QWidget* parent)
{
    presenter().show(owner(parent), caption, text, Icon::Information);
}

void warning(const QString& text, const QString& caption, QWidget* parent)
{
    presenter().show(owner(parent), caption, text, Icon::Warning);
}

void error(const QString& text, const QString& caption, QWidget* parent)
{
    presenter().show(owner(parent), caption, text, Icon::Critical);
}

bool ask(const QString& text, const QString& caption, QWidget* parent, bool defaultYes)
{
    return presenter().askYesNo(owner(parent), caption, text, Icon::Question, defaultYes);
}

}  // namespace msg
