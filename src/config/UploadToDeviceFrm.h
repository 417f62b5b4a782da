#pragma once

#include <QDialog>

class QLineEdit;
class TConfigEditor;

// The upload window: the shared editor, with a bottom panel under the alarm
// tabs that loads a saved profile into the editor, chooses the logger's
// directory and writes SETTING.txt into it. Both paths are remembered in
// Config.ini; the window stays open after an upload for the next logger.
class TUploadToDeviceFrm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TUploadToDeviceFrm)

public:
    static constexpr int kAlarmAreaHeight = 411;
    static constexpr int kClientWidth = 1303;
    static constexpr int kClientHeight = 606;
    static constexpr int kBottomPanelHeight = 134;

    explicit TUploadToDeviceFrm(QWidget* parent = nullptr);
    ~TUploadToDeviceFrm() override;

    TConfigEditor* editor() const { return m_editor; }

    // Remembers the path, loads the profile into the editor's controls and
    // tells the operator the outcome, once.
    void ReadProfile(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void btnSelectClick();
    void btnSelectDeviceClick();
    void btnUploadClick();
    void btn1Click();

    // The folder browser; a chosen folder goes into edtDevicePath. Whatever
    // the field then holds is remembered as the device path.
    void chooseDeviceDirectory();

    TConfigEditor* m_editor = nullptr;
    QLineEdit* edtLoadPath = nullptr;
    QLineEdit* edtDevicePath = nullptr;
    bool m_shown = false;
};
