#pragma once
// Replaces the message boxes while it lives: records what would have been shown and answers
// questions from a script (then with defaultAnswer). Nests: the one it replaced comes back.

#include "common/messages.h"

#include <QList>
#include <QString>

class FakeMessages : public msg::Presenter {
public:
    struct Shown {
        QString caption;
        QString text;
        msg::Icon icon;
        bool question;
        bool defaultYes;  // questions: Yes is the default button
    };

    FakeMessages();
    ~FakeMessages() override;

    void show(QWidget* parent, const QString& caption, const QString& text, msg::Icon icon) override;
    bool askYesNo(QWidget* parent, const QString& caption, const QString& text, msg::Icon icon,
                  bool defaultYes) override;

    QList<Shown> shown;
    QList<bool> answers;        // consumed in order by questions
    bool defaultAnswer = false;

    bool contains(const QString& text) const;
    int count(const QString& text) const;
    QString last() const { return shown.isEmpty() ? QString() : shown.last().text; }
    QStringList texts() const;
    void clear() { shown.clear(); }

private:
    msg::Presenter* previous_;
};

// A fixture's catch-all: records the boxes no test asked for, so none blocks a test, and names
// them in the test log when it goes.
class UnexpectedMessages : public FakeMessages {
public:
    ~UnexpectedMessages() override;
};
