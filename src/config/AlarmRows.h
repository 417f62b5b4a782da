#pragma once

#include "config/IndicatorSettings.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QScrollArea;
class QWidget;
class TRadioGroup;
class TUpDown;

// The controls of one alarm row, placed in its 96-pixel band of the set's
// panel. Names carry the row number and, for humidity, the suffix "_HU".
struct TAlarmRow
{
    TAlarmRow(QWidget* panel, SettingsField::Set set, int number);

    int number = 0;
    QFrame* bvl = nullptr; // rows 2 to 8 only
    QCheckBox* chkAlarm = nullptr;
    TRadioGroup* rgAlarm = nullptr;
    QLineEdit* edtAlarmTemperature = nullptr;
    TUpDown* udAlarmTemperature = nullptr;
    QLabel* lblAlarm = nullptr;
    QLabel* lblAfter = nullptr;
    QLineEdit* edtAlarmTime = nullptr;
    TUpDown* udAlarmTime = nullptr;
    QComboBox* cbbAlarmCondition = nullptr;
    QLabel* lblAlarmTime = nullptr;

    QList<QWidget*> valueControls() const;
    QList<QWidget*> shownControls() const;
    void setShown(bool shown) const;
    void setValuesEnabled(bool enabled) const;

    TAlarmRule rule() const;
};

// One alarm set: eight rows on the panel inside the tab's scroll area. Rows
// appear one after another as the row above is switched on; the panel grows
// with the visible rows and the scroll bar appears only when they no longer
// fit. Every behaviour runs from the controls' own signals, so a caller that
// ticks a switch or types a time gets exactly what an operator gets.
class TAlarmRowSet final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAlarmRowSet)

public:
    static constexpr int kRowCount = 8;
    static constexpr int kRowHeight = 96;
    static constexpr int kFirstRowHeight = 100;

    // Builds the scroll area (named scrlbxAlarm or scrlbxAlarm_HU) with its
    // panel and rows. The panels of both sets are sized against the height of
    // heightReference, the temperature set's scroll area (nullptr: this set's own).
    TAlarmRowSet(SettingsField::Set set, int areaHeight, QScrollArea* heightReference, QWidget* parent);
    ~TAlarmRowSet() override;

    SettingsField::Set set() const { return m_set; }
    QScrollArea* scrollArea() const { return m_scrollArea; }
    QWidget* panel() const { return m_panel; }
    const TAlarmRow& row(int number) const { return *m_rows.at(number - 1); }

    // Refills every condition list without running its change handler.
    void FillAlarmConditions();
    // Shows and enables rows below a switched-on row, or hides and switches
    // off the rows below a switched-off one; then sizes the panel.
    void CascadeAlarmRows(int number, bool on);
    // The caption beside the row's time, and the step of its time spinner.
    void RefreshAlarmTimeCaption(int number);
    // One click on the threshold spinner: 0.1 up or down within the limits.
    void StepAlarmThreshold(int number, bool up);

    // Unit label text and threshold spinner limits of every row.
    void setUnit(const QString& label, int minimum, int maximum);
    // Rewrites every row's threshold (visible or not) through the conversion.
    // Texts that are no number are left as they are and reported one by one.
    void convertThresholds(double (*convert)(double));

    TAlarmSet rules() const;
    int visibleRows() const;

private:
    void conditionChosen(int number, int index);
    void sizePanel(int visibleRows);
    void stretchSeparators();
    bool eventFilter(QObject* watched, QEvent* event) override;

    SettingsField::Set m_set;
    QScrollArea* m_scrollArea = nullptr;
    QScrollArea* m_heightReference = nullptr;
    QWidget* m_panel = nullptr;
    std::array<std::unique_ptr<TAlarmRow>, kRowCount> m_rows;
};
