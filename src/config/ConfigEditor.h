#pragma once

#include "config/IndicatorSettings.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QScrollArea;
class QTabWidget;
class QVBoxLayout;
class TAlarmRowSet;
class TRadioGroup;
class TUpDown;

// The editing part shared by the configuration windows: the general settings
// and the PDF header texts on the left, the two alarm tabs on the right. All
// behaviour runs from the controls' own signals, so a window (or the profile
// reader) that ticks, selects or types through the controls by objectName
// gets exactly what an operator gets. The window around it adds its own
// buttons and calls FormShow when it is first shown.
class TConfigEditor final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TConfigEditor)

public:
    // Off: the Logo, Device, Url and USB Name fields receive their
    // placeholder texts at every opening instead of the maker's texts.
    static constexpr bool UseMakerDefaultTexts = false;

    // alarmAreaHeight: the height of both alarm scroll areas (547 in the
    // parameter configuration window, 411 in the upload window).
    explicit TConfigEditor(int alarmAreaHeight, QWidget* parent = nullptr);
    ~TConfigEditor() override;

    // The start-up steps of an opening window: condition lists, time
    // captions, both sets collapsed to row 1, humidity tab hidden,
    // placeholder texts.
    void FormShow();
    // Fits the temperature alarm panel to its scroll area.
    void FormResize();

    // The configuration held by the controls.
    TIndicatorSettings settings() const;
    // Puts a configuration into the controls through their own handlers.
    // Only the alarm chain (rules 1 to n, all on) is switched on; later rules
    // keep their values with their rows off.
    void load(const TIndicatorSettings& settings);

    // The control that edits a field (nullptr for None).
    QWidget* fieldControl(const SettingsField& field) const;
    // Brings the field's tab forward and focuses the control when it is
    // visible and enabled.
    void focusField(const SettingsField& field);
    // The configuration when it passes the check before a write. Otherwise
    // the field at fault gets the focus, the operator is told (the check's own
    // message, or incompleteMessage) and nothing is returned.
    std::optional<TIndicatorSettings> checkedSettings(const QString& incompleteMessage);

    TAlarmRowSet& alarms(SettingsField::Set set) const;
    QTabWidget* pages() const { return m_pages; }
    // Places a panel under the alarm tabs (the upload window's bottom panel).
    void addBelowTabs(QWidget* panel);

    // The operations of the alarm rows, for callers that drive the sets.
    void FillAlarmConditions();
    void CascadeAlarmRows(SettingsField::Set set, int number, bool on);
    void RefreshAlarmTimeCaption(SettingsField::Set set, int number);
    void StepAlarmThreshold(SettingsField::Set set, int number, bool up);
    // Unit labels and threshold limits of the temperature rows (0 C, 1 F).
    void ApplyTemperatureUnit(int unit);
    // Every temperature threshold rewritten in the newly selected unit.
    void ConvertAlarmThresholds(int unit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildGeneralSettings();
    QGroupBox* buildPdfFormat();
    QWidget* buildAlarmTabs(int alarmAreaHeight);

    void chkDelayClick(bool checked);
    void chkTemperatureClick(bool checked);
    void chkHumidityClick(bool checked);
    void chkPDFClick(bool checked);
    void chkTimeFormatClick(bool checked);
    void rgUnitClick(int index);

    QLineEdit* edtRecordingDays = nullptr;
    TUpDown* udRecordingDays = nullptr;
    QLineEdit* edtRecordingInterval = nullptr;
    TUpDown* udRecordingInterval = nullptr;
    QCheckBox* chkDelay = nullptr;
    QLineEdit* edtDelayedStart = nullptr;
    TUpDown* udDelayedStart = nullptr;
    QComboBox* cbbTimeZone = nullptr;
    TRadioGroup* rgStopMode = nullptr;
    TRadioGroup* rgLanguage = nullptr;
    QCheckBox* chkTemperature = nullptr;
    TRadioGroup* rgUnit = nullptr;
    QCheckBox* chkHumidity = nullptr;
    TRadioGroup* rgProbeType = nullptr;
    TRadioGroup* rgTimesOfUse = nullptr;
    QCheckBox* chkPDF = nullptr;
    QCheckBox* chkCSV = nullptr;

    QGroupBox* grbPDFFormat = nullptr;
    QCheckBox* chkLogo = nullptr;
    QLineEdit* edtLogo = nullptr;
    QCheckBox* chkDevice = nullptr;
    QLineEdit* edtDevice = nullptr;
    QCheckBox* chkTimeFormat = nullptr;
    TRadioGroup* rgTimeFormat = nullptr;
    QCheckBox* chkUrl = nullptr;
    QLineEdit* edtUrl = nullptr;
    QCheckBox* chkUsbName = nullptr;
    QLineEdit* edtUsbName = nullptr;
    QCheckBox* chkDeviceID = nullptr;
    QLineEdit* edtDeviceID = nullptr;
    QCheckBox* chkTripDescription = nullptr;
    QLineEdit* edtTripDescription = nullptr;

    QTabWidget* m_pages = nullptr;
    QWidget* ts1 = nullptr;
    QWidget* ts2 = nullptr;
    QVBoxLayout* m_rightColumn = nullptr;
    TAlarmRowSet* m_temperature = nullptr;
    TAlarmRowSet* m_humidity = nullptr;
};
