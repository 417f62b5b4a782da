#include "ConfigEditor.h"

#include "app/Prompt.h"

#include "config/AlarmRows.h"
#include "config/EditorControls.h"
#include "config/KeyFilters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kLeftPanelWidth = 615;
constexpr int kNumberEditWidth = 56;
constexpr int kChoiceWidth = 300;

template <typename T> T* Make(QWidget* parent, const char* name)
{
    T* widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, bool checked)
{
    auto* box = Make<QCheckBox>(parent, name);
    box->setText(caption);
    box->setChecked(checked);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// An edit box with its bound spinner, side by side.
QWidget* NumberWithSpinner(QWidget* parent, QLineEdit* edit, TUpDown* spinner)
{
    auto* holder = new QWidget(parent);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    edit->setParent(holder);
    spinner->setParent(holder);
    edit->setFixedWidth(kNumberEditWidth);
    spinner->setFixedHeight(edit->sizeHint().height());
    row->addWidget(edit);
    row->addWidget(spinner);
    row->addStretch();
    return holder;
}

QLineEdit* MakeNumber(QWidget* parent, const char* name, KeyRule rule, int maxLength)
{
    auto* edit = Make<QLineEdit>(parent, name);
    edit->setText(QStringLiteral("1"));
    edit->setMaxLength(maxLength);
    InstallKeyFilter(edit, rule);
    return edit;
}

TUpDown* MakeSpinner(QWidget* parent, const char* name, QLineEdit* edit, int minimum, int maximum)
{
    auto* spinner = Make<TUpDown>(parent, name);
    spinner->setRange(minimum, maximum);
    spinner->setAssociate(edit);
    spinner->setPosition(1);
    return spinner;
}

double ToFahrenheit(double celsius)
{
    return celsius * 1.8 + 32;
}

double ToCelsius(double fahrenheit)
{
    return (fahrenheit - 32) / 1.8;
}

} // namespace

TConfigEditor::TConfigEditor(int alarmAreaHeight, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ConfigEditor"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);

    auto* pnl1 = Make<QWidget>(this, "pnl1");
    pnl1->setFixedWidth(kLeftPanelWidth);
    auto* left = new QVBoxLayout(pnl1);
    left->setContentsMargins(4, 0, 4, 0);
    left->setSpacing(6);
    left->addWidget(buildGeneralSettings());
    left->addWidget(buildPdfFormat());
    left->addStretch();
    layout->addWidget(pnl1);

    layout->addWidget(buildAlarmTabs(alarmAreaHeight), 1);
}

TConfigEditor::~TConfigEditor() = default;

QWidget* TConfigEditor::buildGeneralSettings()
{
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    grid->setColumnMinimumWidth(0, 160);

    edtRecordingDays = MakeNumber(box, "edtRecordingDays", KeyRule::RecordingDays, 3);
    udRecordingDays = MakeSpinner(box, "udRecordingDays", edtRecordingDays, 1, 400);
    grid->addWidget(MakeLabel(box, QStringLiteral("Monitor a maximum of")), 0, 0);
    grid->addWidget(NumberWithSpinner(box, edtRecordingDays, udRecordingDays), 0, 1);
    grid->addWidget(MakeLabel(box, QStringLiteral("days (1-400 day)")), 0, 2);

    edtRecordingInterval = MakeNumber(box, "edtRecordingInterval", KeyRule::RecordingInterval, 2);
    udRecordingInterval = MakeSpinner(box, "udRecordingInterval", edtRecordingInterval, 1, 99);
    grid->addWidget(MakeLabel(box, QStringLiteral("Take a reading every")), 1, 0);
    grid->addWidget(NumberWithSpinner(box, edtRecordingInterval, udRecordingInterval), 1, 1);
    grid->addWidget(MakeLabel(box, QStringLiteral("minutes (1-99 min)")), 1, 2);

    chkDelay = MakeCheck(box, "chkDelay", QStringLiteral("Begin after a delay of"), true);
    edtDelayedStart = MakeNumber(box, "edtDelayedStart", KeyRule::Digits, 3);
    udDelayedStart = MakeSpinner(box, "udDelayedStart", edtDelayedStart, 0, 999);
    grid->addWidget(chkDelay, 2, 0);
    grid->addWidget(NumberWithSpinner(box, edtDelayedStart, udDelayedStart), 2, 1);
    grid->addWidget(MakeLabel(box, QStringLiteral("minutes (0-999 min)")), 2, 2);
    connect(chkDelay, &QCheckBox::toggled, this, &TConfigEditor::chkDelayClick);

    cbbTimeZone = Make<QComboBox>(box, "cbbTimeZone");
    for (int i = 0; i < kTimeZoneCount; ++i)
        cbbTimeZone->addItem(TimeZoneText(i));
    cbbTimeZone->setCurrentIndex(24);
    cbbTimeZone->setFixedWidth(kChoiceWidth);
    cbbTimeZone->setMaxVisibleItems(16);
    grid->addWidget(MakeLabel(box, QStringLiteral("Time zone")), 3, 0);
    grid->addWidget(cbbTimeZone, 3, 1, 1, 2);

    const auto addChoice = [&](int line, const QString& label, TRadioGroup* group) {
        group->setFixedWidth(kChoiceWidth);
        grid->addWidget(MakeLabel(box, label), line, 0);
        grid->addWidget(group, line, 1, 1, 2);
    };
    rgStopMode = new TRadioGroup(QStringLiteral("rgStopMode"),
                                 {QStringLiteral("Manual"), QStringLiteral("Automatic")}, 2, box);
    rgStopMode->setItemIndex(1);
    addChoice(4, QStringLiteral("Stop mode"), rgStopMode);
    rgLanguage = new TRadioGroup(QStringLiteral("rgLanguage"),
                                 {QStringLiteral("Russian"), QStringLiteral("English")}, 2, box);
    rgLanguage->setItemIndex(1);
    addChoice(5, QStringLiteral("Language"), rgLanguage);

    auto* recordType = new QWidget(box);
    auto* recordLine = new QHBoxLayout(recordType);
    recordLine->setContentsMargins(0, 0, 0, 0);
    recordLine->setSpacing(10);
    chkTemperature = MakeCheck(recordType, "chkTemperature", QStringLiteral("Temperature"), true);
    rgUnit =
        new TRadioGroup(QStringLiteral("rgUnit"), {QStringLiteral("C"), QStringLiteral("F")}, 2, recordType);
    rgUnit->setItemIndex(0);
    rgUnit->setFixedWidth(110);
    chkHumidity = MakeCheck(recordType, "chkHumidity", QStringLiteral("Humidity"), false);
    recordLine->addWidget(chkTemperature);
    recordLine->addWidget(rgUnit);
    recordLine->addSpacing(14);
    recordLine->addWidget(chkHumidity);
    recordLine->addStretch();
    grid->addWidget(MakeLabel(box, QStringLiteral("Record Type")), 6, 0);
    grid->addWidget(recordType, 6, 1, 1, 2);
    connect(chkTemperature, &QCheckBox::toggled, this, &TConfigEditor::chkTemperatureClick);
    connect(chkHumidity, &QCheckBox::toggled, this, &TConfigEditor::chkHumidityClick);
    connect(rgUnit, &TRadioGroup::itemChanged, this, &TConfigEditor::rgUnitClick);

    rgProbeType = new TRadioGroup(QStringLiteral("rgProbeType"), {QStringLiteral("In")}, 1, box);
    rgProbeType->setItemIndex(0);
    addChoice(7, QStringLiteral("Probe type"), rgProbeType);
    rgTimesOfUse = new TRadioGroup(QStringLiteral("rgTimesOfUse"),
                                   {QStringLiteral("Single"), QStringLiteral("Many")}, 2, box);
    rgTimesOfUse->setItemIndex(1);
    addChoice(8, QStringLiteral("Times of use"), rgTimesOfUse);

    auto* formats = new QWidget(box);
    auto* formatLine = new QHBoxLayout(formats);
    formatLine->setContentsMargins(0, 0, 0, 0);
    formatLine->setSpacing(24);
    chkPDF = MakeCheck(formats, "chkPDF", QStringLiteral("PDF"), true);
    chkCSV = MakeCheck(formats, "chkCSV", QStringLiteral("CSV"), false);
    formatLine->addWidget(chkPDF);
    formatLine->addWidget(chkCSV);
    formatLine->addStretch();
    grid->addWidget(MakeLabel(box, QStringLiteral("Output format")), 9, 0);
    grid->addWidget(formats, 9, 1, 1, 2);
    connect(chkPDF, &QCheckBox::toggled, this, &TConfigEditor::chkPDFClick);

    grid->setColumnStretch(2, 1);
    return box;
}

QGroupBox* TConfigEditor::buildPdfFormat()
{
    grbPDFFormat = Make<QGroupBox>(nullptr, "grbPDFFormat");
    grbPDFFormat->setTitle(QStringLiteral("PDF Format"));
    auto* grid = new QGridLayout(grbPDFFormat);
    grid->setContentsMargins(10, 6, 10, 8);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    grid->setColumnMinimumWidth(0, 150);

    int line = 0;
    const auto addText = [&](QCheckBox*& check, const char* checkName, const QString& caption,
                             QLineEdit*& edit, const char* editName, const QString& designed, int limit) {
        check = MakeCheck(grbPDFFormat, checkName, caption, false);
        edit = Make<QLineEdit>(grbPDFFormat, editName);
        edit->setText(designed);
        // The limit binds only what the operator types: the placeholders and a
        // loaded profile may carry longer texts, which must not be cut.
        LimitTyping(edit, limit);
        grid->addWidget(check, line, 0);
        grid->addWidget(edit, line, 1);
        ++line;
    };
    addText(chkLogo, "chkLogo", QStringLiteral("Logo"), edtLogo, "edtLogo", QStringLiteral("Brindlecote"),
            30);
    addText(chkDevice, "chkDevice", QStringLiteral("Device"), edtDevice, "edtDevice",
            QStringLiteral("Nimbo Log1"), 30);

    chkTimeFormat = MakeCheck(grbPDFFormat, "chkTimeFormat", QStringLiteral("Time Format"), false);
    rgTimeFormat = new TRadioGroup(QStringLiteral("rgTimeFormat"),
                                   {QStringLiteral("DD/MM/YY"), QStringLiteral("MM/DD/YY")}, 2, grbPDFFormat);
    rgTimeFormat->setItemIndex(0);
    rgTimeFormat->setEnabled(false);
    rgTimeFormat->setFixedWidth(kChoiceWidth);
    grid->addWidget(chkTimeFormat, line, 0);
    grid->addWidget(rgTimeFormat, line, 1);
    ++line;
    connect(chkTimeFormat, &QCheckBox::toggled, this, &TConfigEditor::chkTimeFormatClick);

    addText(chkUrl, "chkUrl", QStringLiteral("Url"), edtUrl, "edtUrl",
            QStringLiteral("www.brindlecote.example"), 30);
    addText(chkUsbName, "chkUsbName", QStringLiteral("USB Name"), edtUsbName, "edtUsbName",
            QStringLiteral("brindlecote"), 12);
    addText(chkDeviceID, "chkDeviceID", QStringLiteral("Device ID"), edtDeviceID, "edtDeviceID",
            QStringLiteral("180500004A"), 10);
    addText(chkTripDescription, "chkTripDescription", QStringLiteral("Trip description"), edtTripDescription,
            "edtTripDescription", QStringLiteral("New York to Canada"), 100);
    return grbPDFFormat;
}

QWidget* TConfigEditor::buildAlarmTabs(int alarmAreaHeight)
{
    auto* pnl3 = Make<QWidget>(this, "pnl3");
    m_rightColumn = new QVBoxLayout(pnl3);
    m_rightColumn->setContentsMargins(0, 0, 0, 0);
    m_rightColumn->setSpacing(6);

    m_pages = Make<QTabWidget>(pnl3, "pgc1");
    ts1 = Make<QWidget>(nullptr, "ts1");
    ts2 = Make<QWidget>(nullptr, "ts2");
    m_temperature = new TAlarmRowSet(SettingsField::Temperature, alarmAreaHeight, nullptr, ts1);
    m_humidity = new TAlarmRowSet(SettingsField::Humidity, alarmAreaHeight, m_temperature->scrollArea(), ts2);
    for (auto [page, set] : {std::pair{ts1, m_temperature}, std::pair{ts2, m_humidity}}) {
        auto* fill = new QVBoxLayout(page);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(set->scrollArea());
        set->scrollArea()->installEventFilter(this);
    }
    m_pages->addTab(ts1, QStringLiteral("Alarms for temperature"));
    m_pages->addTab(ts2, QStringLiteral("Alarms for humidity"));
    m_rightColumn->addWidget(m_pages);
    m_rightColumn->addStretch();
    return pnl3;
}

void TConfigEditor::addBelowTabs(QWidget* panel)
{
    // Goes between the tabs and the closing stretch.
    m_rightColumn->insertWidget(m_rightColumn->count() - 1, panel);
}

TAlarmRowSet& TConfigEditor::alarms(SettingsField::Set set) const
{
    return set == SettingsField::Humidity ? *m_humidity : *m_temperature;
}

void TConfigEditor::FormShow()
{
    FillAlarmConditions();
    // Captions follow the times from the start, so "(0 Hours)".
    for (TAlarmRowSet* set : {m_temperature, m_humidity}) {
        for (int n = 1; n <= TAlarmRowSet::kRowCount; ++n)
            set->RefreshAlarmTimeCaption(n);
    }
    m_temperature->CascadeAlarmRows(1, false);
    m_humidity->CascadeAlarmRows(1, false);
    m_pages->setCurrentWidget(ts1);
    m_pages->setTabVisible(m_pages->indexOf(ts2), false);
    if (!UseMakerDefaultTexts) {
        edtLogo->setText(QStringLiteral("Please write your Logo"));
        edtDevice->setText(QStringLiteral("Please write your Device Name"));
        edtUsbName->setText(QStringLiteral("Please write your USB Name"));
        edtUrl->setText(QLatin1String(kPlaceholderUrl));
    }
}

void TConfigEditor::FormResize()
{
    QScrollArea* area = m_temperature->scrollArea();
    QWidget* panel = m_temperature->panel();
    panel->resize(area->width(), qMax(panel->height(), area->height()));
    // The humidity panel keeps its height rule but follows the width too, so
    // its rows are never cut off at the right.
    m_humidity->panel()->resize(m_humidity->scrollArea()->width(), m_humidity->panel()->height());
}

bool TConfigEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize &&
        (watched == m_temperature->scrollArea() || watched == m_humidity->scrollArea()))
        FormResize();
    return QWidget::eventFilter(watched, event);
}

void TConfigEditor::FillAlarmConditions()
{
    m_temperature->FillAlarmConditions();
    m_humidity->FillAlarmConditions();
}

void TConfigEditor::CascadeAlarmRows(SettingsField::Set set, int number, bool on)
{
    alarms(set).CascadeAlarmRows(number, on);
}

void TConfigEditor::RefreshAlarmTimeCaption(SettingsField::Set set, int number)
{
    alarms(set).RefreshAlarmTimeCaption(number);
}

void TConfigEditor::StepAlarmThreshold(SettingsField::Set set, int number, bool up)
{
    alarms(set).StepAlarmThreshold(number, up);
}

void TConfigEditor::ApplyTemperatureUnit(int unit)
{
    const bool fahrenheit = unit == 1;
    m_temperature->setUnit(rgUnit->itemText(fahrenheit ? 1 : 0), fahrenheit ? -148 : -100,
                           fahrenheit ? 212 : 100);
}

void TConfigEditor::ConvertAlarmThresholds(int unit)
{
    m_temperature->convertThresholds(unit == 1 ? &ToFahrenheit : &ToCelsius);
}

void TConfigEditor::chkDelayClick(bool checked)
{
    edtDelayedStart->setEnabled(checked);
    udDelayedStart->setEnabled(checked);
}

void TConfigEditor::chkTemperatureClick(bool checked)
{
    rgUnit->setEnabled(checked);
    m_pages->setTabVisible(m_pages->indexOf(ts1), checked);
}

void TConfigEditor::chkHumidityClick(bool checked)
{
    m_pages->setTabVisible(m_pages->indexOf(ts2), checked);
}

void TConfigEditor::chkPDFClick(bool checked)
{
    grbPDFFormat->setVisible(checked);
}

void TConfigEditor::chkTimeFormatClick(bool checked)
{
    rgTimeFormat->setEnabled(checked);
}

void TConfigEditor::rgUnitClick(int index)
{
    ApplyTemperatureUnit(index);
    ConvertAlarmThresholds(index);
}

TIndicatorSettings TConfigEditor::settings() const
{
    TIndicatorSettings s;
    s.RecordingDays = edtRecordingDays->text();
    s.RecordingInterval = edtRecordingInterval->text();
    s.DelayEnabled = chkDelay->isChecked();
    s.DelayedStart = edtDelayedStart->text();
    s.StopMode = rgStopMode->itemIndex();
    s.Language = rgLanguage->itemIndex();
    s.TemperatureUnit = rgUnit->itemIndex();
    s.ProbeType = rgProbeType->itemIndex();
    s.TimesOfUse = rgTimesOfUse->itemIndex();
    s.OutputPdf = chkPDF->isChecked();
    s.OutputCsv = chkCSV->isChecked();
    s.PdfShowLogo = chkLogo->isChecked();
    s.PdfLogo = edtLogo->text();
    s.PdfShowDevice = chkDevice->isChecked();
    s.PdfDevice = edtDevice->text();
    s.PdfShowTimeFormat = chkTimeFormat->isChecked();
    s.PdfTimeFormat = rgTimeFormat->itemIndex();
    s.PdfShowUrl = chkUrl->isChecked();
    s.PdfUrl = edtUrl->text();
    s.PdfShowUsbName = chkUsbName->isChecked();
    s.PdfUsbName = edtUsbName->text();
    s.PdfShowDeviceId = chkDeviceID->isChecked();
    s.PdfDeviceId = edtDeviceID->text();
    s.PdfShowTripDescription = chkTripDescription->isChecked();
    s.PdfTripDescription = edtTripDescription->text();
    s.TimeZoneIndex = cbbTimeZone->currentIndex();
    s.CollectTemperature = chkTemperature->isChecked();
    s.CollectHumidity = chkHumidity->isChecked();
    s.TemperatureAlarms = m_temperature->rules();
    s.HumidityAlarms = m_humidity->rules();
    return s;
}

void TConfigEditor::load(const TIndicatorSettings& s)
{
    edtRecordingDays->setText(s.RecordingDays);
    edtRecordingInterval->setText(s.RecordingInterval);
    chkDelay->setChecked(s.DelayEnabled);
    edtDelayedStart->setText(s.DelayedStart);
    rgStopMode->setItemIndex(s.StopMode);
    rgLanguage->setItemIndex(s.Language);
    // The unit first: its change converts the thresholds shown, which the
    // rows below then overwrite.
    rgUnit->setItemIndex(s.TemperatureUnit);
    rgProbeType->setItemIndex(s.ProbeType);
    rgTimesOfUse->setItemIndex(s.TimesOfUse);
    chkPDF->setChecked(s.OutputPdf);
    chkCSV->setChecked(s.OutputCsv);
    chkLogo->setChecked(s.PdfShowLogo);
    edtLogo->setText(s.PdfLogo);
    chkDevice->setChecked(s.PdfShowDevice);
    edtDevice->setText(s.PdfDevice);
    chkTimeFormat->setChecked(s.PdfShowTimeFormat);
    rgTimeFormat->setItemIndex(s.PdfTimeFormat);
    chkUrl->setChecked(s.PdfShowUrl);
    edtUrl->setText(s.PdfUrl);
    chkUsbName->setChecked(s.PdfShowUsbName);
    edtUsbName->setText(s.PdfUsbName);
    chkDeviceID->setChecked(s.PdfShowDeviceId);
    edtDeviceID->setText(s.PdfDeviceId);
    chkTripDescription->setChecked(s.PdfShowTripDescription);
    edtTripDescription->setText(s.PdfTripDescription);
    cbbTimeZone->setCurrentIndex(s.TimeZoneIndex);
    chkTemperature->setChecked(s.CollectTemperature);
    chkHumidity->setChecked(s.CollectHumidity);

    for (auto [set, rules] :
         {std::pair{m_temperature, &s.TemperatureAlarms}, std::pair{m_humidity, &s.HumidityAlarms}}) {
        set->row(1).chkAlarm->setChecked(false);
        set->CascadeAlarmRows(1, false);
        for (int n = 1; n <= TAlarmRowSet::kRowCount; ++n) {
            const TAlarmRow& row = set->row(n);
            const TAlarmRule& rule = (*rules)[n - 1];
            row.rgAlarm->setItemIndex(rule.Direction);
            row.edtAlarmTemperature->setText(rule.Threshold);
            row.cbbAlarmCondition->setCurrentIndex(rule.Condition);
            if (row.edtAlarmTime->text() == rule.AlarmTime)
                set->RefreshAlarmTimeCaption(n); // the condition may have changed
            else
                row.edtAlarmTime->setText(rule.AlarmTime);
        }
        for (int n = 1; n <= TAlarmRowSet::kRowCount && (*rules)[n - 1].Enabled; ++n)
            set->row(n).chkAlarm->setChecked(true);
    }
}

QWidget* TConfigEditor::fieldControl(const SettingsField& field) const
{
    switch (field.kind) {
    case SettingsField::None:
        return nullptr;
    case SettingsField::RecordingDays:
        return edtRecordingDays;
    case SettingsField::RecordingInterval:
        return edtRecordingInterval;
    case SettingsField::DelayedStart:
        return edtDelayedStart;
    case SettingsField::PdfLogo:
        return edtLogo;
    case SettingsField::PdfDevice:
        return edtDevice;
    case SettingsField::PdfUrl:
        return edtUrl;
    case SettingsField::PdfUsbName:
        return edtUsbName;
    case SettingsField::PdfDeviceId:
        return edtDeviceID;
    case SettingsField::PdfTripDescription:
        return edtTripDescription;
    case SettingsField::AlarmThreshold:
    case SettingsField::AlarmTime:
        if (field.rule < 1 || field.rule > TAlarmRowSet::kRowCount)
            return nullptr;
        return field.kind == SettingsField::AlarmTime ? alarms(field.set).row(field.rule).edtAlarmTime
                                                      : alarms(field.set).row(field.rule).edtAlarmTemperature;
    }
    return nullptr;
}

std::optional<TIndicatorSettings> TConfigEditor::checkedSettings(const QString& incompleteMessage)
{
    TIndicatorSettings current = settings();
    // Both windows require an output format: a logger set to no report loses the trip's record.
    const ValidationResult check = ValidateSettings(current, true);
    if (check.ok)
        return current;
    focusField(check.field);
    ShowPrompt(check.message.isEmpty() ? incompleteMessage : check.message, QStringLiteral("Prompt"),
               MsgFlags::Ok | MsgFlags::IconInformation);
    return std::nullopt;
}

void TConfigEditor::focusField(const SettingsField& field)
{
    QWidget* control = fieldControl(field);
    if (!control)
        return;
    if (field.kind == SettingsField::AlarmThreshold || field.kind == SettingsField::AlarmTime) {
        // A field on a tab that is shown but not in front is brought forward.
        QWidget* page = field.set == SettingsField::Humidity ? ts2 : ts1;
        const int index = m_pages->indexOf(page);
        if (m_pages->isTabVisible(index)) {
            m_pages->setCurrentIndex(index);
            alarms(field.set).scrollArea()->ensureWidgetVisible(control);
        }
    }
    if (control->isVisible() && control->isEnabled())
        control->setFocus(Qt::OtherFocusReason);
}
