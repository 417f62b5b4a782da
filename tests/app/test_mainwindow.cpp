#include "GuiTestHelpers.h"
#include "ScriptedPrompts.h"
#include "app/Clock.h"
#include "app/MainWindow.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_prompts = new ScriptedPrompts;
        m_window = new TFrmMain;
    }
    void cleanup()
    {
        delete m_window;
        QVERIFY2(m_prompts->problems().isEmpty(), qPrintable(m_prompts->problems()));
        delete m_prompts;
        SetFixedClock(QDateTime());
    }

    void menuCaptionsKeepTheirTrailingBlanks()
    {
        const QList<QPair<const char*, QString>> expected = {
            {"Parameterconfiguration1", QStringLiteral("Parameter configuration    ")},
            {"UploadToDevice1", QStringLiteral("Upload To Device    ")},
            {"OperatorsManagement1", QStringLiteral("Operators Management    ")},
            {"Modifypassword1", QStringLiteral("Modify password    ")},
            {"N9", QStringLiteral("Exit system     ")},
        };
        const QList<QAction*> actions = m_window->menuBar()->actions();
        QCOMPARE(actions.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(actions[i]->objectName(), QLatin1String(expected[i].first));
            QCOMPARE(actions[i]->text(), expected[i].second);
        }
    }

    void clockShowsFixedTimeInStatusPanel()
    {
        SetFixedClock(QDateTime(QDate(2025, 12, 9), QTime(7, 5, 3), Qt::LocalTime));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->statusPanel(1)->text(),
                                  QStringLiteral("Current time:  12/09/2025 07:05:03"), 2500);
    }

    void clockPanelFitsItsText()
    {
        SetFixedClock(QDateTime(QDate(2025, 12, 28), QTime(23, 58, 58), Qt::LocalTime));
        QLabel* clock = m_window->statusPanel(1);
        QTRY_VERIFY_WITH_TIMEOUT(!clock->text().isEmpty(), 2500);
        QVERIFY(clock->contentsRect().width() >= clock->fontMetrics().horizontalAdvance(clock->text()));
    }

    void clockKeepsTickingWithoutFixedTime()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->statusPanel(1)->text().isEmpty(), 2500);
        const QString first = m_window->statusPanel(1)->text();
        QTRY_VERIFY_WITH_TIMEOUT(m_window->statusPanel(1)->text() != first, 2500);
    }

    void clockKeepsTickingBehindAModalWindow()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        QLabel* clock = m_window->statusPanel(1);
        QStringList seen;
        bool sawModal = false;
        // Runs inside the modal loop of the window the menu opens.
        QTimer::singleShot(0, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            sawModal = modal != nullptr;
            seen << clock->text();
            QTest::qWait(2200);
            seen << clock->text();
            if (modal)
                modal->close();
        });
        Control<QAction>(m_window, "Parameterconfiguration1")->trigger();
        QVERIFY(sawModal);
        QCOMPARE(seen.size(), 2);
        QVERIFY2(seen[0] != seen[1], qPrintable(seen.join(QLatin1String(" / "))));
    }

    void exitAsksAndOnlyOkCloses_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("cancel stays") << int(IdCancel) << false;
        QTest::newRow("ok ends") << int(IdOk) << true;
    }
    void exitAsksAndOnlyOkCloses()
    {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        m_prompts->answer(answer);
        Control<QAction>(m_window, "N9")->trigger();
        QCOMPARE(m_prompts->messages().size(), 1);
        QCOMPARE(m_prompts->messages().first(),
                 (ScriptedPrompts::Message{QStringLiteral("Are you sure you want to quit the system?"),
                                           QStringLiteral("Prompt"), 33}));
        QCOMPARE(m_window->isVisible(), !closes);
    }

private:
    ScriptedPrompts* m_prompts = nullptr;
    TFrmMain* m_window = nullptr;
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
