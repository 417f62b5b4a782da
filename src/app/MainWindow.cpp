#include "MainWindow.h"

#include "accounts/FormManger.h"
#include "accounts/FrmChangePW.h"
#include "accounts/LoginForm.h"
#include "app/Clock.h"
#include "app/Prompt.h"
#include "config/ParamConfigFrm.h"
#include "config/UploadToDeviceFrm.h"
#include "data/DataModule.h"
#include "data/Operator.h"
#include "maintenance/ConnectingForm.h"
#include "maintenance/DbSetForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

namespace {

const QString kTitle = QStringLiteral("Parameter configuration software");

// The background picture, painted rather than shipped as a file.
QPixmap BackgroundPicture()
{
    QPixmap picture(1600, 900);
    QPainter p(&picture);
    QLinearGradient gradient(0, 0, 0, picture.height());
    gradient.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    gradient.setColorAt(1, QColor(0x9d, 0xc3, 0xe6));
    p.fillRect(picture.rect(), gradient);
    p.setPen(QColor(255, 255, 255, 210));
    QFont font = p.font();
    font.setPixelSize(56);
    font.setBold(true);
    p.setFont(font);
    p.drawText(picture.rect().adjusted(0, -80, 0, -80), Qt::AlignCenter, kTitle);
    font.setPixelSize(26);
    font.setBold(false);
    p.setFont(font);
    p.drawText(picture.rect().adjusted(0, 40, 0, 40), Qt::AlignCenter,
               QStringLiteral("Temperature and humidity data loggers"));
    return picture;
}

// A label that keeps its picture stretched over its whole area.
class StretchedPicture final : public QLabel
{
public:
    explicit StretchedPicture(QWidget* parent) : QLabel(parent) { setMinimumSize(1, 1); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), m_picture);
    }

public:
    QPixmap m_picture = BackgroundPicture();
};

} // namespace

QString StatusClockText(const QDateTime& local)
{
    return QStringLiteral("Current time:  ") + local.toString(QStringLiteral("MM/dd/yyyy HH:mm:ss"));
}

TFrmMain::TFrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(kTitle);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* image = new StretchedPicture(panel);
    image->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(image);
    setCentralWidget(panel);

    buildMenu();
    buildStatusBar();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TFrmMain::Timer1Timer);
    m_timer->start();
    resize(1024, 700);
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mm_Main"));

    struct Entry
    {
        const char* name;
        const char* caption;
        void (TFrmMain::*handler)();
    };
    // The captions carry trailing blanks, as the operators know them.
    const Entry entries[] = {
        {"Parameterconfiguration1", "Parameter configuration    ", &TFrmMain::Parameterconfiguration1Click},
        {"UploadToDevice1", "Upload To Device    ", &TFrmMain::UploadToDevice1Click},
        {"OperatorsManagement1", "Operators Management    ", &TFrmMain::OperatorsManagement1Click},
        {"Modifypassword1", "Modify password    ", &TFrmMain::Modifypassword1Click},
        {"N9", "Exit system     ", &TFrmMain::N9Click},
    };
    for (const Entry& e : entries) {
        QAction* action = bar->addAction(QString::fromLatin1(e.caption));
        action->setObjectName(QLatin1String(e.name));
        if (e.handler)
            connect(action, &QAction::triggered, this, e.handler);
    }
}

void TFrmMain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_panels[i]->setFixedWidth(200);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        bar->addWidget(m_panels[i]);
    }
    // 200 pixels, unless the clock needs more in this font.
    const QString widest = StatusClockText(QDateTime(QDate(2000, 12, 28), QTime(20, 58, 58)));
    const int clock = m_panels[1]->fontMetrics().horizontalAdvance(widest) + 2 * m_panels[1]->frameWidth() + 8;
    m_panels[1]->setFixedWidth(qMax(200, clock));
}

QLabel* TFrmMain::statusPanel(int index) const
{
    return m_panels[index];
}

bool TFrmMain::FormCreate()
{
    // Reads Config.ini; a missing file has been reported and defaults apply.
    m_fdm = std::make_unique<TFDM>();

    bool connected = false;
    {
        TConnectingForm splash;
        runModal(splash);
        connected = splash.ConnectOk;
    }
    if (!connected) {
        ShowPrompt(
            QStringLiteral("The connection server failed. Please reset or contact the system administrator!"),
            QStringLiteral("Prompt"), MsgFlags::Ok | MsgFlags::IconError);
        TDbSetForm settings;
        runModal(settings);
        // Without a working connection there is nothing to log in to.
        if (!settings.SettingsSaved)
            return false;
    }
    {
        TLoginForm login;
        if (runModal(login) != QDialog::Accepted)
            return false;
    }

    // The name is at most 20 characters, so the text at most 39.
    m_panels[0]->setText(QStringLiteral("Current operator:  ") +
                         CurrentOperator().UserName.left(OperatorLimits::UserName));
    // Half the status bar, also as the window is resized; it may shrink when
    // the window is too narrow rather than keep the window from shrinking.
    QStatusBar* bar = statusBar();
    bar->removeWidget(m_panels[0]);
    bar->insertWidget(0, m_panels[0], 1);
    m_panels[0]->show();
    m_panels[0]->setMinimumWidth(0);
    m_panels[0]->setMaximumWidth(bar->width() / 2);
    m_started = true;
    Timer1Timer();
    if (CurrentOperator().RoleType != 1)
        findChild<QAction*>(QStringLiteral("OperatorsManagement1"))->setVisible(false);
    return true;
}

int TFrmMain::runModal(QDialog& window)
{
    if (m_runModal)
        return m_runModal(window);
    return window.exec();
}

void TFrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (m_started)
        m_panels[0]->setMaximumWidth(statusBar()->width() / 2);
}

void TFrmMain::ShowModalAndFree(QDialog* window)
{
    // Destroyed however the modal run ends.
    std::unique_ptr<QDialog> owned(window);
    owned->setAttribute(Qt::WA_DeleteOnClose, false);
    owned->exec();
}

void TFrmMain::showEvent(QShowEvent* event)
{
    setWindowTitle(kTitle);
    QMainWindow::showEvent(event);
}

void TFrmMain::Timer1Timer()
{
    m_panels[1]->setText(StatusClockText(NowLocal()));
}

void TFrmMain::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (ShowPrompt(QStringLiteral("Are you sure you want to quit the system?"), QStringLiteral("Prompt"),
                   MsgFlags::OkCancel | MsgFlags::IconQuestion) != IdOk)
        return;
    QThread::msleep(100);
    event->accept();
}

void TFrmMain::N9Click()
{
    close();
}

void TFrmMain::Parameterconfiguration1Click()
{
    ShowModalAndFree(new TParamConfigFrm(this));
}

void TFrmMain::UploadToDevice1Click()
{
    ShowModalAndFree(new TUploadToDeviceFrm(this));
}

void TFrmMain::OperatorsManagement1Click()
{
    ShowModalAndFree(new TFormManger);
}

void TFrmMain::Modifypassword1Click()
{
    ShowModalAndFree(new TFrmChangePW);
}
