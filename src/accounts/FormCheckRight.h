#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// What the last administrator check accepted: 0 nothing (cancelled, closed or
// not answered), 1 the code of the day, 2 the fixed administrator password,
// 3 the logged-in operator's own password. Reset each time the dialog is shown.
int& CheckRightResult();

// The fixed administrator password.
extern const QString AdministratorPassword;

// Asks for a password before a maintenance action; closes once a password of
// one of the three kinds is given (see CheckRightResult).
class TFormCheckRight : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormCheckRight)

public:
    explicit TFormCheckRight(QWidget* parent = nullptr);
    ~TFormCheckRight() override;

    void btn_OKClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edt_PSW = nullptr;
    QPushButton* btn_OK = nullptr;
    QPushButton* btn_Exit = nullptr;
};

// Shows the check modally and tells whether it passed for the mode:
//   2: the code of the day or the fixed administrator password;
//   3: any of the three kinds;
//   any other mode: the code of the day only.
bool CheckAdministratorRight(int mode);
