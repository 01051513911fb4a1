#include "common/screenkit.h"

#include "common/db.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFocusEvent>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QHeaderView>
#include <QTableView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QPushButton* addButton(QBoxLayout* layout, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

QTableView* listGrid(QWidget* parent, QAbstractItemModel* model)
{
    auto* grid = new QTableView(parent);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

QPushButton* findButton(const QList<QPushButton*>& buttons, const QString& caption)
{
    for (QPushButton* b : buttons)
        if (b->text() == caption)
            return b;
    return nullptr;
}

namespace {

class LeaveFilter : public QObject {
public:
    LeaveFilter(QObject* parent, std::function<void()> action, QWidget* except)
        : QObject(parent), action_(std::move(action)), except_(except)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                (!except_ || QApplication::focusWidget() != except_))
                action_();
        }
        return false;
    }

private:
    std::function<void()> action_;
    QWidget* except_;
};

}  // namespace

void onLeave(QWidget* widget, std::function<void()> action, QWidget* except)
{
    widget->installEventFilter(new LeaveFilter(widget, std::move(action), except));
}

void addField(QGridLayout* grid, int position, const QString& caption, QWidget* editor,
              int pairsPerRow)
{
    const int row = position / pairsPerRow;
    const int column = (position % pairsPerRow) * 2;
    auto* label = new QLabel(caption, editor->parentWidget());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(editor);
    grid->addWidget(label, row, column);
    grid->addWidget(editor, row, column + 1);
}

void numericBox(QLineEdit* box, int decimals, double maximum)
{
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    if (decimals == 0) {
        auto* v = new QIntValidator(0, int(qMin(maximum, 2147483647.0)), box);
        v->setLocale(plain);
        box->setValidator(v);
        return;
    }
    auto* v = new QDoubleValidator(0, maximum, decimals, box);
    v->setNotation(QDoubleValidator::StandardNotation);
    v->setLocale(plain);
    box->setValidator(v);
}

QString companyName()
{
    db::Query q(QStringLiteral("SELECT company FROM sysInfo LIMIT 1"));
    q.exec();
    return q.next() ? q.value(0).toString() : QString();
}
