// The operators window over a table of 10,000 operators: opening it, scrolling
// through the whole grid, and saving a new operator (which reloads the grid
// and brings the new last row into view).
#include "FixtureDatabase.h"
#include "ScriptedPrompts.h"
#include "TestAppDir.h"
#include "accounts/FormManger.h"
#include "app/AppDir.h"
#include "data/AppConfig.h"
#include "data/DataModule.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {
constexpr int kOperators = 10000;
}

class BenchFormManger : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<FixtureDatabase> m_db;
    int m_added = 0; // the benchmark may run a function more than once

    static void settle(QWidget* window)
    {
        QApplication::processEvents();
        window->grab(); // lays out and paints what is visible
    }

private slots:
    void initTestCase()
    {
        m_dir = std::make_unique<TestAppDir>();
        m_db = std::make_unique<FixtureDatabase>(AppFilePath(QStringLiteral("ParamConfig.db")));
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
        QVERIFY(m_db->connection().transaction());
        for (int i = 2; i <= kOperators; ++i)
            QVERIFY(m_db->addOperator(QString::number(i).rightJustified(3, QLatin1Char('0')),
                                      QStringLiteral("Operator number %1").arg(i), QStringLiteral("pw"), 2));
        QVERIFY(m_db->connection().commit());
        AppConfig().DBMod = QStringLiteral("2");
        QString error;
        QVERIFY2(ConnectDatabase(QString(), QString(), QString(), QString(), &error), qPrintable(error));
    }
    void cleanupTestCase()
    {
        CloseDatabase();
        m_db.reset();
        m_dir.reset();
    }

    void open()
    {
        QBENCHMARK
        {
            TFormManger window;
            window.show();
            settle(&window);
        }
    }

    void scrollThrough()
    {
        TFormManger window;
        window.show();
        settle(&window);
        auto* grid = window.findChild<QTableView*>(QStringLiteral("Edb_UserM"));
        QList<qint64> pages;
        QElapsedTimer total;
        total.start();
        QScrollBar* bar = grid->verticalScrollBar();
        while (bar->value() < bar->maximum() || grid->model()->canFetchMore({})) {
            QElapsedTimer page;
            page.start();
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            settle(&window);
            pages << page.nsecsElapsed();
        }
        QCOMPARE(grid->model()->rowCount(), kOperators);
        std::sort(pages.begin(), pages.end());
        qInfo("scrolled through %d rows in %d pages: %.0f ms in all; a page takes %.1f ms (median), "
              "%.1f ms (95th percentile), %.1f ms at most",
              kOperators, int(pages.size()), total.nsecsElapsed() / 1e6, pages.at(pages.size() / 2) / 1e6,
              pages.at(pages.size() * 95 / 100) / 1e6, pages.last() / 1e6);
    }

    void saveNewOperator()
    {
        ScriptedPrompts prompts;
        TFormManger window;
        window.show();
        settle(&window);
        QBENCHMARK
        {
            window.findChild<QToolButton*>(QStringLiteral("btn_Add"))->click();
            window.findChild<QLineEdit*>(QStringLiteral("edt_UserName"))
                ->setText(QStringLiteral("Benchmark operator %1").arg(++m_added));
            prompts.answer(IdOk);
            window.findChild<QToolButton*>(QStringLiteral("btn_save"))->click();
            settle(&window);
        }
        QVERIFY2(prompts.problems().isEmpty(), qPrintable(prompts.problems()));
    }
};

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchFormManger bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_formmanger.moc"
