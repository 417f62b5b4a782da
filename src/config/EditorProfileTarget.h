#pragma once

#include "config/ProfileReader.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QTabWidget;
class QWidget;
class TConfigEditor;
class TRadioGroup;

// Loads a profile into an editor's controls. Every effect goes through the
// control an operator would use, so the editor's own handlers run: ticking an
// alarm switch runs the cascade, selecting another unit converts the
// thresholds shown, a new time text refreshes its caption. The editor is not
// owned and must outlive the target.
class EditorProfileTarget final : public ProfileTarget
{
public:
    explicit EditorProfileTarget(TConfigEditor& editor);
    Q_DISABLE_COPY_MOVE(EditorProfileTarget)

    void resetAlarmPart() override;
    void setStopMode(int mode) override;
    void setLanguage(int language) override;
    void setCollectTemperature(bool on) override;
    void setTemperatureUnit(int unit) override;
    void applyTemperatureUnit() override;
    void setProbeType(int probe) override;
    void setTimesOfUse(int times) override;
    void setOutputPdf(bool on) override;
    void setOutputCsv(bool on) override;
    void resetPdfShowFlags() override;
    void showPdfText(PdfText item, const QString& value) override;
    void showPdfTimeFormat(int format) override;
    void setTimeZoneIndex(int index) override;
    void setRecordingDays(const QString& days) override;
    void setRecordingInterval(const QString& minutes) override;
    void setDelayedStart(const QString& minutes, bool delayEnabled) override;
    void hideAlarmTabs() override;
    void showTemperatureTab() override;
    void showHumidityTab() override;
    void enableAlarmRule(AlarmSet set, int n) override;
    void setAlarmDirection(AlarmSet set, int n, int direction) override;
    void setAlarmThreshold(AlarmSet set, int n, const QString& threshold) override;
    void setAlarmCondition(AlarmSet set, int n, int condition) override;
    void setAlarmTime(AlarmSet set, int n, const QString& time) override;

private:
    template <typename T> T* control(const char* name) const;
    void setTabShown(QWidget* page, bool shown);

    TConfigEditor& m_editor;
    TRadioGroup* rgStopMode;
    TRadioGroup* rgLanguage;
    QCheckBox* chkTemperature;
    TRadioGroup* rgUnit;
    QCheckBox* chkHumidity;
    TRadioGroup* rgProbeType;
    TRadioGroup* rgTimesOfUse;
    QCheckBox* chkPDF;
    QCheckBox* chkCSV;
    QCheckBox* chkTimeFormat;
    TRadioGroup* rgTimeFormat;
    QComboBox* cbbTimeZone;
    QLineEdit* edtRecordingDays;
    QLineEdit* edtRecordingInterval;
    QCheckBox* chkDelay;
    QLineEdit* edtDelayedStart;
    QTabWidget* pgc1;
    QWidget* ts1;
    QWidget* ts2;
};
