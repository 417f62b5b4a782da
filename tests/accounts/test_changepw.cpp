#include "AccountsFixture.h"
#include "GuiTestHelpers.h"
#include "ScriptedPrompts.h"
#include "accounts/FrmChangePW.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kPrompt = QStringLiteral("Prompt");
const QString kLogRow = QStringLiteral("002|Bob|修改密码|修改密码|");

} // namespace

class TestChangePW : public QObject
{
    Q_OBJECT

private:
    AccountsFixture* m_fixture = nullptr;
    ScriptedPrompts* m_prompts = nullptr;
    TFrmChangePW* m_window = nullptr;

    QLineEdit* edit(const char* name) { return Control<QLineEdit>(m_window, name); }
    void fill(const QString& oldPassword, const QString& newPassword, const QString& confirmation)
    {
        edit("edt_OldPW")->setText(oldPassword);
        edit("edt_NewPW")->setText(newPassword);
        edit("edt_ConfirmPW")->setText(confirmation);
    }
    void save() { Control<QPushButton>(m_window, "BitBtn1")->click(); }
    QString storedPassword()
    {
        const auto rows =
            m_fixture->db().rows(QStringLiteral("select PassWord from Operators where UserId = '002'"));
        return rows.isEmpty() ? QString() : rows.first().first().toString();
    }

private slots:
    void init()
    {
        m_fixture = new AccountsFixture;
        QVERIFY2(m_fixture->error().isEmpty(), qPrintable(m_fixture->error()));
        QVERIFY(m_fixture->db().addOperator(QStringLiteral("002"), QStringLiteral("Bob"),
                                            QStringLiteral("bob1"), 2));
        m_fixture->signIn(QStringLiteral("002"), QStringLiteral("Bob"), QStringLiteral("bob1"), 2);
        m_prompts = new ScriptedPrompts;
        m_window = new TFrmChangePW;
        m_window->show();
    }
    void cleanup()
    {
        delete m_window;
        const QString problems = m_prompts->problems();
        delete m_prompts;
        delete m_fixture;
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    // The checks run in order; the first that fails speaks, nothing is written.
    void checksInOrder_data()
    {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("focus");
        const QString wrongOld = QStringLiteral("Old password incorrect!");
        const QString noNew = QStringLiteral("Please enter the new password!");
        const QString noConfirmation = QStringLiteral("Please enter the new password again!");
        const QString differ =
            QStringLiteral("The new password entered for the two time is inconsistent. Please re-enter it!");
        QTest::newRow("wrong old") << "bob2"
                                   << "x"
                                   << "x" << wrongOld << 16 << "edt_OldPW";
        QTest::newRow("old in other case") << "BOB1"
                                           << "x"
                                           << "x" << wrongOld << 16 << "edt_OldPW";
        QTest::newRow("wrong old before empty new") << ""
                                                    << ""
                                                    << "" << wrongOld << 16 << "edt_OldPW";
        QTest::newRow("empty new") << "bob1"
                                   << ""
                                   << "x" << noNew << 64 << "edt_NewPW";
        QTest::newRow("blank new") << "bob1"
                                   << "   "
                                   << "   " << noNew << 64 << "edt_NewPW";
        QTest::newRow("empty confirmation") << "bob1"
                                            << "x"
                                            << " " << noConfirmation << 64 << "edt_ConfirmPW";
        QTest::newRow("different") << "bob1"
                                   << "abc"
                                   << "abd" << differ << 64 << "edt_NewPW";
        QTest::newRow("different case") << "bob1"
                                        << "abc"
                                        << "ABC" << differ << 64 << "edt_NewPW";
    }
    void checksInOrder()
    {
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, confirmation);
        QFETCH(QString, message);
        QFETCH(int, flags);
        QFETCH(QString, focus);
        fill(oldPassword, newPassword, confirmation);
        save();
        QCOMPARE(m_prompts->take(), (QList<ScriptedPrompts::Message>{{message, kPrompt, flags}}));
        QCOMPARE(m_window->focusWidget()->objectName(), focus);
        QCOMPARE(storedPassword(), QStringLiteral("bob1"));
        QCOMPARE(CurrentOperator().PassWord, QStringLiteral("bob1"));
        QVERIFY(m_fixture->logRows().isEmpty());
    }

    // The first save changes the password the second one must give as old.
    void saveChangesThePasswordOnce()
    {
        const ScriptedPrompts::Message done{QStringLiteral("Password modification succeeded!"), kPrompt, 64};
        fill(QStringLiteral("bob1  "), QStringLiteral(" new1"), QStringLiteral("new1 "));
        save();
        QCOMPARE(m_prompts->take(), QList{done});
        QCOMPARE(storedPassword(), QStringLiteral("new1"));
        QCOMPARE(CurrentOperator().PassWord, QStringLiteral("new1"));
        QCOMPARE(m_fixture->logRows(), QStringList{kLogRow});
        QCOMPARE(edit("edt_NewPW")->text(), QStringLiteral(" new1")); // the fields are kept

        save();
        QCOMPARE(m_prompts->take(),
                 (QList<ScriptedPrompts::Message>{{QStringLiteral("Old password incorrect!"), kPrompt, 16}}));
        QCOMPARE(m_fixture->logRows().size(), 1);

        fill(QStringLiteral("new1"), QStringLiteral("new2"), QStringLiteral("new2"));
        save();
        QCOMPARE(m_prompts->take(), QList{done});
        QCOMPARE(storedPassword(), QStringLiteral("new2"));
        QCOMPARE(m_fixture->logRows(), (QStringList{kLogRow, kLogRow}));
    }

    // A failed update is reported, keeps the old password in force and is
    // still logged.
    void failedUpdateIsReportedAndLogged_data()
    {
        QTest::addColumn<QString>("arrange");
        QTest::addColumn<QString>("reason");
        QTest::newRow("refused") << QStringLiteral("create trigger refuse before update on Operators begin "
                                                   "select raise(abort, 'the disk says no'); end")
                                 << QStringLiteral("the disk says no");
        QTest::newRow("account gone") << QStringLiteral("delete from Operators where UserId = '002'")
                                      << QStringLiteral("Operator ID 002 does not exist.");
    }
    void failedUpdateIsReportedAndLogged()
    {
        QFETCH(QString, arrange);
        QFETCH(QString, reason);
        QVERIFY(m_fixture->db().exec(arrange));
        fill(QStringLiteral("bob1"), QStringLiteral("new1"), QStringLiteral("new1"));
        save();
        const auto messages = m_prompts->take();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().text.startsWith(QStringLiteral("Password modification failed!")),
                 qPrintable(messages.first().text));
        QVERIFY2(messages.first().text.contains(reason), qPrintable(messages.first().text));
        QCOMPARE(messages.first().flags, 16);
        QCOMPARE(CurrentOperator().PassWord, QStringLiteral("bob1"));
        QCOMPARE(m_fixture->logRows(), QStringList{kLogRow});
    }

    void keysMoveOnAndDropApostrophes()
    {
        QTest::keyClicks(edit("edt_OldPW"), QStringLiteral("b'ob1"));
        QCOMPARE(edit("edt_OldPW")->text(), QStringLiteral("bob1"));
        QTest::keyClick(edit("edt_OldPW"), Qt::Key_Return);
        QCOMPARE(m_window->focusWidget(), edit("edt_NewPW"));
        QTest::keyClicks(edit("edt_NewPW"), QStringLiteral("n1"));
        QTest::keyClick(edit("edt_NewPW"), Qt::Key_Return); // nothing: no save from here
        QVERIFY(m_prompts->messages().isEmpty());
        QTest::keyClicks(edit("edt_ConfirmPW"), QStringLiteral("n1"));
        QTest::keyClick(edit("edt_ConfirmPW"), Qt::Key_Return);
        auto* button = Control<QPushButton>(m_window, "BitBtn1");
        QCOMPARE(m_window->focusWidget(), button);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Password modification succeeded!")});
        QCOMPARE(storedPassword(), QStringLiteral("n1"));
    }
};

QTEST_MAIN(TestChangePW)
#include "test_changepw.moc"
