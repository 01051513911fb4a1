#include "common/entermovesfocus.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

class TestEnterMovesFocus : public QObject {
    Q_OBJECT
private slots:
    void enterActsAsTab();
};

void TestEnterMovesFocus::enterActsAsTab()
{
    QWidget screen;
    auto* layout = new QVBoxLayout(&screen);
    auto* first = new QLineEdit(&screen);
    auto* combo = new QComboBox(&screen);
    combo->setEditable(true);
    auto* disabled = new QLineEdit(&screen);
    disabled->setEnabled(false);
    auto* memo = new QPlainTextEdit(&screen);
    auto* own = new QLineEdit(&screen);
    own->setProperty("enterMovesFocus", false);
    auto* last = new QLineEdit(&screen);
    for (QWidget* w : std::initializer_list<QWidget*>{first, combo, disabled, memo, own, last})
        layout->addWidget(w);
    installEnterMovesFocus(&screen);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));

    struct Step {
        QWidget* from;
        QWidget* to;
    };
    // Disabled controls are skipped; a multi-line editor and a control that keeps its own Enter
    // do not move.
    const Step steps[] = {{first, combo}, {combo, memo}, {memo, memo}, {own, own}, {last, first}};
    for (const Step& s : steps) {
        s.from->setFocus();
        QTest::keyClick(s.from, Qt::Key_Return);
        QCOMPARE(screen.focusWidget(), s.to);
    }
    // The combo's text is kept, and Enter does not add it as an item.
    combo->setFocus();
    combo->setEditText(QStringLiteral("红色"));
    QTest::keyClick(combo, Qt::Key_Enter);
    QCOMPARE(combo->currentText(), QStringLiteral("红色"));
}

QTEST_MAIN(TestEnterMovesFocus)
#include "tst_entermovesfocus.moc"
