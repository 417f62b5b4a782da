#include "ConnectingForm.h"

#include "data/AppConfig.h"
#include "data/DataModule.h"
#include "data/Shared.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

// A painted spinner: twelve spokes, the bright one walking round.
class TSpinner final : public QWidget
{
public:
    explicit TSpinner(QWidget* parent) : QWidget(parent)
    {
        setFixedSize(48, 48);
        m_timer.setInterval(80);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_step = (m_step + 1) % kSpokes;
            update();
        });
    }
    void start() { m_timer.start(); }
    void stop() { m_timer.stop(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(width() / 2.0, height() / 2.0);
        for (int i = 0; i < kSpokes; ++i) {
            const int age = (m_step - i + kSpokes) % kSpokes;
            QColor colour(0x1f, 0x4e, 0x79);
            colour.setAlphaF(1.0 - age / double(kSpokes));
            p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
            p.save();
            p.rotate(i * 360.0 / kSpokes);
            p.drawLine(QPointF(0, -10), QPointF(0, -20));
            p.restore();
        }
    }

private:
    static constexpr int kSpokes = 12;
    QTimer m_timer;
    int m_step = 0;
};

TConnectingForm::TConnectingForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("ConnectingForm"));
    setModal(true);
    setStyleSheet(QStringLiteral("#ConnectingForm { background: #eef4fa; border: 1px solid #1f4e79; }"));

    m_animation = new TSpinner(this);
    m_animation->setObjectName(QStringLiteral("Animate1"));
    m_label = new QLabel(QStringLiteral("Connecting to database, please wait."), this);
    m_label->setObjectName(QStringLiteral("Label1"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(24, 20, 32, 20);
    row->setSpacing(18);
    row->addWidget(m_animation);
    row->addWidget(m_label);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &TConnectingForm::Timer1Timer);
}

TConnectingForm::~TConnectingForm() = default;

void TConnectingForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_animation->start();
    m_timer->start();
}

void TConnectingForm::Timer1Timer()
{
    m_timer->stop();
    const TAppConfig& config = AppConfig();
    QString error;
    ConnectOk = ConnectDatabase(TrimText(config.SQLPassWord), TrimText(config.SQLUser),
                                TrimText(config.DBName), TrimText(config.DBSource), &error);
    if (!ConnectOk)
        qWarning().noquote() << "database connection failed:" << error;
    m_animation->stop();
    accept();
}
