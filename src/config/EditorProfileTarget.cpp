#include "EditorProfileTarget.h"

#include "config/AlarmRows.h"
#include "config/ConfigEditor.h"
#include "config/EditorControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

namespace {

struct PdfControls
{
    ProfileTarget::PdfText item;
    const char* check;
    const char* edit;
};

constexpr PdfControls kPdfControls[] = {
    {ProfileTarget::PdfText::Logo, "chkLogo", "edtLogo"},
    {ProfileTarget::PdfText::Device, "chkDevice", "edtDevice"},
    {ProfileTarget::PdfText::Url, "chkUrl", "edtUrl"},
    {ProfileTarget::PdfText::UsbName, "chkUsbName", "edtUsbName"},
    {ProfileTarget::PdfText::DeviceId, "chkDeviceID", "edtDeviceID"},
    {ProfileTarget::PdfText::TripDescription, "chkTripDescription", "edtTripDescription"},
};

} // namespace

template <typename T> T* EditorProfileTarget::control(const char* name) const
{
    T* found = m_editor.findChild<T*>(QLatin1String(name));
    // The editor builds every one of these; a miss is a renamed control.
    if (!found)
        qFatal("The configuration editor has no control %s", name);
    return found;
}

EditorProfileTarget::EditorProfileTarget(TConfigEditor& editor)
    : m_editor(editor), rgStopMode(control<TRadioGroup>("rgStopMode")),
      rgLanguage(control<TRadioGroup>("rgLanguage")), chkTemperature(control<QCheckBox>("chkTemperature")),
      rgUnit(control<TRadioGroup>("rgUnit")), chkHumidity(control<QCheckBox>("chkHumidity")),
      rgProbeType(control<TRadioGroup>("rgProbeType")), rgTimesOfUse(control<TRadioGroup>("rgTimesOfUse")),
      chkPDF(control<QCheckBox>("chkPDF")), chkCSV(control<QCheckBox>("chkCSV")),
      chkTimeFormat(control<QCheckBox>("chkTimeFormat")), rgTimeFormat(control<TRadioGroup>("rgTimeFormat")),
      cbbTimeZone(control<QComboBox>("cbbTimeZone")),
      edtRecordingDays(control<QLineEdit>("edtRecordingDays")),
      edtRecordingInterval(control<QLineEdit>("edtRecordingInterval")),
      chkDelay(control<QCheckBox>("chkDelay")), edtDelayedStart(control<QLineEdit>("edtDelayedStart")),
      pgc1(editor.pages()), ts1(control<QWidget>("ts1")), ts2(control<QWidget>("ts2"))
{
}

void EditorProfileTarget::setTabShown(QWidget* page, bool shown)
{
    pgc1->setTabVisible(pgc1->indexOf(page), shown);
}

void EditorProfileTarget::resetAlarmPart()
{
    for (const auto set : {AlarmSet::Temperature, AlarmSet::Humidity}) {
        QCheckBox* first = m_editor.alarms(set).row(1).chkAlarm;
        // Unticking runs the cascade itself; an unticked row 1 still collapses
        // whatever is shown below it.
        if (first->isChecked())
            first->setChecked(false);
        else
            m_editor.CascadeAlarmRows(set, 1, false);
    }
    pgc1->setCurrentWidget(ts1);
    setTabShown(ts1, false);
    setTabShown(ts2, false);
    chkHumidity->setChecked(false);
}

void EditorProfileTarget::setStopMode(int mode)
{
    rgStopMode->setItemIndex(mode);
}

void EditorProfileTarget::setLanguage(int language)
{
    rgLanguage->setItemIndex(language);
}

void EditorProfileTarget::setCollectTemperature(bool on)
{
    chkTemperature->setChecked(on);
}

void EditorProfileTarget::setTemperatureUnit(int unit)
{
    // A different item runs the unit's click handler: labels, limits and the
    // conversion of every threshold shown, before the file's alarms arrive.
    rgUnit->setItemIndex(unit);
}

void EditorProfileTarget::applyTemperatureUnit()
{
    m_editor.ApplyTemperatureUnit(rgUnit->itemIndex());
}

void EditorProfileTarget::setProbeType(int)
{
    // "In" is the only probe the windows offer.
    rgProbeType->setItemIndex(0);
}

void EditorProfileTarget::setTimesOfUse(int times)
{
    rgTimesOfUse->setItemIndex(times);
}

void EditorProfileTarget::setOutputPdf(bool on)
{
    chkPDF->setChecked(on);
}

void EditorProfileTarget::setOutputCsv(bool on)
{
    chkCSV->setChecked(on);
}

void EditorProfileTarget::resetPdfShowFlags()
{
    for (const PdfControls& pdf : kPdfControls)
        control<QCheckBox>(pdf.check)->setChecked(false);
    chkTimeFormat->setChecked(false);
    rgTimeFormat->setEnabled(false);
}

void EditorProfileTarget::showPdfText(PdfText item, const QString& value)
{
    for (const PdfControls& pdf : kPdfControls) {
        if (pdf.item == item) {
            control<QCheckBox>(pdf.check)->setChecked(true);
            control<QLineEdit>(pdf.edit)->setText(value);
            return;
        }
    }
}

void EditorProfileTarget::showPdfTimeFormat(int format)
{
    chkTimeFormat->setChecked(true);
    rgTimeFormat->setEnabled(true);
    rgTimeFormat->setItemIndex(format);
}

void EditorProfileTarget::setTimeZoneIndex(int index)
{
    cbbTimeZone->setCurrentIndex(index);
}

void EditorProfileTarget::setRecordingDays(const QString& days)
{
    edtRecordingDays->setText(days);
}

void EditorProfileTarget::setRecordingInterval(const QString& minutes)
{
    edtRecordingInterval->setText(minutes);
}

void EditorProfileTarget::setDelayedStart(const QString& minutes, bool delayEnabled)
{
    edtDelayedStart->setText(minutes);
    // The switch's handler enables or disables the field and its spinner.
    chkDelay->setChecked(delayEnabled);
}

void EditorProfileTarget::hideAlarmTabs()
{
    setTabShown(ts1, false);
    setTabShown(ts2, false);
}

void EditorProfileTarget::showTemperatureTab()
{
    // When the box is already ticked its handler does not run again, and the
    // tab was hidden by the load; so show both here as well.
    chkTemperature->setChecked(true);
    rgUnit->setEnabled(true);
    setTabShown(ts1, true);
}

void EditorProfileTarget::showHumidityTab()
{
    chkHumidity->setChecked(true);
    setTabShown(ts2, true);
}

void EditorProfileTarget::enableAlarmRule(AlarmSet set, int n)
{
    QCheckBox* check = m_editor.alarms(set).row(n).chkAlarm;
    if (check->isChecked())
        m_editor.CascadeAlarmRows(set, n, true);
    else
        check->setChecked(true);
}

void EditorProfileTarget::setAlarmDirection(AlarmSet set, int n, int direction)
{
    m_editor.alarms(set).row(n).rgAlarm->setItemIndex(direction);
}

void EditorProfileTarget::setAlarmThreshold(AlarmSet set, int n, const QString& threshold)
{
    m_editor.alarms(set).row(n).edtAlarmTemperature->setText(threshold);
}

void EditorProfileTarget::setAlarmCondition(AlarmSet set, int n, int condition)
{
    // The list reacts only to the operator's choice, so "Instantly" does not
    // replace the time here; the time that follows sets the caption.
    m_editor.alarms(set).row(n).cbbAlarmCondition->setCurrentIndex(condition);
}

void EditorProfileTarget::setAlarmTime(AlarmSet set, int n, const QString& time)
{
    QLineEdit* edit = m_editor.alarms(set).row(n).edtAlarmTime;
    if (edit->text() == time)
        m_editor.RefreshAlarmTimeCaption(set, n); // unchanged text: the condition may still be new
    else
        edit->setText(time);
}
