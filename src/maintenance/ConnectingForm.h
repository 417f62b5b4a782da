#pragma once

#include <QDialog>

class QLabel;
class QTimer;
class TSpinner;

// The splash shown while the database connection opens at start-up. One
// second after it is shown it connects (blocking), records the outcome in
// ConnectOk and closes.
class TConnectingForm : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TConnectingForm)

public:
    explicit TConnectingForm(QWidget* parent = nullptr);
    ~TConnectingForm() override;

    bool ConnectOk = false;

    // The timer's tick: connect with the values of Config.ini and close.
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_label = nullptr;
    TSpinner* m_animation = nullptr;
    QTimer* m_timer = nullptr;
};
