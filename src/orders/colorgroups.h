#pragma once
// 颜色组资料 and 尺码组资料: the colour/size sets (款色) an order picks. Both list the same
// colortitle rows; the colour-group editor gives a set its colours (colorzu), the size-group
// editor its sizes (mazu). The list and the editor are written once, for a SetKind.

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class EditController;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordSet;

// What tells the colour groups from the size groups.
struct SetKind {
    QString listFormName;
    QString listCaption;
    QString editorFormName;
    QString editorCaption;
    QString membersTable;  // one row per (set, member): kid and the dictionary key
    QString dictionary;    // the table the members come from
    QString key;           // its key, stored in the members table under the same name
    QString name;          // its column shown to the user
    QString nameCaption;
    QString setLabel;  // caption of the editor's name box

    static const SetKind& colours();
    static const SetKind& sizes();
};

// The editor of one set: its name and remark, its members on the left and the dictionary
// entries it lacks on the right. Member changes are held until 确定 writes them together with
// the set row.
class SetEditor : public QDialog {
    Q_OBJECT
public:
    QLineEdit* nameBox() const { return name_; }
    QLineEdit* remarkBox() const { return remark_; }
    RecordSet* members() const { return members_; }
    RecordSet* choices() const { return choices_; }
    QTableView* memberGrid() const { return memberGrid_; }
    QTableView* choiceGrid() const { return choiceGrid_; }
    QPushButton* button(const QString& caption) const;
    int kid() const { return kid_; }  // 0 for a set not saved yet

    void takeChoice();      // <
    void takeAllChoices();  // <<
    void dropMember();      // >
    void dropAllMembers();  // >>
    // 确定: writes the set and its members in one transaction and closes. False when nothing was
    // written (no name, or the error has been shown).
    bool confirm();

signals:
    void saved(int kid);

protected:
    SetEditor(const SetKind& kind, int kid, QWidget* parent);

private:
    void load();
    // Every dictionary entry into the right grid, in key order; then the members leave it.
    void readDictionary();
    void dropMembersFromChoices();
    static int currentRow(QTableView* grid);

    const SetKind& kind_;
    int kid_;
    QHash<QString, QString> names_;  // dictionary key -> shown name
    QLineEdit* name_;
    QLineEdit* remark_;
    RecordSet* members_;
    RecordSet* choices_;
    QTableView* memberGrid_;
    QTableView* choiceGrid_;
    QList<QPushButton*> buttons_;
};

class Tyansezumxfrm : public SetEditor {
    Q_OBJECT
public:
    explicit Tyansezumxfrm(int kid = 0, QWidget* parent = nullptr);
};

class Tchimamxfrm : public SetEditor {
    Q_OBJECT
public:
    explicit Tchimamxfrm(int kid = 0, QWidget* parent = nullptr);
};

// The list of sets with 新增, 明细 (the editor of the current set) and 删除 (the set row only;
// its member rows stay).
class SetListScreen : public QWidget {
    Q_OBJECT
public:
    EditController* editor() const { return edit_; }
    RecordSet* records() const { return records_; }
    QPushButton* button(const QString& caption) const;

    void FormShow();
    // Opens the editor (0: a new set) modally and returns at once; the list is re-read after
    // the editor saves.
    SetEditor* openEditor(int kid);
    SetEditor* openedEditor() const { return opened_; }

protected:
    SetListScreen(const SetKind& kind, QWidget* parent);
    virtual SetEditor* createEditor(int kid) = 0;

private:
    const SetKind& kind_;
    RecordSet* records_;
    QTableView* grid_;
    EditController* edit_;
    QList<QPushButton*> buttons_;
    QPointer<SetEditor> opened_;
};

class Tyansezufrm : public SetListScreen {
    Q_OBJECT
public:
    explicit Tyansezufrm(QWidget* parent = nullptr);

protected:
    SetEditor* createEditor(int kid) override;
};

class Tchimafrm : public SetListScreen {
    Q_OBJECT
public:
    explicit Tchimafrm(QWidget* parent = nullptr);

protected:
    SetEditor* createEditor(int kid) override;
};
