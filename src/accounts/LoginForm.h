#pragma once

#include <QDialog>
#include <QSqlRecord>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TPictureButton;

// The login window of the start-up sequence. Ends with Accepted only after a
// successful login, CurrentOperator filled and the "Login system" row logged.
class TLoginForm : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLoginForm)

public:
    explicit TLoginForm(QWidget* parent = nullptr);
    ~TLoginForm() override;

    void FormShow();
    void edt_UserIdExit();
    void edt_UserNameChange();
    void sbLoginClick();
    void sbCancelClick();
    void btn_1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusNext(bool forward);
    // The row of the operator with this ID; on a database error or an unknown
    // ID the user has been told (and the focus is back in the ID field).
    std::optional<QSqlRecord> LookUpOperator(const QString& id);

    QLineEdit* edt_UserId = nullptr;
    QComboBox* edt_UserName = nullptr;
    QLineEdit* edt_PassWord = nullptr;
    TPictureButton* sbLogin = nullptr;
    TPictureButton* sbCancel = nullptr;
    QToolButton* btn_1 = nullptr;
};
