#include "AccountsFixture.h"
#include "GuiTestHelpers.h"
#include "ScriptedPrompts.h"
#include "accounts/FormManger.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kPrompt = QStringLiteral("Prompt");

ScriptedPrompts::Message Warning(const QString& text)
{
    return {text, kPrompt, 48};
}
ScriptedPrompts::Message Question(const QString& text)
{
    return {text, kPrompt, 33};
}

} // namespace

class TestFormManger : public QObject
{
    Q_OBJECT

private:
    AccountsFixture* m_fixture = nullptr;
    ScriptedPrompts* m_prompts = nullptr;
    TFormManger* m_window = nullptr;

    // Opens the window on the database as it is now.
    void open()
    {
        delete m_window;
        m_window = new TFormManger;
        m_window->show();
    }
    QLineEdit* edit(const char* name) { return Control<QLineEdit>(m_window, name); }
    QComboBox* role() { return Control<QComboBox>(m_window, "cbbRoleType"); }
    QTableView* grid() { return Control<QTableView>(m_window, "Edb_UserM"); }
    void click(const char* button) { Control<QToolButton>(m_window, button)->click(); }
    bool enabled(const char* button) { return Control<QToolButton>(m_window, button)->isEnabled(); }
    bool editing() { return Control<QGroupBox>(m_window, "grp_Top")->isEnabled(); }
    // Makes a row of the grid the current one, as a click on it does.
    void selectRow(int row) { grid()->setCurrentIndex(grid()->model()->index(row, 0)); }
    QString gridText(int row, int column) { return grid()->model()->index(row, column).data().toString(); }
    void addOperators(const QStringList& ids)
    {
        for (const QString& id : ids)
            QVERIFY2(m_fixture->db().addOperator(id, QStringLiteral("Operator ") + id,
                                                 QStringLiteral("pw") + id, 2),
                     qPrintable(m_fixture->db().error()));
    }

private slots:
    void init()
    {
        m_fixture = new AccountsFixture;
        QVERIFY2(m_fixture->error().isEmpty(), qPrintable(m_fixture->error()));
        m_fixture->signIn(QStringLiteral("001"), QStringLiteral("Administrator"), QStringLiteral("472"), 1);
        m_prompts = new ScriptedPrompts;
    }
    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
        const QString problems = m_prompts->problems();
        delete m_prompts;
        delete m_fixture;
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void gridListsOperatorsInIdOrder()
    {
        addOperators({QStringLiteral("003"), QStringLiteral("002")});
        open();
        QAbstractItemModel* model = grid()->model();
        QCOMPARE(model->columnCount(), 2);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Operator ID"));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Operator Name"));
        QCOMPARE(grid()->columnWidth(0), 115);
        QCOMPARE(grid()->columnWidth(1), 200);
        QCOMPARE(model->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(gridText(0, 0), QStringLiteral("001"));
        QCOMPARE(gridText(1, 0), QStringLiteral("002"));
        QCOMPARE(gridText(2, 1), QStringLiteral("Operator 003"));
        QCOMPARE(grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));
        QCOMPARE(Control<QLabel>(m_window, "lblRemark")->text(),
                 QStringLiteral("Hint: the default password is 580264"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Operators Management"));
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void presentationsFollowTheMode()
    {
        open();
        const auto expectIdle = [this](bool idle) {
            QCOMPARE(editing(), !idle);
            for (const char* name : {"btn_Add", "btn_modify", "btn_delete"})
                QVERIFY2(enabled(name) == idle, name);
            for (const char* name : {"btn_cancel", "btn_save"})
                QVERIFY2(enabled(name) == !idle, name);
            QVERIFY(enabled("btn_exit"));
            QVERIFY(!edit("edt_UserId")->isEnabled());
        };
        expectIdle(true);
        QCOMPARE(m_window->EditMode, 0);
        click("btn_Add");
        expectIdle(false);
        QCOMPARE(m_window->EditMode, 1);
        click("btn_cancel");
        expectIdle(true);
        for (const char* name : {"edt_UserId", "edt_UserName", "edt_Mobile", "edt_PassWord"})
            QVERIFY2(edit(name)->text().isEmpty(), name);
        QCOMPARE(role()->currentIndex(), -1);
        click("btn_modify");
        expectIdle(false);
        QCOMPARE(m_window->EditMode, 2);
        QVERIFY(!edit("edt_PassWord")->isEnabled());
    }

    void addProposesTheNextId_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("only the administrator") << QStringList{} << QStringLiteral("002");
        QTest::newRow("after 003") << QStringList{QStringLiteral("002"), QStringLiteral("003")}
                                   << QStringLiteral("004");
        QTest::newRow("after 009") << QStringList{QStringLiteral("009")} << QStringLiteral("010");
        QTest::newRow("after 999") << QStringList{QStringLiteral("999"), QStringLiteral("100")}
                                   << QStringLiteral("1000");
    }
    void addProposesTheNextId()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, proposed);
        addOperators(existing);
        open();
        // After a Modify the password field was disabled; Add offers it again.
        click("btn_modify");
        click("btn_cancel");
        click("btn_Add");
        QCOMPARE(edit("edt_UserId")->text(), proposed);
        QCOMPARE(edit("edt_PassWord")->text(), QStringLiteral("580264"));
        QVERIFY(edit("edt_PassWord")->isEnabled());
        QCOMPARE(role()->currentText(), QStringLiteral("Operators"));
        QVERIFY(edit("edt_UserName")->text().isEmpty());
    }

    // Names are stored, found and shown as typed (trimmed), whatever they contain.
    void addStoresTheOperator_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain") << QStringLiteral("Bob") << QStringLiteral("Bob");
        QTest::newRow("blanks around") << QStringLiteral("  Bob Lee ") << QStringLiteral("Bob Lee");
        QTest::newRow("apostrophe") << QStringLiteral("O'Brien") << QStringLiteral("O'Brien");
        QTest::newRow("quotes and accents")
            << QStringLiteral("Zoë \"Z\" Ångström") << QStringLiteral("Zoë \"Z\" Ångström");
        QTest::newRow("one Chinese character") << QStringLiteral("张") << QStringLiteral("张");
        QTest::newRow("case differs from existing")
            << QStringLiteral("administrator") << QStringLiteral("administrator");
    }
    void addStoresTheOperator()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        open();
        click("btn_Add");
        QTest::keyClicks(edit("edt_Mobile"), QStringLiteral("13800138000"));
        edit("edt_UserName")->setText(typed);
        m_prompts->answer(IdOk);
        click("btn_save");
        QCOMPARE(
            m_prompts->take(),
            QList{Question(QStringLiteral("Are you sure you want to add operator information to the name ") +
                           stored + u'?')});
        QCOMPARE(m_fixture->operators(),
                 (QStringList{QStringLiteral("001|Administrator||1|472"),
                              QStringLiteral("002|%1|13800138000|2|580264").arg(stored)}));
        QVERIFY(!editing());
        // The grid shows the new row as its current one, and the fields that row.
        QCOMPARE(grid()->currentIndex().row(), 1);
        QCOMPARE(gridText(1, 1), stored);
        QCOMPARE(edit("edt_UserName")->text(), stored);
        QCOMPARE(grid()->columnWidth(0), 115);
        // Adding writes no log row.
        QVERIFY(m_fixture->logRows().isEmpty());
    }

    void saveRefusesBadInput_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty name") << QString() << QStringLiteral("Please enter the correct operator name!");
        QTest::newRow("one letter") << QStringLiteral(" A ")
                                    << QStringLiteral("Please enter the correct operator name!");
        QTest::newRow("name taken")
            << QStringLiteral("Administrator")
            << QStringLiteral("The operator name is repeated. Please change it to another operator name!");
        QTest::newRow("name taken, blanks around")
            << QStringLiteral(" Administrator  ")
            << QStringLiteral("The operator name is repeated. Please change it to another operator name!");
    }
    void saveRefusesBadInput()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        open();
        click("btn_Add");
        edit("edt_UserName")->setText(name);
        click("btn_save");
        QCOMPARE(m_prompts->take(), QList{Warning(message)});
        QVERIFY(editing());
        QCOMPARE(m_fixture->operators().size(), 1);
    }

    void modifyWithoutRowAsksForAnId()
    {
        open();
        click("btn_modify");
        edit("edt_UserName")->setText(QStringLiteral("Nobody"));
        click("btn_save");
        QCOMPARE(m_prompts->take(), QList{Warning(QStringLiteral("Please enter the correct operator ID!"))});
        QVERIFY(editing());
    }

    void cancelledConfirmationWritesNothing_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::newRow("add") << true;
        QTest::newRow("modify") << false;
    }
    void cancelledConfirmationWritesNothing()
    {
        QFETCH(bool, adding);
        addOperators({QStringLiteral("002")});
        const QStringList before = m_fixture->operators();
        open();
        if (adding) {
            click("btn_Add");
        } else {
            selectRow(1);
            click("btn_modify");
        }
        edit("edt_UserName")->setText(QStringLiteral("Changed Name"));
        m_prompts->answer(IdCancel);
        click("btn_save");
        QCOMPARE(m_prompts->take().size(), 1);
        QCOMPARE(m_fixture->operators(), before);
        QVERIFY(!editing());
        // The entered values stay visible.
        QCOMPARE(edit("edt_UserName")->text(), QStringLiteral("Changed Name"));
    }

    void modifyKeepsTheStoredPassword_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("eight characters") << QStringLiteral("secret12");
        QTest::newRow("longer than the field") << QStringLiteral("a-much-longer-one");
    }
    void modifyKeepsTheStoredPassword()
    {
        QFETCH(QString, password);
        QVERIFY(m_fixture->db().addOperator(QStringLiteral("002"), QStringLiteral("Bob"), password, 2));
        open();
        selectRow(1);
        click("btn_modify");
        QVERIFY(!edit("edt_PassWord")->isEnabled());
        QCOMPARE(edit("edt_PassWord")->text(), password);
        edit("edt_UserName")->setText(QStringLiteral("Robert"));
        QTest::keyClicks(edit("edt_Mobile"), QStringLiteral("555"));
        role()->setCurrentIndex(0);
        m_prompts->answer(IdOk);
        click("btn_save");
        QCOMPARE(m_prompts->take(),
                 QList{Question(
                     QStringLiteral("Are you sure you want to modify operator information with ID 002?"))});
        QCOMPARE(m_fixture->operators().at(1), QStringLiteral("002|Robert|555|1|") + password);
        QVERIFY(!editing());
    }

    void modifyRefusesAnotherOperatorsName()
    {
        QVERIFY(m_fixture->db().addOperator(QStringLiteral("002"), QStringLiteral("Bob"), QStringLiteral("b"),
                                            2));
        QVERIFY(m_fixture->db().addOperator(QStringLiteral("003"), QStringLiteral("Carol"),
                                            QStringLiteral("c"), 2));
        open();
        selectRow(2);
        click("btn_modify");
        edit("edt_UserName")->setText(QStringLiteral("Bob"));
        click("btn_save");
        QCOMPARE(m_prompts->take(),
                 QList{Warning(QStringLiteral(
                     "The operator name is repeated. Please change it to another operator name!"))});
        QVERIFY(editing());
        // Its own name is no obstacle.
        edit("edt_UserName")->setText(QStringLiteral("Carol"));
        QTest::keyClicks(edit("edt_Mobile"), QStringLiteral("1"));
        m_prompts->answer(IdOk);
        click("btn_save");
        QCOMPARE(m_prompts->take().size(), 1);
        QCOMPARE(m_fixture->operators().at(2), QStringLiteral("003|Carol|1|2|c"));
    }

    void modifyOfAVanishedOperatorStaysEditing()
    {
        addOperators({QStringLiteral("002")});
        open();
        selectRow(1);
        click("btn_modify");
        QVERIFY(m_fixture->db().exec(QStringLiteral("delete from Operators where UserId = '002'")));
        m_prompts->answer(IdOk);
        click("btn_save");
        const auto messages = m_prompts->take();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.last(), Warning(QStringLiteral("The operator with ID 002 no longer exists!")));
        QVERIFY(editing());
        QCOMPARE(m_fixture->operators().size(), 1);
    }

    void administratorCanBeNeitherDeletedNorDemoted()
    {
        open();
        selectRow(0);
        QCOMPARE(edit("edt_UserId")->text(), QStringLiteral("001"));
        click("btn_delete");
        QCOMPARE(m_prompts->take(), QList{Warning(QStringLiteral("Administrator cannot be deleted!"))});

        click("btn_modify");
        QCOMPARE(role()->currentText(), QStringLiteral("Administrators"));
        QTest::keyClick(role(), Qt::Key_Down); // the operator's own choice of "Operators"
        QCOMPARE(m_prompts->take(),
                 QList{Warning(QStringLiteral("The Administrator authority cannot be modified!"))});
        QCOMPARE(role()->currentText(), QStringLiteral("Administrators"));
        m_prompts->answer(IdOk);
        click("btn_save");
        QCOMPARE(m_prompts->take().size(), 1);
        QCOMPARE(m_fixture->operators(), QStringList{QStringLiteral("001|Administrator||1|472")});
    }

    void otherOperatorsMayChangeRole()
    {
        addOperators({QStringLiteral("002")});
        open();
        selectRow(1);
        click("btn_modify");
        QTest::keyClick(role(), Qt::Key_Up);
        QCOMPARE(role()->currentText(), QStringLiteral("Administrators"));
        QVERIFY(m_prompts->messages().isEmpty());
    }

    // Keyboard moves in the grid load the row, so Delete asks about and
    // removes the row the fields show.
    void deleteRemovesTheRowShown_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("ok") << int(IdOk) << QStringList{QStringLiteral("001"), QStringLiteral("003")};
        QTest::newRow("cancel") << int(IdCancel)
                                << QStringList{QStringLiteral("001"), QStringLiteral("002"),
                                               QStringLiteral("003")};
    }
    void deleteRemovesTheRowShown()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, remaining);
        addOperators({QStringLiteral("002"), QStringLiteral("003")});
        open();
        selectRow(0);
        QTest::keyClick(grid(), Qt::Key_Down);
        QCOMPARE(edit("edt_UserId")->text(), QStringLiteral("002"));
        QCOMPARE(edit("edt_UserName")->text(), QStringLiteral("Operator 002"));
        m_prompts->answer(answer);
        click("btn_delete");
        QCOMPARE(m_prompts->take(),
                 QList{Question(QStringLiteral(
                     "Are you sure you want to delete the operator whose name is Operator 002?"))});
        QStringList ids;
        for (const QString& row : m_fixture->operators())
            ids << row.section(QLatin1Char('|'), 0, 0);
        QCOMPARE(ids, remaining);
        QCOMPARE(grid()->model()->rowCount(), remaining.size());
        QCOMPARE(edit("edt_UserId")->text().isEmpty(), answer == IdOk);
    }

    void deleteWithoutRowAsksForOne()
    {
        addOperators({QStringLiteral("002")});
        open();
        click("btn_delete");
        QCOMPARE(m_prompts->take(), QList{Warning(QStringLiteral("Please select the operator to delete!"))});
        QCOMPARE(m_fixture->operators().size(), 2);
    }

    void telephoneTakesDigitsOnly()
    {
        open();
        click("btn_Add");
        QLineEdit* mobile = edit("edt_Mobile");
        QTest::keyClicks(mobile, QStringLiteral("1a2 +3-4"));
        QCOMPARE(mobile->text(), QStringLiteral("1234"));
        QTest::keyClick(mobile, Qt::Key_Backspace);
        QCOMPARE(mobile->text(), QStringLiteral("123"));
        mobile->insert(QStringLiteral("+86")); // pasted text
        QCOMPARE(mobile->text(), QStringLiteral("123"));
        QTest::keyClicks(mobile, QStringLiteral("45678901234"));
        QCOMPARE(mobile->text(), QStringLiteral("1234567890123"));
    }

    // A statement the database refuses: its message is shown, the window stays
    // usable and the table keeps its rows.
    void databaseRefusalIsShown_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("leadIn");
        QTest::addColumn<bool>("stillEditing");
        QTest::newRow("insert") << QStringLiteral("before insert") << QStringLiteral("add")
                                << QStringLiteral("Failed to save the operator information!") << true;
        QTest::newRow("update") << QStringLiteral("before update") << QStringLiteral("modify")
                                << QStringLiteral("Failed to save the operator information!") << true;
        QTest::newRow("delete") << QStringLiteral("before delete") << QStringLiteral("delete")
                                << QStringLiteral("Failed to delete the operator!") << false;
    }
    void databaseRefusalIsShown()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, action);
        QFETCH(QString, leadIn);
        QFETCH(bool, stillEditing);
        addOperators({QStringLiteral("002")});
        QVERIFY(m_fixture->db().exec(QStringLiteral("create trigger refuse %1 on Operators begin "
                                                    "select raise(abort, 'the disk says no'); end")
                                         .arg(trigger)));
        const QStringList before = m_fixture->operators();
        open();
        selectRow(1);
        if (action == QLatin1String("add"))
            click("btn_Add");
        else if (action == QLatin1String("modify"))
            click("btn_modify");
        edit("edt_UserName")->setText(QStringLiteral("New Name"));
        m_prompts->answer(IdOk);
        click(action == QLatin1String("delete") ? "btn_delete" : "btn_save");
        const auto messages = m_prompts->take();
        QCOMPARE(messages.size(), 2);
        QVERIFY2(messages.last().text.startsWith(leadIn), qPrintable(messages.last().text));
        QVERIFY2(messages.last().text.contains(QStringLiteral("the disk says no")),
                 qPrintable(messages.last().text));
        QCOMPARE(messages.last().caption, kPrompt);
        QCOMPARE(messages.last().flags, 16);
        QCOMPARE(m_fixture->operators(), before);
        QCOMPARE(editing(), stillEditing);
        QCOMPARE(grid()->model()->rowCount(), 2);
    }

    void unreadableTableIsReported()
    {
        QVERIFY(m_fixture->db().exec(QStringLiteral("alter table Operators rename to Gone")));
        open();
        const auto messages = m_prompts->take();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().text.startsWith(QStringLiteral("Error getting user list!")));
        QCOMPARE(messages.first().flags, 16);
        QCOMPARE(grid()->model()->rowCount(), 0);
        click("btn_delete"); // nothing to delete, nothing asked
        QVERIFY(m_prompts->messages().isEmpty());
    }
};

QTEST_MAIN(TestFormManger)
#include "test_formmanger.moc"
