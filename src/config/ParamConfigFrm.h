#pragma once

#include <QDialog>

class QPushButton;
class TConfigEditor;

// The parameter configuration window: the shared editor and a bottom bar
// whose "Save As Profile" writes the settings text and then the workbook.
class TParamConfigFrm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TParamConfigFrm)

public:
    static constexpr int kAlarmAreaHeight = 547;
    static constexpr int kClientWidth = 1296;
    static constexpr int kClientHeight = 654;

    explicit TParamConfigFrm(QWidget* parent = nullptr);
    ~TParamConfigFrm() override;

    TConfigEditor* editor() const { return m_editor; }

    // "Save As Profile": check, settings text, workbook, "Save successed!".
    void SaveAsProfile();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnSaveClick();
    void btn1Click();

    TConfigEditor* m_editor = nullptr;
    bool m_shown = false;
};
