#include "FixtureDatabase.h"
#include "GuiTestHelpers.h"
#include "ScriptedPrompts.h"
#include "TestAppDir.h"
#include "accounts/LoginForm.h"
#include "data/AppConfig.h"
#include "data/DataModule.h"
#include "data/Operator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using Message = ScriptedPrompts::Message;

namespace {

const QString kNoSuchId = QStringLiteral("Operator ID does not exist. Please re-enter it!");
const QString kWrongPassword = QStringLiteral("Password error, please re-enter!");

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_dir = std::make_unique<TestAppDir>();
        m_db = std::make_unique<FixtureDatabase>(m_dir->filePath(QStringLiteral("ParamConfig.db")));
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
        QVERIFY(m_db->addOperator(QStringLiteral("002"), QStringLiteral("Operator Two"),
                                  QStringLiteral("Secret"), 2));
        QVERIFY(
            m_db->addOperator(QStringLiteral("003"), QStringLiteral("O'Brien"), QStringLiteral("obr"), 2));
        QVERIFY(
            m_db->addOperator(QStringLiteral("004"), QStringLiteral("Trailing"), QStringLiteral("abc "), 2));
        AppConfig() = TAppConfig();
        AppConfig().DBMod = QStringLiteral("2");
        AppConfig().SPWS = QStringLiteral("0");
        CurrentOperator() = TCurrentOperator();
        QString error;
        QVERIFY2(ConnectDatabase(QString(), QString(), QString(), QString(), &error), qPrintable(error));
        m_form = new TLoginForm;
    }
    void cleanup()
    {
        delete m_form;
        CloseDatabase();
        m_db.reset();
        m_dir.reset();
        QVERIFY2(m_prompts->problems().isEmpty(), qPrintable(m_prompts->problems()));
        m_prompts.reset();
    }

    void showListsNamesInIdOrder()
    {
        m_form->setWindowTitle(QStringLiteral("something"));
        showForm();
        QCOMPARE(m_form->windowTitle(), QString());
        QComboBox* names = nameBox();
        QStringList items;
        for (int i = 0; i < names->count(); ++i)
            items << names->itemText(i);
        QCOMPARE(items, (QStringList{"Administrator", "Operator Two", "O'Brien", "Trailing"}));
        QCOMPARE(names->currentIndex(), -1);
        QCOMPARE(idEdit()->text(), QString());
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void spwsPrefillsTheAdministrator_data()
    {
        QTest::addColumn<QString>("spws");
        QTest::addColumn<QString>("id");
        QTest::newRow("1 pre-fills") << "1"
                                     << "001";
        QTest::newRow("0 leaves empty") << "0"
                                        << "";
    }
    void spwsPrefillsTheAdministrator()
    {
        QFETCH(QString, spws);
        QFETCH(QString, id);
        AppConfig().SPWS = spws;
        showForm();
        QCOMPARE(idEdit()->text(), id);
        QCOMPARE(passwordEdit()->text(), id.isEmpty() ? QString() : QStringLiteral("472"));
    }

    void login_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message"); // empty: the login succeeds
        QTest::addColumn<QString>("focus");
        QTest::newRow("administrator") << "001"
                                       << "472"
                                       << ""
                                       << "";
        QTest::newRow("ID with blanks around") << "  001  "
                                               << "472"
                                               << ""
                                               << "";
        QTest::newRow("password with trailing blanks") << "001"
                                                       << "472   "
                                                       << ""
                                                       << "";
        QTest::newRow("letter case matches") << "002"
                                             << "Secret"
                                             << ""
                                             << "";
        QTest::newRow("letter case differs") << "002"
                                             << "secret" << kWrongPassword << "edt_PassWord";
        QTest::newRow("wrong password") << "001"
                                        << "473" << kWrongPassword << "edt_PassWord";
        QTest::newRow("stored trailing blank never matches") << "004"
                                                             << "abc " << kWrongPassword << "edt_PassWord";
        QTest::newRow("unknown ID") << "999"
                                    << "472" << kNoSuchId << "edt_UserId";
        QTest::newRow("empty ID") << ""
                                  << "" << kNoSuchId << "edt_UserId";
        QTest::newRow("name with apostrophe") << "003"
                                              << "obr"
                                              << ""
                                              << "";
    }
    void login()
    {
        QFETCH(QString, id);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        showForm();
        idEdit()->setText(id);
        passwordEdit()->setText(password);
        Control<QAbstractButton>(m_form, "sbLogin")->click();

        if (!message.isEmpty()) {
            QCOMPARE(m_prompts->messages(), (QList<Message>{{message, QStringLiteral("Prompt"), 64}}));
            QVERIFY(m_form->isVisible());
            QCOMPARE(m_form->focusWidget()->objectName(), focus);
            QCOMPARE(CurrentOperator().UserId, QString());
            QVERIFY(m_db->rows(QStringLiteral("select * from LogOper")).isEmpty());
            return;
        }
        QVERIFY(m_prompts->messages().isEmpty());
        QCOMPARE(m_form->result(), int(QDialog::Accepted));
        QVERIFY(!m_form->isVisible());
        const auto expected = m_db->rows(
            QStringLiteral("select UserName, RoleType from Operators where UserId=?"), {id.trimmed()});
        QCOMPARE(expected.size(), 1);
        QCOMPARE(CurrentOperator().UserId, id.trimmed());
        QCOMPARE(CurrentOperator().UserName, expected[0][0].toString());
        QCOMPARE(CurrentOperator().RoleType, expected[0][1].toInt());
        QCOMPARE(CurrentOperator().PassWord, password.trimmed());
        QVERIFY(!CurrentOperator().LocalIP.isEmpty());

        const auto log = m_db->rows(QStringLiteral(
            "select UserId, UserName, OperTitle, OperType, OperMem, OperMem is null from LogOper"));
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0][0].toString(), id.trimmed());
        QCOMPARE(log[0][1].toString(), expected[0][0].toString());
        QCOMPARE(log[0][2].toString(), QStringLiteral("Login system"));
        QCOMPARE(log[0][3].toString(), QStringLiteral("Login system"));
        QCOMPARE(log[0][4].toString(), QString());
        QCOMPARE(log[0][5].toInt(), 0);
    }

    void enterInPasswordLogsIn()
    {
        AppConfig().SPWS = QStringLiteral("1");
        showForm();
        QTest::keyClick(passwordEdit(), Qt::Key_Return);
        QCOMPARE(m_form->result(), int(QDialog::Accepted));
        QCOMPARE(CurrentOperator().UserName, QStringLiteral("Administrator"));
    }

    void choosingANameFillsTheId()
    {
        showForm();
        QComboBox* names = nameBox();
        names->setCurrentIndex(0);
        QTest::keyClick(names, Qt::Key_Down); // as the operator chooses the next name
        QCOMPARE(names->currentText(), QStringLiteral("Operator Two"));
        QCOMPARE(idEdit()->text(), QStringLiteral("002"));

        names->setCurrentIndex(1);
        QTest::keyClick(names, Qt::Key_Down);
        QCOMPARE(names->currentText(), QStringLiteral("O'Brien"));
        QCOMPARE(idEdit()->text(), QStringLiteral("003"));

        // A different ID typed afterwards changes the name shown when the field is left.
        idEdit()->setFocus();
        idEdit()->setText(QStringLiteral(" 001 "));
        QTest::keyClick(idEdit(), Qt::Key_Tab);
        QTRY_COMPARE(names->currentText(), QStringLiteral("Administrator"));
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void unknownIdKeepsTheFocus()
    {
        showForm();
        idEdit()->setFocus();
        idEdit()->setText(QStringLiteral("999"));
        for (int attempt = 0; attempt < 2; ++attempt) {
            QTest::keyClick(idEdit(), Qt::Key_Tab);
            QTRY_COMPARE(m_prompts->messages().size(), attempt + 1);
            QCOMPARE(m_prompts->messages().last(), (Message{kNoSuchId, QStringLiteral("Prompt"), 64}));
            QCOMPARE(m_form->focusWidget(), idEdit());
        }
    }

    void keysMoveTheFocus_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("Enter in ID") << "edt_UserId" << int(Qt::Key_Return) << "edt_UserName";
        QTest::newRow("Down in ID") << "edt_UserId" << int(Qt::Key_Down) << "edt_UserName";
        QTest::newRow("Up in ID wraps") << "edt_UserId" << int(Qt::Key_Up) << "edt_PassWord";
        QTest::newRow("Down in password wraps") << "edt_PassWord" << int(Qt::Key_Down) << "edt_UserId";
        QTest::newRow("Up in password") << "edt_PassWord" << int(Qt::Key_Up) << "edt_UserName";
    }
    void keysMoveTheFocus()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        showForm();
        QWidget* start = m_form->findChild<QWidget*>(from);
        start->setFocus();
        QTest::keyClick(start, Qt::Key(key));
        QCOMPARE(m_form->focusWidget()->objectName(), to);
        QVERIFY(m_form->isVisible());
        QVERIFY(m_prompts->messages().isEmpty());
    }

    void quoteKeysAreDropped_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("apostrophe in ID") << "edt_UserId"
                                          << "0'01"
                                          << "001";
        QTest::newRow("full-width apostrophe in password") << "edt_PassWord"
                                                           << "4\uFF0772"
                                                           << "472";
        QTest::newRow("double quote passes") << "edt_PassWord"
                                             << "a\"b"
                                             << "a\"b";
    }
    void quoteKeysAreDropped()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        showForm();
        auto* edit = Control<QLineEdit>(m_form, field.toLatin1().constData());
        for (QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
        QCOMPARE(edit->text(), kept);
    }

    void pictureGrowsOverItsMiddle_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QSize>("size");
        QTest::newRow("middle") << QPoint(30, 30) << QSize(70, 70);
        QTest::newRow("inner corner") << QPoint(6, 59) << QSize(70, 70);
        QTest::newRow("left edge") << QPoint(5, 30) << QSize(64, 64);
        QTest::newRow("bottom edge") << QPoint(30, 60) << QSize(64, 64);
    }
    void pictureGrowsOverItsMiddle()
    {
        QFETCH(QPoint, pos);
        QFETCH(QSize, size);
        showForm();
        for (const char* name : {"sbLogin", "sbCancel"}) {
            auto* picture = Control<QWidget>(m_form, name);
            QCOMPARE(picture->size(), QSize(65, 64));
            QMouseEvent move(QEvent::MouseMove, QPointF(pos), picture->mapToGlobal(QPointF(pos)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(picture, &move);
            QCOMPARE(picture->size(), size);
        }
    }

    void cancelEndsWithoutLogin()
    {
        showForm();
        QTest::keyClick(idEdit(), Qt::Key_Escape); // no key of the window's own
        QVERIFY(m_form->isVisible());
        Control<QAbstractButton>(m_form, "sbCancel")->click();
        QCOMPARE(m_form->result(), int(QDialog::Rejected));
        QVERIFY(!m_form->isVisible());
        QCOMPARE(CurrentOperator().UserId, QString());
    }

    void databaseFailuresAreReported()
    {
        // The list cannot be read: reported, and no pre-fill.
        AppConfig().SPWS = QStringLiteral("1");
        QVERIFY(m_db->exec(QStringLiteral("alter table Operators rename to Gone")));
        showForm();
        QCOMPARE(m_prompts->messages().size(), 1);
        Message message = m_prompts->take().first();
        QVERIFY2(message.text.startsWith(QStringLiteral("Error getting user list!")),
                 qPrintable(message.text));
        QVERIFY(message.text.contains(QLatin1String("Operators")));
        QCOMPARE(message.caption, QStringLiteral("Prompt"));
        QCOMPARE(message.flags, 16);
        QCOMPARE(idEdit()->text(), QString());

        // The same failure on login.
        idEdit()->setText(QStringLiteral("001"));
        Control<QAbstractButton>(m_form, "sbLogin")->click();
        message = m_prompts->take().first();
        QVERIFY2(message.text.startsWith(QStringLiteral("Error in getting operator details!")),
                 qPrintable(message.text));
        QCOMPARE(message.flags, 16);
        QVERIFY(m_form->isVisible());
    }

    void lockedDatabaseIsReportedNotWaitedFor()
    {
        showForm();
        idEdit()->setText(QStringLiteral("001"));
        passwordEdit()->setText(QStringLiteral("472"));
        QVERIFY(m_db->exec(QStringLiteral("begin exclusive")));
        Control<QAbstractButton>(m_form, "sbLogin")->click();
        QVERIFY(m_db->exec(QStringLiteral("rollback")));
        QCOMPARE(m_prompts->messages().size(), 1);
        const Message message = m_prompts->messages().first();
        QVERIFY2(message.text.startsWith(QStringLiteral("Error in getting operator details!")) &&
                     message.text.contains(QLatin1String("locked")),
                 qPrintable(message.text));
        QVERIFY(m_form->isVisible());
        QCOMPARE(CurrentOperator().UserId, QString());
    }

    void failedLogRowStillLogsIn()
    {
        QVERIFY(m_db->exec(QStringLiteral("drop table LogOper")));
        showForm();
        idEdit()->setText(QStringLiteral("001"));
        passwordEdit()->setText(QStringLiteral("472"));
        Control<QAbstractButton>(m_form, "sbLogin")->click();
        QCOMPARE(m_prompts->messages().size(), 1);
        QVERIFY(m_prompts->messages().first().text.startsWith(QStringLiteral("插入日志时失败!")));
        QCOMPARE(m_prompts->messages().first().flags, 16);
        QCOMPARE(m_form->result(), int(QDialog::Accepted));
        QCOMPARE(CurrentOperator().UserId, QStringLiteral("001"));
    }

private:
    void showForm()
    {
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
    }
    QLineEdit* idEdit() const { return Control<QLineEdit>(m_form, "edt_UserId"); }
    QLineEdit* passwordEdit() const { return Control<QLineEdit>(m_form, "edt_PassWord"); }
    QComboBox* nameBox() const { return Control<QComboBox>(m_form, "edt_UserName"); }

    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<FixtureDatabase> m_db;
    TLoginForm* m_form = nullptr;
};

QTEST_MAIN(TestLogin)
#include "test_login.moc"
