#include "ParamConfigFrm.h"

#include "app/AppDir.h"
#include "app/Clock.h"
#include "app/FileDialogs.h"
#include "app/Prompt.h"
#include "config/ConfigEditor.h"
#include "config/SettingsText.h"
#include "config/Workbook.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kPrompt = QStringLiteral("Prompt");

QString DateStamp()
{
    return NowLocal().toString(QStringLiteral("ddMMyyyy"));
}

} // namespace

TParamConfigFrm::TParamConfigFrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ParamConfigFrm"));
    setWindowTitle(QStringLiteral("Parameter configuration"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 0);
    layout->setSpacing(0);

    auto* grp1 = new QGroupBox(QStringLiteral("Parameter configuration"), this);
    grp1->setObjectName(QStringLiteral("grp1"));
    auto* inside = new QVBoxLayout(grp1);
    inside->setContentsMargins(6, 0, 6, 2);
    m_editor = new TConfigEditor(kAlarmAreaHeight, grp1);
    inside->addWidget(m_editor);
    layout->addWidget(grp1, 1);

    auto* pnl2 = new QWidget(this);
    pnl2->setObjectName(QStringLiteral("pnl2"));
    pnl2->setFixedHeight(48);
    auto* bar = new QHBoxLayout(pnl2);
    bar->setContentsMargins(8, 8, 8, 8);
    bar->addStretch();
    auto* btnSave = new QPushButton(QStringLiteral("Save As Profile"), pnl2);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnSave->setAutoDefault(false);
    btnSave->setMinimumWidth(130);
    auto* btn1 = new QPushButton(QStringLiteral("Close"), pnl2);
    btn1->setObjectName(QStringLiteral("btn1"));
    btn1->setAutoDefault(false);
    btn1->setMinimumWidth(100);
    bar->addWidget(btnSave);
    bar->addSpacing(12);
    bar->addWidget(btn1);
    layout->addWidget(pnl2);
    connect(btnSave, &QPushButton::clicked, this, &TParamConfigFrm::btnSaveClick);
    connect(btn1, &QPushButton::clicked, this, &TParamConfigFrm::btn1Click);

    // Fixed frame: the designed size, not resizable by dragging.
    setFixedSize(kClientWidth, kClientHeight);
}

TParamConfigFrm::~TParamConfigFrm() = default;

void TParamConfigFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    m_editor->FormShow();
}

void TParamConfigFrm::btnSaveClick()
{
    SaveAsProfile();
}

void TParamConfigFrm::btn1Click()
{
    close();
}

void TParamConfigFrm::SaveAsProfile()
{
    const std::optional<TIndicatorSettings> checked = m_editor->checkedSettings(
        QStringLiteral("The parameter is incomplete. Please fill it out and save it again."));
    if (!checked)
        return;
    const TIndicatorSettings& settings = *checked;

    const QString textPath =
        Dialogs().saveFile(this, QStringLiteral("Save As"),
                           AppFilePath(QStringLiteral("setting") + DateStamp() + QStringLiteral(".txt")),
                           QString(), QStringLiteral("txt"));
    if (textPath.isEmpty())
        return;
    // Each writer reports its own failure; the flow just ends.
    if (!WriteSettingsText(settings, textPath, SettingsTextVariant::Profile))
        return;

    const QString bookPath =
        Dialogs().saveFile(this, QStringLiteral("Save As"),
                           AppFilePath(QStringLiteral("Thermal indicator settings, USER-") + DateStamp() +
                                       QStringLiteral(".xlsx")),
                           QString(), QStringLiteral("xlsx"));
    if (bookPath.isEmpty())
        return;
    // A declined replace leaves the workbook unwritten: no success to report.
    if (WriteSettingsWorkbook(settings, bookPath, WorkbookVariant::Full) != WorkbookResult::Saved)
        return;

    ShowPrompt(QStringLiteral("Save successed!"), kPrompt, MsgFlags::IconInformation);
}
