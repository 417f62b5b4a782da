#include "AlarmRows.h"

#include "app/Prompt.h"
#include "config/EditorControls.h"
#include "config/FieldFormats.h"
#include "config/KeyFilters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>

namespace {

// Positions within a row's band; the first line holds the switch, the
// direction and the threshold, the second the time and its condition.
constexpr int kLine1 = 14;
constexpr int kLine2 = 56;
constexpr int kLineHeight = 26;

QString Named(const char* base, int number, SettingsField::Set set)
{
    return QLatin1String(base) + QString::number(number) +
           (set == SettingsField::Humidity ? QStringLiteral("_HU") : QString());
}

template <typename T> T* Make(QWidget* panel, const QString& name)
{
    T* widget = new T(panel);
    widget->setObjectName(name);
    return widget;
}

} // namespace

TAlarmRow::TAlarmRow(QWidget* panel, SettingsField::Set set, int n) : number(n)
{
    const bool humidity = set == SettingsField::Humidity;
    const int top = TAlarmRowSet::kRowHeight * (n - 1);
    if (n > 1) {
        bvl = Make<QFrame>(panel, Named("bvl", n, set));
        bvl->setFrameShape(QFrame::HLine);
        bvl->setFrameShadow(QFrame::Sunken);
        bvl->setGeometry(8, top, 600, 2);
    }

    chkAlarm = Make<QCheckBox>(panel, Named("chkAlarm", n, set));
    chkAlarm->setText(QStringLiteral("Enable Alarm %1 for %2")
                          .arg(n)
                          .arg(humidity ? QStringLiteral("humidity") : QStringLiteral("temperature")));
    chkAlarm->setGeometry(12, top + kLine1, 230, kLineHeight);

    rgAlarm = new TRadioGroup(Named("rgAlarm", n, set), {QStringLiteral("Above"), QStringLiteral("Below")}, 2,
                              panel);
    rgAlarm->setItemIndex(0);
    rgAlarm->setGeometry(244, top + kLine1 - 4, 172, kLineHeight + 8);

    edtAlarmTemperature = Make<QLineEdit>(panel, Named("edtAlarmTemperature", n, set));
    edtAlarmTemperature->setText(QStringLiteral("0"));
    edtAlarmTemperature->setGeometry(430, top + kLine1, 72, kLineHeight);
    InstallKeyFilter(edtAlarmTemperature,
                     humidity ? KeyRule::HumidityThreshold : KeyRule::TemperatureThreshold);

    udAlarmTemperature = Make<TUpDown>(panel, Named("udAlarmTemperature", n, set));
    udAlarmTemperature->setRange(humidity ? 0 : -100, 100);
    udAlarmTemperature->setGeometry(502, top + kLine1, 16, kLineHeight);

    lblAlarm = Make<QLabel>(panel, Named("lblAlarm", n, set));
    lblAlarm->setText(humidity ? QStringLiteral("RH%") : QStringLiteral("C"));
    lblAlarm->setGeometry(526, top + kLine1, 40, kLineHeight);

    lblAfter = Make<QLabel>(panel, Named("lblAfter", n, set));
    lblAfter->setText(QStringLiteral("after"));
    lblAfter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblAfter->setGeometry(12, top + kLine2, 56, kLineHeight);

    edtAlarmTime = Make<QLineEdit>(panel, Named("edtAlarmTime", n, set));
    edtAlarmTime->setText(QStringLiteral("0"));
    edtAlarmTime->setGeometry(74, top + kLine2, 72, kLineHeight);
    InstallKeyFilter(edtAlarmTime, KeyRule::Digits);

    udAlarmTime = Make<TUpDown>(panel, Named("udAlarmTime", n, set));
    udAlarmTime->setRange(0, 10000);
    udAlarmTime->setIncrement(10);
    udAlarmTime->setAssociate(edtAlarmTime);
    udAlarmTime->setGeometry(146, top + kLine2, 16, kLineHeight);

    cbbAlarmCondition = Make<QComboBox>(panel, Named("cbbAlarmCondition", n, set));
    cbbAlarmCondition->setGeometry(170, top + kLine2, 226, kLineHeight);

    lblAlarmTime = Make<QLabel>(panel, Named("lblAlarmTime", n, set));
    lblAlarmTime->setText(QStringLiteral("(0 Minutes)"));
    lblAlarmTime->setGeometry(430, top + kLine2, 170, kLineHeight);
}

QList<QWidget*> TAlarmRow::valueControls() const
{
    return {rgAlarm,      edtAlarmTemperature, udAlarmTemperature, lblAlarm,    lblAfter,
            edtAlarmTime, udAlarmTime,         cbbAlarmCondition,  lblAlarmTime};
}

QList<QWidget*> TAlarmRow::shownControls() const
{
    QList<QWidget*> controls = valueControls();
    controls.prepend(chkAlarm);
    if (bvl)
        controls.prepend(bvl);
    return controls;
}

void TAlarmRow::setShown(bool shown) const
{
    for (QWidget* control : shownControls())
        control->setVisible(shown);
}

void TAlarmRow::setValuesEnabled(bool enabled) const
{
    for (QWidget* control : valueControls())
        control->setEnabled(enabled);
}

TAlarmRule TAlarmRow::rule() const
{
    TAlarmRule rule;
    rule.Enabled = chkAlarm->isChecked();
    rule.Direction = rgAlarm->itemIndex() == 1 ? TAlarmRule::Below : TAlarmRule::Above;
    rule.Threshold = edtAlarmTemperature->text();
    rule.Condition =
        cbbAlarmCondition->currentIndex() == 1 ? TAlarmRule::Instantly : TAlarmRule::Accumulative;
    rule.AlarmTime = edtAlarmTime->text();
    return rule;
}

TAlarmRowSet::TAlarmRowSet(SettingsField::Set set, int areaHeight, QScrollArea* heightReference,
                           QWidget* parent)
    : QObject(parent), m_set(set)
{
    const bool humidity = set == SettingsField::Humidity;
    m_scrollArea = new QScrollArea(parent);
    m_scrollArea->setObjectName(humidity ? QStringLiteral("scrlbxAlarm_HU") : QStringLiteral("scrlbxAlarm"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->setFixedHeight(areaHeight);
    m_heightReference = heightReference ? heightReference : m_scrollArea;

    m_panel = new QWidget;
    m_panel->setObjectName(humidity ? QStringLiteral("pnlAlarm_HU") : QStringLiteral("pnlAlarm"));
    m_panel->resize(620, areaHeight);
    for (int n = 1; n <= kRowCount; ++n)
        m_rows[n - 1] = std::make_unique<TAlarmRow>(m_panel, set, n);
    m_scrollArea->setWidget(m_panel);
    m_panel->installEventFilter(this);

    for (const auto& row : m_rows) {
        const int n = row->number;
        connect(row->chkAlarm, &QCheckBox::toggled, this, [this, n](bool on) { CascadeAlarmRows(n, on); });
        connect(row->udAlarmTemperature, &TUpDown::clicked, this,
                [this, n](bool up) { StepAlarmThreshold(n, up); });
        connect(row->edtAlarmTime, &QLineEdit::textChanged, this, [this, n] { RefreshAlarmTimeCaption(n); });
        // activated: only the operator's choice runs the change handler.
        connect(row->cbbAlarmCondition, &QComboBox::activated, this,
                [this, n](int index) { conditionChosen(n, index); });
    }
}

TAlarmRowSet::~TAlarmRowSet() = default;

void TAlarmRowSet::FillAlarmConditions()
{
    for (const auto& row : m_rows) {
        row->cbbAlarmCondition->clear();
        row->cbbAlarmCondition->addItem(QStringLiteral("Accumulative alarm readings"));
        row->cbbAlarmCondition->addItem(QStringLiteral("Instantly"));
        row->cbbAlarmCondition->setCurrentIndex(0);
    }
}

void TAlarmRowSet::CascadeAlarmRows(int n, bool on)
{
    if (n < 1 || n > kRowCount)
        return;
    int visible = n;
    if (on) {
        for (int k = 1; k <= qMin(n, kRowCount - 1); ++k) {
            row(k + 1).setShown(true);
            row(k).setValuesEnabled(true);
        }
        if (n == kRowCount)
            row(kRowCount).setValuesEnabled(true);
        visible = qMin(n + 1, kRowCount);
    } else {
        row(kRowCount).setValuesEnabled(false);
        // Switching a row off that was on runs its own cascade first; what
        // this outer call leaves is the result.
        for (int k = kRowCount; k >= n + 1; --k) {
            row(k).setShown(false);
            row(k).chkAlarm->setChecked(false);
            row(k).setValuesEnabled(false);
            row(k - 1).chkAlarm->setChecked(false);
            row(k - 1).setValuesEnabled(false);
        }
    }
    sizePanel(visible);
}

void TAlarmRowSet::sizePanel(int visibleRows)
{
    const int needed = kFirstRowHeight + kRowHeight * (visibleRows - 1);
    const int available = m_heightReference->height();
    const bool scrolls = needed > available;
    m_panel->resize(m_panel->width(), scrolls ? needed : available);
    m_scrollArea->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TAlarmRowSet::RefreshAlarmTimeCaption(int n)
{
    const TAlarmRow& r = row(n);
    const QString time = r.edtAlarmTime->text();
    if (time.trimmed().isEmpty()) {
        r.lblAlarmTime->clear();
        return;
    }
    const int condition = r.cbbAlarmCondition->currentIndex() == 1 ? 1 : 0;
    const std::optional<QString> caption = AlarmTimeCaption(time, condition);
    if (!caption) {
        ShowPrompt(NotAWholeNumberMessage(time), QStringLiteral("Prompt"), MsgFlags::IconError);
        return;
    }
    r.udAlarmTime->setIncrement(condition == 1 ? 1 : 10);
    r.lblAlarmTime->setText(*caption);
}

void TAlarmRowSet::conditionChosen(int n, int index)
{
    if (index == 1)
        row(n).edtAlarmTime->setText(QStringLiteral("1"));
    RefreshAlarmTimeCaption(n);
}

void TAlarmRowSet::StepAlarmThreshold(int n, bool up)
{
    const TAlarmRow& r = row(n);
    const std::optional<double> value = ReadFixedNumber(r.edtAlarmTemperature->text());
    if (!value)
        return;
    const double minimum = r.udAlarmTemperature->minimum();
    const double maximum = r.udAlarmTemperature->maximum();
    double next = 0;
    if (up && minimum <= *value && *value < maximum)
        next = *value + 0.1;
    else if (!up && minimum < *value && *value <= maximum)
        next = *value - 0.1;
    else
        return; // at a limit, or typed beyond one
    // A step from just below a limit stops at the limit instead of passing it.
    r.edtAlarmTemperature->setText(FormatAlarmThreshold(qBound(minimum, next, maximum)));
}

void TAlarmRowSet::setUnit(const QString& label, int minimum, int maximum)
{
    for (const auto& row : m_rows) {
        row->lblAlarm->setText(label);
        row->udAlarmTemperature->setRange(minimum, maximum);
    }
}

void TAlarmRowSet::convertThresholds(double (*convert)(double))
{
    for (const auto& row : m_rows) {
        const QString text = row->edtAlarmTemperature->text();
        const std::optional<double> value = ReadFixedNumber(text);
        if (!value) {
            // Going on keeps every readable threshold in the unit now shown.
            ShowPrompt(NotANumberMessage(text), QStringLiteral("Prompt"), MsgFlags::IconError);
            continue;
        }
        row->edtAlarmTemperature->setText(FormatAlarmThreshold(convert(*value)));
    }
}

TAlarmSet TAlarmRowSet::rules() const
{
    TAlarmSet set;
    for (int i = 0; i < kRowCount; ++i)
        set[i] = m_rows[i]->rule();
    return set;
}

int TAlarmRowSet::visibleRows() const
{
    int count = 0;
    for (const auto& row : m_rows)
        count += row->chkAlarm->isHidden() ? 0 : 1;
    return count;
}

bool TAlarmRowSet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        stretchSeparators();
    return QObject::eventFilter(watched, event);
}

void TAlarmRowSet::stretchSeparators()
{
    for (const auto& row : m_rows) {
        if (row->bvl)
            row->bvl->setGeometry(8, row->bvl->y(), m_panel->width() - 16, row->bvl->height());
    }
}
