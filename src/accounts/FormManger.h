#pragma once

#include <QDialog>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSqlQueryModel;
class QTableView;

// Operators management: the grid of Operators and the detail fields with
// which an administrator adds, modifies and deletes operator accounts. The
// administrator "001" can be neither deleted nor given another role.
class TFormManger : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormManger)

public:
    explicit TFormManger(QWidget* parent = nullptr);
    ~TFormManger() override;

    // The password every new operator starts with.
    static const QString DefaultPassword;

    // 0 at creation, 1 = adding, 2 = modifying.
    int EditMode = 0;

    void btn_AddClick();
    void btn_modifyClick();
    void btn_saveClick();
    void btn_deleteClick();
    void btn_cancelClick();
    void cbbRoleTypeChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid();
    QWidget* buildToolbar();
    QGroupBox* buildDetails();

    // Runs the grid's query again; false (and a message) when it cannot be read.
    bool reloadOperators();
    void loadRow(int row);
    void selectOperator(const QString& userId);
    void clearFields();
    void setEditing(bool editing);
    bool nameTaken(const QString& name, const QString& exceptUserId, bool* taken);
    bool writeOperator(bool adding);

    QSqlQueryModel* zqryUser = nullptr;
    QTableView* Edb_UserM = nullptr;
    QAbstractButton* btn_Add = nullptr;
    QAbstractButton* btn_modify = nullptr;
    QAbstractButton* btn_cancel = nullptr;
    QAbstractButton* btn_save = nullptr;
    QAbstractButton* btn_delete = nullptr;
    QAbstractButton* btn_exit = nullptr;
    QGroupBox* grp_Top = nullptr;
    QLineEdit* edt_UserId = nullptr;
    QLineEdit* edt_UserName = nullptr;
    QComboBox* cbbRoleType = nullptr;
    QLineEdit* edt_Mobile = nullptr;
    QLineEdit* edt_PassWord = nullptr;
    QLineEdit* edt_DepId = nullptr;
    QLineEdit* edt_DepName = nullptr;
    QLabel* lblRemark = nullptr;
};
