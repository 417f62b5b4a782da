#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The logged-in operator's own password change. The old password is checked
// against the one given at login (CurrentOperator), the new one is written to
// Operators and becomes the old one for the next change; every attempt that
// reaches the database is logged.
class TFrmChangePW : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFrmChangePW)

public:
    explicit TFrmChangePW(QWidget* parent = nullptr);
    ~TFrmChangePW() override;

    void BitBtn1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edt_OldPW = nullptr;
    QLineEdit* edt_NewPW = nullptr;
    QLineEdit* edt_ConfirmPW = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
