#include "DbSetForm.h"

#include "app/Prompt.h"
#include "data/AppConfig.h"
#include "data/DataModule.h"
#include "data/IniFile.h"
#include "data/QuoteKeyFilter.h"
#include "data/Shared.h"

#include <QApplication>
#include <QCheckBox>
#include <QDebug>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kServer = QStringLiteral("Server");
const QString kStation = QStringLiteral("Station");

// A stored value longer than the typing limit is shown in full: cutting it
// here would write the cut value back on the next save.
void ShowStored(QLineEdit* edit, const QString& text)
{
    if (text.size() > edit->maxLength())
        edit->setMaxLength(int(text.size()));
    edit->setText(text);
}

} // namespace

TDbSetForm::TDbSetForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DbSetForm"));
    setWindowTitle(QStringLiteral("数据库连接设置"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    edt_MTIIP = addField(grid, "Label2", QStringLiteral("服务器"), "edt_MTIIP", 20);
    edt_MTIPORT = addField(grid, "Label7", QStringLiteral("数据库"), "edt_MTIPORT", 10);
    edt_UserName = addField(grid, "Label4", QStringLiteral("用户名"), "edt_UserName", 10);
    edt_PassWord = addField(grid, "Label6", QStringLiteral("密码"), "edt_PassWord", 10);
    edt_PassWord->setEchoMode(QLineEdit::Password);
    edt_PassWord->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    // Kept for Config.ini's Station/CId, never shown.
    edt_CId = addField(grid, "Label1", QStringLiteral("计算机编号"), "edt_CId", 10);
    edt_CId->setText(QStringLiteral("01"));
    edt_CId->hide();
    findChild<QLabel*>(QStringLiteral("Label1"))->hide();
    InstallQuoteKeyFilter(edt_MTIIP);

    chk_Auto = new QCheckBox(QStringLiteral("自动加载设备"), this);
    chk_Auto->setObjectName(QStringLiteral("chk_Auto"));
    chk_Auto->hide();

    btn_ok = new QPushButton(QStringLiteral("确认"), this);
    btn_ok->setObjectName(QStringLiteral("btn_ok"));
    btnCancel = new QPushButton(QStringLiteral("退出"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    // Enter belongs to the dialog's own handling, never to a default button.
    for (QPushButton* button : {btn_ok, btnCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(this);
    }
    connect(btn_ok, &QPushButton::clicked, this, &TDbSetForm::btn_okClick);
    connect(btnCancel, &QPushButton::clicked, this, &TDbSetForm::btnCancelClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn_ok);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setTabOrder(edt_MTIIP, edt_MTIPORT);
    setTabOrder(edt_MTIPORT, edt_UserName);
    setTabOrder(edt_UserName, edt_PassWord);
    setTabOrder(edt_PassWord, btn_ok);
    setTabOrder(btn_ok, btnCancel);
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

TDbSetForm::~TDbSetForm() = default;

QLineEdit* TDbSetForm::addField(QGridLayout* grid, const char* labelName, const QString& caption,
                                const char* editName, int maxLength)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(labelName));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(editName));
    edit->setMaxLength(maxLength);
    edit->setMinimumWidth(200);
    edit->installEventFilter(this);
    label->setBuddy(edit);
    const int row = grid->count() / 2; // a label and an edit per row
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

void TDbSetForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TDbSetForm::FormShow()
{
    const TIniFile ini(ConfigFilePath());
    const struct
    {
        const char* key;
        QLineEdit* edit;
    } fields[] = {
        {"DBSource", edt_MTIIP},
        {"DBName", edt_MTIPORT},
        {"SQLUser", edt_UserName},
        {"PassWord", edt_PassWord},
    };
    for (const auto& field : fields) {
        const QString stored = ini.readString(kServer, QLatin1String(field.key), QString());
        if (!TrimText(stored).isEmpty())
            ShowStored(field.edit, TrimText(DecodeConfigField(stored)));
    }
    chk_Auto->setChecked(TrimText(ini.readString(kStation, QStringLiteral("AutoS"), QStringLiteral("0"))) ==
                         QLatin1String("1"));
    edt_MTIIP->setFocus();
}

void TDbSetForm::btn_okClick()
{
    QString error;
    if (!ConnectDatabase(TrimText(edt_PassWord->text()), TrimText(edt_UserName->text()),
                         TrimText(edt_MTIPORT->text()), TrimText(edt_MTIIP->text()), &error)) {
        qWarning().noquote() << "database connection failed:" << error;
        ShowNotice(QStringLiteral("数据库连接失败，请重新设置参数！"), MsgFlags::Ok | MsgFlags::IconWarning,
                   QStringLiteral("系统提示"));
        edt_MTIIP->setFocus();
        return;
    }

    TIniFile ini(ConfigFilePath());
    const struct
    {
        const QString& section;
        const char* key;
        QString value;
    } writes[] = {
        {kServer, "DBSource", EncodeConfigField(TrimText(edt_MTIIP->text()))},
        {kServer, "DBName", EncodeConfigField(TrimText(edt_MTIPORT->text()))},
        {kServer, "SQLUser", EncodeConfigField(TrimText(edt_UserName->text()))},
        {kServer, "PassWord", EncodeConfigField(TrimText(edt_PassWord->text()))},
        {kStation, "CId", TrimText(edt_CId->text())},
        {kStation, "AutoS", chk_Auto->isChecked() ? QStringLiteral("1") : QStringLiteral("0")},
    };
    for (const auto& write : writes) {
        if (!ini.writeString(write.section, QLatin1String(write.key), write.value, &error)) {
            // Not saved: the dialog stays open and the caller learns nothing was stored.
            ShowPrompt(error, QApplication::applicationName(), MsgFlags::Ok | MsgFlags::IconError);
            return;
        }
    }
    ShowPrompt(QStringLiteral("设置成功!"), QStringLiteral("提示"), MsgFlags::Ok | MsgFlags::IconInformation);
    SettingsSaved = true;
    accept();
}

void TDbSetForm::btnCancelClick()
{
    SettingsSaved = false;
    reject();
}

bool TDbSetForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return QDialog::eventFilter(watched, event);
    // Enter in these fields tests and saves; anywhere else it moves on.
    if (watched == edt_MTIPORT || watched == edt_UserName || watched == edt_PassWord || watched == edt_CId) {
        btn_okClick();
        return true;
    }
    focusNextChild();
    return true;
}
