#pragma once

#include <QDialog>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The connection settings dialog: shows the stored SQL Server values, tests
// the connection with the values typed and, when it opens, stores them
// scrambled in Config.ini. SettingsSaved tells the caller whether that happened.
class TDbSetForm : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDbSetForm)

public:
    explicit TDbSetForm(QWidget* parent = nullptr);
    ~TDbSetForm() override;

    bool SettingsSaved = false;

    void FormShow();
    void btn_okClick();
    void btnCancelClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* addField(QGridLayout* grid, const char* labelName, const QString& caption,
                        const char* editName, int maxLength);

    QLineEdit* edt_MTIIP = nullptr;
    QLineEdit* edt_MTIPORT = nullptr;
    QLineEdit* edt_UserName = nullptr;
    QLineEdit* edt_PassWord = nullptr;
    QLineEdit* edt_CId = nullptr;
    QCheckBox* chk_Auto = nullptr;
    QPushButton* btn_ok = nullptr;
    QPushButton* btnCancel = nullptr;
};
