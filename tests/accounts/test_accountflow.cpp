// An operator's life as the windows see it: added by the administrator,
// signing in with the default password, changing it, signing in with the new
// one, and locked out once deleted.
#include "AccountsFixture.h"
#include "GuiTestHelpers.h"
#include "ScriptedPrompts.h"
#include "accounts/FormManger.h"
#include "accounts/FrmChangePW.h"
#include "accounts/LoginForm.h"
#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

class TestAccountFlow : public QObject
{
    Q_OBJECT

private:
    AccountsFixture* m_fixture = nullptr;
    ScriptedPrompts* m_prompts = nullptr;

    // A login at the next start: true when the window closes signed in.
    bool signIn(const QString& id, const QString& password)
    {
        TLoginForm login;
        login.show();
        Control<QLineEdit>(&login, "edt_UserId")->setText(id);
        Control<QLineEdit>(&login, "edt_PassWord")->setText(password);
        QTest::keyClick(Control<QLineEdit>(&login, "edt_PassWord"), Qt::Key_Return);
        return !login.isVisible() && login.result() == QDialog::Accepted;
    }

private slots:
    void init()
    {
        m_fixture = new AccountsFixture;
        QVERIFY2(m_fixture->error().isEmpty(), qPrintable(m_fixture->error()));
        m_prompts = new ScriptedPrompts;
    }
    void cleanup()
    {
        const QString problems = m_prompts->problems();
        delete m_prompts;
        delete m_fixture;
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void addedOperatorSignsInChangesPasswordAndIsDeleted_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("Carol");
        QTest::newRow("apostrophe") << QStringLiteral("D'Arcy");
        QTest::newRow("Chinese") << QStringLiteral("王小明");
    }
    void addedOperatorSignsInChangesPasswordAndIsDeleted()
    {
        QFETCH(QString, name);
        QVERIFY(signIn(QStringLiteral("001"), QStringLiteral("472")));
        {
            TFormManger manager;
            manager.show();
            Control<QToolButton>(&manager, "btn_Add")->click();
            Control<QLineEdit>(&manager, "edt_UserName")->setText(name);
            m_prompts->answer(IdOk);
            Control<QToolButton>(&manager, "btn_save")->click();
        }
        QCOMPARE(m_prompts->take().size(), 1);

        // The next start.
        QVERIFY(signIn(QStringLiteral("002"), QStringLiteral("580264")));
        QCOMPARE(CurrentOperator().UserName, name);
        QCOMPARE(CurrentOperator().RoleType, 2);
        {
            TFrmChangePW change;
            change.show();
            Control<QLineEdit>(&change, "edt_OldPW")->setText(QStringLiteral("580264"));
            Control<QLineEdit>(&change, "edt_NewPW")->setText(QStringLiteral("n3w"));
            Control<QLineEdit>(&change, "edt_ConfirmPW")->setText(QStringLiteral("n3w"));
            Control<QPushButton>(&change, "BitBtn1")->click();
        }
        QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Password modification succeeded!")});
        m_prompts->clear();
        // The log names the operator as stored.
        QCOMPARE(m_fixture->logRows().last(), QStringLiteral("002|%1|修改密码|修改密码|").arg(name));

        QVERIFY(!signIn(QStringLiteral("002"), QStringLiteral("580264")));
        QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Password error, please re-enter!")});
        m_prompts->clear();
        QVERIFY(signIn(QStringLiteral("002"), QStringLiteral("n3w")));

        QVERIFY(signIn(QStringLiteral("001"), QStringLiteral("472")));
        {
            TFormManger manager;
            manager.show();
            auto* grid = Control<QTableView>(&manager, "Edb_UserM");
            grid->setCurrentIndex(grid->model()->index(1, 0));
            QCOMPARE(Control<QLineEdit>(&manager, "edt_UserName")->text(), name);
            m_prompts->answer(IdOk);
            Control<QToolButton>(&manager, "btn_delete")->click();
        }
        m_prompts->clear();
        QVERIFY(!signIn(QStringLiteral("002"), QStringLiteral("n3w")));
        QCOMPARE(m_prompts->texts(),
                 QStringList{QStringLiteral("Operator ID does not exist. Please re-enter it!")});
    }

    // Each opening is a fresh window, gone once it closes.
    void menuEntriesOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::newRow("operators") << QStringLiteral("OperatorsManagement1") << QStringLiteral("FormManger");
        QTest::newRow("password") << QStringLiteral("Modifypassword1") << QStringLiteral("FrmChangePW");
    }
    void menuEntriesOpenTheirWindows()
    {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        QVERIFY(signIn(QStringLiteral("001"), QStringLiteral("472")));
        TFrmMain main;
        QList<QPointer<QDialog>> opened;
        for (int run = 0; run < 2; ++run) {
            QTimer::singleShot(0, &main, [&] {
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    auto* dialog = qobject_cast<QDialog*>(widget);
                    if (dialog && dialog->isVisible() && dialog->objectName() == window) {
                        opened << dialog;
                        dialog->reject();
                    }
                }
            });
            Control<QAction>(&main, qPrintable(entry))->trigger();
        }
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened.at(0).isNull() && opened.at(1).isNull());
    }
};

QTEST_MAIN(TestAccountFlow)
#include "test_accountflow.moc"
