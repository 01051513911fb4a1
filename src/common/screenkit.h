#pragma once
// Small pieces most screens use: a row of tool buttons, a labelled grid of entry boxes, the
// "leaving a box" hook and the company name for report headers.

#include <QList>
#include <QString>
#include <functional>

class QAbstractItemModel;
class QBoxLayout;
class QTableView;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// Adds a push button with this caption (exactly as the screen shows it) to a layout.
QPushButton* addButton(QBoxLayout* layout, const QString& caption, QWidget* parent);
// A read-only list: whole rows selected one at a time, the last column stretched.
QTableView* listGrid(QWidget* parent, QAbstractItemModel* model);

// The button with exactly this caption, or nullptr.
QPushButton* findButton(const QList<QPushButton*>& buttons, const QString& caption);

// Runs action when the user leaves widget for another control of the same window (not when the
// window itself loses focus, and not when the focus goes to except, a button that checks for
// itself).
void onLeave(QWidget* widget, std::function<void()> action, QWidget* except = nullptr);

// Adds "caption" and the editor to a form grid, two pairs a row: position counts pairs.
void addField(QGridLayout* grid, int position, const QString& caption, QWidget* editor,
              int pairsPerRow = 2);

// A box for a number: whole (decimals 0) or with up to decimals places, no thousands separators.
void numericBox(QLineEdit* box, int decimals, double maximum = 99999999);

// The company's name from the first sysInfo row (empty when there is none).
QString companyName();
