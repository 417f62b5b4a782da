#include "UploadToDeviceFrm.h"

#include "app/AppDir.h"
#include "app/FileDialogs.h"
#include "app/Prompt.h"
#include "config/ConfigEditor.h"
#include "config/EditorProfileTarget.h"
#include "config/ProfileReader.h"
#include "config/SettingsText.h"
#include "data/IniFile.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kDeviceBrowserTitle = QStringLiteral("Please select the Device Directory");

constexpr int kLabelWidth = 130;
constexpr int kButtonWidth = 100;

// A remembered path that cannot be stored costs only the convenience of
// seeing it next time; the flow goes on.
void Remember(const QString& key, const QString& value)
{
    QString error;
    if (!WriteConfigString(ConfigKeys::PathSection, key, value, &error))
        qWarning("Config.ini: cannot remember %s: %s", qUtf8Printable(key), qUtf8Printable(error));
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int minimumWidth)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(minimumWidth);
    return button;
}

// A display-only path field: the window's flows fill it, the operator cannot type.
QLineEdit* MakePathField(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setEnabled(false);
    return edit;
}

} // namespace

TUploadToDeviceFrm::TUploadToDeviceFrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UploadToDeviceFrm"));
    setWindowTitle(QStringLiteral("Upload To Device"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 6);
    layout->setSpacing(0);

    auto* grbgrp1 = new QGroupBox(QStringLiteral("Parameter configuration"), this);
    grbgrp1->setObjectName(QStringLiteral("grbgrp1"));
    auto* inside = new QVBoxLayout(grbgrp1);
    inside->setContentsMargins(6, 0, 6, 4);
    m_editor = new TConfigEditor(kAlarmAreaHeight, grbgrp1);
    inside->addWidget(m_editor);
    layout->addWidget(grbgrp1);

    // The bottom panel sits under the alarm tabs on the right-hand side.
    auto* pnl2 = new QWidget;
    pnl2->setObjectName(QStringLiteral("pnl2"));
    pnl2->setFixedHeight(kBottomPanelHeight);
    auto* grid = new QGridLayout(pnl2);
    grid->setContentsMargins(4, 8, 4, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->setColumnMinimumWidth(0, kLabelWidth);

    auto* lbl6 = new QLabel(QStringLiteral("Profile file Path"), pnl2);
    lbl6->setObjectName(QStringLiteral("lbl6"));
    edtLoadPath = MakePathField(pnl2, "edtLoadPath");
    auto* btnSelect = MakeButton(pnl2, "btnSelect", QStringLiteral("Select"), kButtonWidth);
    grid->addWidget(lbl6, 0, 0);
    grid->addWidget(edtLoadPath, 0, 1);
    grid->addWidget(btnSelect, 0, 2);

    auto* lbl7 = new QLabel(QStringLiteral("Device Path"), pnl2);
    lbl7->setObjectName(QStringLiteral("lbl7"));
    edtDevicePath = MakePathField(pnl2, "edtDevicePath");
    auto* btnSelectDevice = MakeButton(pnl2, "btnSelectDevice", QStringLiteral("Select"), kButtonWidth);
    grid->addWidget(lbl7, 1, 0);
    grid->addWidget(edtDevicePath, 1, 1);
    grid->addWidget(btnSelectDevice, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch();
    auto* btnUpload = MakeButton(pnl2, "btnUpload", QStringLiteral("Upload To Device"), 140);
    auto* btn1 = MakeButton(pnl2, "btn1", QStringLiteral("Close"), kButtonWidth);
    buttons->addWidget(btnUpload);
    buttons->addWidget(btn1);
    grid->addLayout(buttons, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    m_editor->addBelowTabs(pnl2);

    connect(btnSelect, &QPushButton::clicked, this, &TUploadToDeviceFrm::btnSelectClick);
    connect(btnSelectDevice, &QPushButton::clicked, this, &TUploadToDeviceFrm::btnSelectDeviceClick);
    connect(btnUpload, &QPushButton::clicked, this, &TUploadToDeviceFrm::btnUploadClick);
    connect(btn1, &QPushButton::clicked, this, &TUploadToDeviceFrm::btn1Click);

    // Fixed frame: the designed size, not resizable by dragging.
    setFixedSize(kClientWidth, kClientHeight);
}

TUploadToDeviceFrm::~TUploadToDeviceFrm() = default;

void TUploadToDeviceFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TUploadToDeviceFrm::FormShow()
{
    m_editor->FormShow();
    edtLoadPath->setText(ReadConfigString(ConfigKeys::PathSection, ConfigKeys::LastProfilePath));
    edtDevicePath->setText(ReadConfigString(ConfigKeys::PathSection, ConfigKeys::DevicePath));
}

void TUploadToDeviceFrm::btnSelectClick()
{
    const QString path = Dialogs().openFile(this, QStringLiteral("Open"), QStringLiteral("Profile(*.txt)"),
                                            QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    edtLoadPath->setText(QDir::toNativeSeparators(path));
    ReadProfile(edtLoadPath->text());
}

void TUploadToDeviceFrm::ReadProfile(const QString& path)
{
    // Remembered first, so that even a profile that fails to load is offered next time.
    Remember(ConfigKeys::LastProfilePath, path);
    EditorProfileTarget target(*m_editor);
    const ProfileReadResult result = ReadProfileAndReport(path, target);
    if (!result.ok)
        qWarning("Profile %s not loaded (line %d): %s", qUtf8Printable(path), result.line,
                 qUtf8Printable(result.error));
}

void TUploadToDeviceFrm::chooseDeviceDirectory()
{
    const QString folder = Dialogs().chooseFolder(this, kDeviceBrowserTitle);
    if (!folder.isEmpty())
        edtDevicePath->setText(QDir::toNativeSeparators(folder));
    Remember(ConfigKeys::DevicePath, edtDevicePath->text());
}

void TUploadToDeviceFrm::btnSelectDeviceClick()
{
    chooseDeviceDirectory();
}

void TUploadToDeviceFrm::btnUploadClick()
{
    const std::optional<TIndicatorSettings> settings = m_editor->checkedSettings(
        QStringLiteral("The parameter is incomplete. Please fill it out and upload again."));
    if (!settings)
        return;

    if (edtDevicePath->text().isEmpty())
        chooseDeviceDirectory();
    // No directory chosen: nothing to write to, and the operator knows why.
    if (edtDevicePath->text().isEmpty())
        return;

    // A drive root already ends in a separator; the doubled one still names
    // the file in that root.
    const QString target = JoinNative(edtDevicePath->text(), QStringLiteral("SETTING.txt"));
    // Reports "Upload successed!" only once the file reads back as written.
    WriteSettingsText(*settings, target, SettingsTextVariant::Upload);
}

void TUploadToDeviceFrm::btn1Click()
{
    close();
}
