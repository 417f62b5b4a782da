#include "LoginForm.h"

#include "accounts/FormCheckRight.h"
#include "app/Prompt.h"
#include "data/AppConfig.h"
#include "data/DataModule.h"
#include "data/Operator.h"
#include "data/QuoteKeyFilter.h"
#include "data/Shared.h"
#include "maintenance/DbSetForm.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStyle>
#include <QToolButton>

#include <memory>

// A clickable picture that grows a little while the pointer is over its middle.
class TPictureButton final : public QAbstractButton
{
public:
    TPictureButton(const QPixmap& picture, QWidget* parent) : QAbstractButton(parent), m_picture(picture)
    {
        setFocusPolicy(Qt::NoFocus);
        setMouseTracking(true);
        setCursor(Qt::PointingHandCursor);
        resize(65, 64);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(rect(), m_picture);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        // The last size stays when the pointer leaves.
        const QPoint pos = event->position().toPoint();
        const bool inner = pos.x() >= 6 && pos.x() <= 59 && pos.y() >= 6 && pos.y() <= 59;
        resize(inner ? QSize(70, 70) : QSize(64, 64));
        QAbstractButton::mouseMoveEvent(event);
    }

private:
    QPixmap m_picture;
};

namespace {

const QString kPrompt = QStringLiteral("Prompt");
const QString kNoSuchId = QStringLiteral("Operator ID does not exist. Please re-enter it!");
constexpr QSize kWindowSize(430, 300);

QPixmap Background()
{
    QPixmap picture(kWindowSize);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, picture.height());
    sky.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    sky.setColorAt(0.28, QColor(0x2e, 0x75, 0xb6));
    sky.setColorAt(0.2801, QColor(0xf3, 0xf7, 0xfb));
    sky.setColorAt(1, QColor(0xdc, 0xe8, 0xf4));
    p.fillRect(picture.rect(), sky);
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, picture.width(), 84), Qt::AlignCenter,
               QStringLiteral("Parameter configuration software"));
    return picture;
}

// The round symbols of the two picture buttons.
QPixmap Symbol(bool login)
{
    QPixmap picture(130, 128);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = login ? QColor(0x2e, 0x8b, 0x57) : QColor(0xc0, 0x39, 0x2b);
    QRadialGradient fill(QPointF(50, 44), 70);
    fill.setColorAt(0, base.lighter(150));
    fill.setColorAt(1, base);
    p.setBrush(fill);
    p.setPen(QPen(base.darker(130), 4));
    p.drawEllipse(QRectF(8, 8, 114, 112));
    p.setPen(QPen(Qt::white, 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (login) {
        QPainterPath tick;
        tick.moveTo(38, 66);
        tick.lineTo(57, 85);
        tick.lineTo(93, 45);
        p.drawPath(tick);
    } else {
        p.drawLine(QPointF(45, 44), QPointF(85, 84));
        p.drawLine(QPointF(85, 44), QPointF(45, 84));
    }
    return picture;
}

// A window-owned error: the fixed text immediately followed by the database's message.
void ShowError(const QString& text, const QSqlQuery& query)
{
    ShowPrompt(text + query.lastError().text(), kPrompt, MsgFlags::Ok | MsgFlags::IconError);
}

} // namespace

TLoginForm::TLoginForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LoginForm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(kWindowSize);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setBrush(QPalette::Window, QBrush(Background()));
    setPalette(palette);

    struct Row
    {
        const char* label;
        const char* caption;
        QWidget* field;
    };
    edt_UserId = new QLineEdit(this);
    edt_UserId->setObjectName(QStringLiteral("edt_UserId"));
    edt_UserId->setMaxLength(10);
    edt_UserName = new QComboBox(this);
    edt_UserName->setObjectName(QStringLiteral("edt_UserName"));
    edt_UserName->setEditable(false);
    edt_PassWord = new QLineEdit(this);
    edt_PassWord->setObjectName(QStringLiteral("edt_PassWord"));
    edt_PassWord->setMaxLength(8);
    edt_PassWord->setEchoMode(QLineEdit::Password);
    edt_PassWord->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    const Row rows[] = {
        {"Label1", "Operator ID", edt_UserId},
        {"Label2", "Operator Name", edt_UserName},
        {"Label3", "Password", edt_PassWord},
    };
    int y = 100;
    for (const Row& row : rows) {
        auto* label = new QLabel(QLatin1String(row.caption), this);
        label->setObjectName(QLatin1String(row.label));
        label->setGeometry(70, y, 110, 26);
        label->setBuddy(row.field);
        row.field->setGeometry(180, y, 180, 26);
        y += 38;
    }
    setTabOrder(edt_UserId, edt_UserName);
    setTabOrder(edt_UserName, edt_PassWord);

    for (QLineEdit* edit : {edt_UserId, edt_PassWord}) {
        InstallQuoteKeyFilter(edit);
        edit->installEventFilter(this);
    }
    connect(edt_UserName, &QComboBox::activated, this, &TLoginForm::edt_UserNameChange);

    sbLogin = new TPictureButton(Symbol(true), this);
    sbLogin->setObjectName(QStringLiteral("sbLogin"));
    sbLogin->setToolTip(QStringLiteral("Login"));
    sbLogin->move(135, 218);
    sbCancel = new TPictureButton(Symbol(false), this);
    sbCancel->setObjectName(QStringLiteral("sbCancel"));
    sbCancel->setToolTip(QStringLiteral("Cancel"));
    sbCancel->move(235, 218);
    connect(sbLogin, &QAbstractButton::clicked, this, &TLoginForm::sbLoginClick);
    connect(sbCancel, &QAbstractButton::clicked, this, &TLoginForm::sbCancelClick);

    // A guarded way to the connection settings; never shown.
    btn_1 = new QToolButton(this);
    btn_1->setObjectName(QStringLiteral("btn_1"));
    btn_1->setAutoRaise(true);
    btn_1->setIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
    btn_1->setGeometry(kWindowSize.width() - 30, kWindowSize.height() - 30, 24, 24);
    btn_1->hide();
    connect(btn_1, &QAbstractButton::clicked, this, &TLoginForm::btn_1Click);
}

TLoginForm::~TLoginForm() = default;

void TLoginForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TLoginForm::FormShow()
{
    setWindowTitle(QString());
    edt_UserName->clear();

    QSqlQuery query(ZConnection());
    if (!query.exec(QStringLiteral("Select * from Operators order by UserID"))) {
        ShowError(QStringLiteral("Error getting user list!"), query);
        return;
    }
    const int nameColumn = query.record().indexOf(QStringLiteral("UserName"));
    while (query.next())
        edt_UserName->addItem(TrimText(query.value(nameColumn).toString()));
    edt_UserName->setCurrentIndex(-1);

    if (AppConfig().SPWS == QLatin1String("1")) {
        edt_UserId->setText(QStringLiteral("001"));
        edt_PassWord->setText(QStringLiteral("472"));
    }
    edt_UserId->setFocus();
}

std::optional<QSqlRecord> TLoginForm::LookUpOperator(const QString& id)
{
    QSqlQuery query(ZConnection());
    query.prepare(QStringLiteral("select * from Operators  where userId=?"));
    query.addBindValue(id);
    if (!query.exec()) {
        ShowError(QStringLiteral("Error in getting operator details!"), query);
        return std::nullopt;
    }
    if (!query.next()) {
        ShowPrompt(kNoSuchId, kPrompt, MsgFlags::Ok | MsgFlags::IconInformation);
        edt_UserId->setFocus();
        return std::nullopt;
    }
    // The record carries its values; the query (and its read lock) ends here.
    return query.record();
}

void TLoginForm::edt_UserIdExit()
{
    const QString id = TrimText(edt_UserId->text());
    if (id.isEmpty())
        return;
    const std::optional<QSqlRecord> row = LookUpOperator(id);
    if (!row)
        return;
    const QString name = TrimText(row->value(row->indexOf(QStringLiteral("UserName"))).toString());
    edt_UserName->setCurrentIndex(edt_UserName->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void TLoginForm::edt_UserNameChange()
{
    QSqlQuery query(ZConnection());
    query.prepare(QStringLiteral("Select * from Operators where UserName=?"));
    query.addBindValue(TrimText(edt_UserName->currentText()));
    if (!query.exec()) {
        ShowError(QStringLiteral("Error getting user list!"), query);
        return;
    }
    if (query.next())
        edt_UserId->setText(
            TrimText(query.value(query.record().indexOf(QStringLiteral("UserId"))).toString()));
}

void TLoginForm::sbLoginClick()
{
    const std::optional<QSqlRecord> found = LookUpOperator(TrimText(edt_UserId->text()));
    if (!found)
        return;
    const QSqlRecord& row = *found;
    const QString typed = TrimText(edt_PassWord->text());
    // Exact and case-sensitive; the stored password is not trimmed.
    if (typed != row.value(row.indexOf(QStringLiteral("PassWord"))).toString()) {
        ShowPrompt(QStringLiteral("Password error, please re-enter!"), kPrompt,
                   MsgFlags::Ok | MsgFlags::IconInformation);
        edt_PassWord->setFocus();
        return;
    }
    CurrentOperator() = OperatorFromRecord(row, typed);

    WriteOperationLog(QStringLiteral("Login system"), QStringLiteral("Login system"), QString());
    CurrentOperator().LocalIP = GetLocalIpAddress(QString()).left(OperatorLimits::LocalIP);
    accept();
}

void TLoginForm::sbCancelClick()
{
    reject();
}

void TLoginForm::btn_1Click()
{
    if (AppConfig().SPWS == QLatin1String("0") && !CheckAdministratorRight(2))
        return;
    auto settings = std::make_unique<TDbSetForm>();
    settings->exec();
}

void TLoginForm::keyPressEvent(QKeyEvent* event)
{
    // The window has no key of its own: Esc does not cancel the login.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TLoginForm::focusNext(bool forward)
{
    if (forward)
        focusNextChild();
    else
        focusPreviousChild();
}

bool TLoginForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edt_UserId && event->type() == QEvent::FocusOut) {
        // Leaving the field for another control; not the window losing focus
        // (a message box, another program) nor the window closing.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible()) {
            // After the focus change has finished, so the lookup may move the focus back.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (isVisible())
                        edt_UserIdExit();
                },
                Qt::QueuedConnection);
        }
    }
    if (event->type() == QEvent::KeyPress && (watched == edt_UserId || watched == edt_PassWord)) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (watched == edt_PassWord)
                sbLoginClick();
            else
                focusNext(true);
            return true;
        case Qt::Key_Down:
            focusNext(true);
            return true;
        case Qt::Key_Up:
            focusNext(false);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
