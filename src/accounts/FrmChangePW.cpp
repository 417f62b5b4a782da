#include "FrmChangePW.h"

#include "app/Prompt.h"
#include "data/DataModule.h"
#include "data/Operator.h"
#include "data/QuoteKeyFilter.h"
#include "data/Shared.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kPrompt = QStringLiteral("Prompt");
constexpr int kPassWordLength = 8;

// The small user picture at the top left.
QPixmap UserPicture()
{
    QPixmap picture(48, 48);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x75, 0xb6));
    p.drawEllipse(QRectF(15, 4, 18, 18));
    p.drawPie(QRectF(5, 25, 38, 38), 0, 180 * 16);
    return picture;
}

} // namespace

TFrmChangePW::TFrmChangePW(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmChangePW"));
    setWindowTitle(QStringLiteral("Modify Password"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(UserPicture());

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    struct Row
    {
        const char* label;
        const char* caption;
        const char* edit;
    };
    const Row rows[] = {
        {"Label3", "Old Password", "edt_OldPW"},
        {"Label4", "New Password", "edt_NewPW"},
        {"Label5", "Comfirm New Password", "edt_ConfirmPW"},
    };
    QLineEdit* edits[3] = {};
    for (int i = 0; i < 3; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(rows[i].edit));
        edit->setMaxLength(kPassWordLength);
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
        InstallQuoteKeyFilter(edit);
        edit->installEventFilter(this);
        auto* label = new QLabel(QLatin1String(rows[i].caption), this);
        label->setObjectName(QLatin1String(rows[i].label));
        label->setBuddy(edit);
        grid->addWidget(label, i, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(edit, i, 1);
        edits[i] = edit;
    }
    edt_OldPW = edits[0];
    edt_NewPW = edits[1];
    edt_ConfirmPW = edits[2];
    grid->setColumnMinimumWidth(1, 170);

    BitBtn1 = new QPushButton(QStringLiteral("Save"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    BitBtn2 = new QPushButton(QStringLiteral("Exit"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    // Enter presses the focused button only, never a default one from a field.
    for (QPushButton* button : {BitBtn1, BitBtn2}) {
        button->setDefault(false);
        button->setMinimumWidth(90);
    }
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmChangePW::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(grid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 14);
    layout->setSpacing(16);
    layout->addLayout(top);
    layout->addLayout(buttons);

    setTabOrder(edt_OldPW, edt_NewPW);
    setTabOrder(edt_NewPW, edt_ConfirmPW);
    setTabOrder(edt_ConfirmPW, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    edt_OldPW->setFocus();
    setFixedSize(sizeHint());
}

TFrmChangePW::~TFrmChangePW() = default;

void TFrmChangePW::BitBtn1Click()
{
    const auto tell = [](const QString& text, int icon) { ShowPrompt(text, kPrompt, MsgFlags::Ok | icon); };
    TCurrentOperator& op = CurrentOperator();
    if (TrimText(edt_OldPW->text()) != TrimText(op.PassWord)) {
        tell(QStringLiteral("Old password incorrect!"), MsgFlags::IconError);
        edt_OldPW->setFocus();
        return;
    }
    const QString newPassword = TrimText(edt_NewPW->text());
    const QString confirmation = TrimText(edt_ConfirmPW->text());
    if (newPassword.isEmpty()) {
        tell(QStringLiteral("Please enter the new password!"), MsgFlags::IconInformation);
        edt_NewPW->setFocus();
        return;
    }
    if (confirmation.isEmpty()) {
        tell(QStringLiteral("Please enter the new password again!"), MsgFlags::IconInformation);
        edt_ConfirmPW->setFocus();
        return;
    }
    if (newPassword != confirmation) {
        tell(QStringLiteral("The new password entered for the two time is inconsistent. Please re-enter it!"),
             MsgFlags::IconInformation);
        edt_NewPW->setFocus();
        return;
    }

    QSqlQuery query(ZConnection());
    query.prepare(QStringLiteral("update Operators set PassWord = ? where UserId = ?"));
    query.addBindValue(newPassword);
    query.addBindValue(op.UserId);
    if (!query.exec()) {
        tell(QStringLiteral("Password modification failed!") + query.lastError().text(), MsgFlags::IconError);
    } else if (query.numRowsAffected() == 0) {
        // Nothing was changed: the account is gone, and the old password stays in force.
        tell(QStringLiteral("Password modification failed!") + QStringLiteral("Operator ID ") + op.UserId +
                 QStringLiteral(" does not exist."),
             MsgFlags::IconError);
    } else {
        op.PassWord = newPassword.left(OperatorLimits::PassWord);
        tell(QStringLiteral("Password modification succeeded!"), MsgFlags::IconInformation);
    }
    WriteOperationLog(QStringLiteral("修改密码"), QStringLiteral("修改密码"), QString());
}

bool TFrmChangePW::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == edt_OldPW)
                edt_NewPW->setFocus();
            else if (watched == edt_ConfirmPW)
                BitBtn1->setFocus();
            // In the new password field Enter does nothing.
            if (watched == edt_OldPW || watched == edt_NewPW || watched == edt_ConfirmPW)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
