#include "FormCheckRight.h"

#include "accounts/AdminCode.h"
#include "app/Prompt.h"
#include "data/Operator.h"
#include "data/QuoteKeyFilter.h"
#include "data/Shared.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

const QString AdministratorPassword = QStringLiteral("350746");

namespace {

const QString kCaption = QStringLiteral("系统提示");

} // namespace

int& CheckRightResult()
{
    static int result = 0;
    return result;
}

TFormCheckRight::TFormCheckRight(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormCheckRight"));
    setWindowTitle(QStringLiteral("校验权限"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* label = new QLabel(QStringLiteral("请输入密码"), this);
    label->setObjectName(QStringLiteral("Label1"));
    edt_PSW = new QLineEdit(this);
    edt_PSW->setObjectName(QStringLiteral("edt_PSW"));
    edt_PSW->setEchoMode(QLineEdit::Password);
    edt_PSW->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    edt_PSW->setMinimumWidth(180);
    label->setBuddy(edt_PSW);
    InstallQuoteKeyFilter(edt_PSW);
    edt_PSW->installEventFilter(this);

    btn_OK = new QPushButton(QStringLiteral("确定"), this);
    btn_OK->setObjectName(QStringLiteral("btn_OK"));
    btn_Exit = new QPushButton(QStringLiteral("取消"), this);
    btn_Exit->setObjectName(QStringLiteral("btn_Exit"));
    connect(btn_OK, &QPushButton::clicked, this, &TFormCheckRight::btn_OKClick);
    connect(btn_Exit, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(edt_PSW, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn_OK);
    buttons->addWidget(btn_Exit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(16);
    layout->addLayout(field);
    layout->addLayout(buttons);
    setTabOrder(edt_PSW, btn_OK);
    setTabOrder(btn_OK, btn_Exit);
    setFixedSize(sizeHint());
}

TFormCheckRight::~TFormCheckRight() = default;

void TFormCheckRight::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        CheckRightResult() = 0;
        edt_PSW->setFocus();
    }
    QDialog::showEvent(event);
}

void TFormCheckRight::btn_OKClick()
{
    const QString password = TrimText(edt_PSW->text());
    if (password.isEmpty()) {
        ShowNotice(QStringLiteral("请输入密码！"), MsgFlags::Ok | MsgFlags::IconWarning, kCaption);
        return;
    }
    int& result = CheckRightResult();
    result = 0;
    // The code is worked out at every check: a dialog left open past midnight
    // compares with the new day's code.
    if (password == DailyAdminCode()) {
        result = 1;
    } else if (password == AdministratorPassword) {
        result = 2;
        WriteOperationLog(QStringLiteral("校验权限"), QStringLiteral("校验权限"),
                          QStringLiteral("使用管理员密码,修改数据库信息"));
    } else if (password == CurrentOperator().PassWord) {
        result = 3;
    } else {
        ShowNotice(QStringLiteral("请输入正确的密码！"), MsgFlags::Ok | MsgFlags::IconWarning, kCaption);
        return;
    }
    accept();
}

bool TFormCheckRight::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edt_PSW && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            btn_OK->click();
            return true;
        case Qt::Key_Up:
            focusPreviousChild();
            return true;
        case Qt::Key_Down:
            focusNextChild();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool CheckAdministratorRight(int mode)
{
    {
        // Without an owner, destroyed as soon as it has been answered.
        auto dialog = std::make_unique<TFormCheckRight>();
        dialog->exec();
    }
    const int result = CheckRightResult();
    switch (mode) {
    case 2:
        return result == 1 || result == 2;
    case 3:
        return result >= 1 && result <= 3;
    default:
        return result == 1;
    }
}
