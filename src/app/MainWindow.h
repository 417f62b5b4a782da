#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

class QDialog;
class QLabel;
class QTimer;
class TFDM;

// The main window: the menu that opens every other window, the status bar
// with the operator and a clock, and the close confirmation.
class TFrmMain : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFrmMain)

public:
    explicit TFrmMain(QWidget* parent = nullptr);
    ~TFrmMain() override;

    // The start-up sequence (database, login). Returns false when the program
    // is to end without showing the main window.
    bool FormCreate();

    // Runs one window of the start-up sequence modally and returns its result.
    // By default exec(); tests drive the windows through their own runner.
    using ModalRunner = std::function<int(QDialog&)>;
    void setModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }

    // Shows a freshly created window modally and destroys it afterwards.
    static void ShowModalAndFree(QDialog* window);

    QLabel* statusPanel(int index) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Timer1Timer();
    void N9Click();
    void Parameterconfiguration1Click();
    void UploadToDevice1Click();
    void OperatorsManagement1Click();
    void Modifypassword1Click();
    void buildMenu();
    void buildStatusBar();

    int runModal(QDialog& window);

    QTimer* m_timer = nullptr;
    QLabel* m_panels[2] = {nullptr, nullptr};
    std::unique_ptr<TFDM> m_fdm;
    ModalRunner m_runModal;
    bool m_started = false;
};

// "MM/dd/yyyy HH:mm:ss" of the status bar clock.
QString StatusClockText(const QDateTime& local);
