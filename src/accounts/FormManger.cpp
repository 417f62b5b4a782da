#include "FormManger.h"

#include "app/Prompt.h"
#include "data/DataModule.h"
#include "data/GridColumns.h"
#include "data/Operator.h"
#include "data/Shared.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kPrompt = QStringLiteral("Prompt");
const QString kSelectOperators = QStringLiteral("select * from Operators order by UserId");
const QString kAdministratorId = QStringLiteral("001");
constexpr int kAdministrators = 0; // role list positions; the stored RoleType is position + 1
constexpr int kOperators = 1;
constexpr int kPassWordLength = 8;
constexpr int kMobileLength = 13;

void Warn(const QString& text)
{
    ShowPrompt(text, kPrompt, MsgFlags::Ok | MsgFlags::IconWarning);
}

// A database failure: our lead-in, then the database's own message.
void ShowDatabaseError(const QString& leadIn, const QSqlError& error)
{
    ShowPrompt(leadIn + error.text(), kPrompt, MsgFlags::Ok | MsgFlags::IconError);
}

// The length of a name as the operators know it: in the Chinese code page a
// Chinese character takes two bytes, so one of them makes a valid name.
int CodePageLength(const QString& text)
{
    int length = 0;
    for (QChar c : text)
        length += c.unicode() < 0x80 ? 1 : 2;
    return length;
}

// Shows a stored value in full even where it is longer than the typing limit,
// so that writing the field back does not cut it.
void ShowStored(QLineEdit* edit, const QString& text, int limit)
{
    edit->setMaxLength(std::max<int>(limit, int(text.size())));
    edit->setText(text);
}

QString Column(const QSqlRecord& row, const char* name)
{
    const int index = row.indexOf(QLatin1String(name));
    return index < 0 ? QString() : row.value(index).toString();
}

QToolButton* ToolButton(QWidget* parent, const char* name, const char* caption, QStyle::StandardPixmap icon)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QLatin1String(caption));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setMinimumWidth(58);
    return button;
}

} // namespace

const QString TFormManger::DefaultPassword = QStringLiteral("580264");

TFormManger::TFormManger(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormManger"));
    setWindowTitle(QStringLiteral("Operators Management"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    buildGrid();
    auto* right = new QVBoxLayout;
    right->addWidget(buildToolbar());
    right->addWidget(buildDetails());
    right->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(12);
    layout->addWidget(Edb_UserM);
    layout->addLayout(right, 1);

    setEditing(false);
    setFixedSize(760, 420);
}

TFormManger::~TFormManger() = default;

void TFormManger::buildGrid()
{
    zqryUser = new QSqlQueryModel(this);
    zqryUser->setObjectName(QStringLiteral("zqryUser"));
    Edb_UserM = new QTableView(this);
    Edb_UserM->setObjectName(QStringLiteral("Edb_UserM"));
    Edb_UserM->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Edb_UserM->setSelectionBehavior(QAbstractItemView::SelectRows);
    Edb_UserM->setSelectionMode(QAbstractItemView::SingleSelection);
    Edb_UserM->setAlternatingRowColors(true);
    Edb_UserM->verticalHeader()->hide();
    // Rows of one height: the grid then never measures the rows it has not shown.
    Edb_UserM->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Edb_UserM->verticalHeader()->setDefaultSectionSize(Edb_UserM->fontMetrics().height() + 8);
    Edb_UserM->horizontalHeader()->setHighlightSections(false);
    Edb_UserM->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Edb_UserM->setFixedWidth(115 + 200 + Edb_UserM->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                             2 * Edb_UserM->frameWidth());

    reloadOperators();
    Edb_UserM->setModel(zqryUser);
    SetupGridColumns(Edb_UserM, {QStringLiteral("UserId"), QStringLiteral("UserName")},
                     {QStringLiteral("Operator ID"), QStringLiteral("Operator Name")}, {115, 200});
    // Every change of the current row, by click or by keyboard, shows that row,
    // so the fields always describe the row Delete would remove.
    connect(Edb_UserM->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    loadRow(current.row());
            });
    connect(Edb_UserM, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            loadRow(index.row());
    });
}

QWidget* TFormManger::buildToolbar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    btn_Add = ToolButton(bar, "btn_Add", "Add", QStyle::SP_FileDialogNewFolder);
    btn_modify = ToolButton(bar, "btn_modify", "Modify", QStyle::SP_FileDialogDetailedView);
    btn_cancel = ToolButton(bar, "btn_cancel", "Cancel", QStyle::SP_DialogCancelButton);
    btn_save = ToolButton(bar, "btn_save", "Save", QStyle::SP_DialogSaveButton);
    btn_delete = ToolButton(bar, "btn_delete", "Delete", QStyle::SP_TrashIcon);
    btn_exit = ToolButton(bar, "btn_exit", "Exit", QStyle::SP_DialogCloseButton);
    for (QAbstractButton* button : {btn_Add, btn_modify, btn_cancel, btn_save, btn_delete, btn_exit})
        row->addWidget(button);
    row->addStretch();

    connect(btn_Add, &QAbstractButton::clicked, this, &TFormManger::btn_AddClick);
    connect(btn_modify, &QAbstractButton::clicked, this, &TFormManger::btn_modifyClick);
    connect(btn_cancel, &QAbstractButton::clicked, this, &TFormManger::btn_cancelClick);
    connect(btn_save, &QAbstractButton::clicked, this, &TFormManger::btn_saveClick);
    connect(btn_delete, &QAbstractButton::clicked, this, &TFormManger::btn_deleteClick);
    connect(btn_exit, &QAbstractButton::clicked, this, &QDialog::reject);
    return bar;
}

QGroupBox* TFormManger::buildDetails()
{
    grp_Top = new QGroupBox(QStringLiteral("Operator Information"), this);
    grp_Top->setObjectName(QStringLiteral("grp_Top"));
    auto* grid = new QGridLayout(grp_Top);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);

    const auto edit = [this](const char* name) {
        auto* field = new QLineEdit(grp_Top);
        field->setObjectName(QLatin1String(name));
        return field;
    };
    edt_UserId = edit("edt_UserId");
    edt_UserId->setEnabled(false); // IDs are proposed, never typed
    edt_UserName = edit("edt_UserName");
    cbbRoleType = new QComboBox(grp_Top);
    cbbRoleType->setObjectName(QStringLiteral("cbbRoleType"));
    cbbRoleType->addItems({QStringLiteral("Administrators"), QStringLiteral("Operators")});
    cbbRoleType->setCurrentIndex(-1);
    edt_Mobile = edit("edt_Mobile");
    edt_Mobile->setMaxLength(kMobileLength);
    edt_Mobile->installEventFilter(this);
    // Pasted text passes no key filter.
    edt_Mobile->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edt_Mobile));
    edt_PassWord = edit("edt_PassWord");
    edt_PassWord->setMaxLength(kPassWordLength);
    edt_PassWord->setEchoMode(QLineEdit::Password);
    edt_PassWord->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    edt_DepId = edit("edt_DepId");
    edt_DepName = edit("edt_DepName");

    struct Row
    {
        const char* label;
        QString caption;
        QWidget* field;
    };
    const Row rows[] = {
        {"Label1", QStringLiteral("Operator ID"), edt_UserId},
        {"Label2", QStringLiteral("Operator Name"), edt_UserName},
        {"Label7", QStringLiteral("Authority"), cbbRoleType},
        {"Label6", QStringLiteral("Telephone"), edt_Mobile},
        {"Label5", QStringLiteral("Password"), edt_PassWord},
        {"Label3", QStringLiteral("部门编号"), edt_DepId},
        {"Label4", QStringLiteral("部门名称"), edt_DepName},
    };
    int line = 0;
    for (const Row& row : rows) {
        auto* label = new QLabel(row.caption, grp_Top);
        label->setObjectName(QLatin1String(row.label));
        label->setBuddy(row.field);
        grid->addWidget(label, line, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(row.field, line, 1);
        ++line;
    }
    // The department fields are kept with the row but not shown.
    for (QWidget* hidden : {static_cast<QWidget*>(edt_DepId), static_cast<QWidget*>(edt_DepName),
                            static_cast<QWidget*>(grp_Top->findChild<QLabel*>(QStringLiteral("Label3"))),
                            static_cast<QWidget*>(grp_Top->findChild<QLabel*>(QStringLiteral("Label4")))})
        hidden->hide();

    lblRemark = new QLabel(QStringLiteral("Hint: the default password is ") + DefaultPassword, grp_Top);
    lblRemark->setObjectName(QStringLiteral("lblRemark"));
    QPalette red = lblRemark->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    red.setColor(QPalette::Disabled, QPalette::WindowText, Qt::red);
    lblRemark->setPalette(red);
    grid->addWidget(lblRemark, line, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    setTabOrder(edt_UserName, cbbRoleType);
    setTabOrder(cbbRoleType, edt_Mobile);
    setTabOrder(edt_Mobile, edt_PassWord);
    connect(cbbRoleType, &QComboBox::activated, this, &TFormManger::cbbRoleTypeChange);
    return grp_Top;
}

bool TFormManger::reloadOperators()
{
    zqryUser->setQuery(kSelectOperators, ZConnection());
    if (zqryUser->lastError().isValid()) {
        ShowDatabaseError(QStringLiteral("Error getting user list!"), zqryUser->lastError());
        return false;
    }
    return true;
}

void TFormManger::loadRow(int row)
{
    if (row < 0 || row >= zqryUser->rowCount())
        return;
    const QSqlRecord record = zqryUser->record(row);
    // As stored, not trimmed.
    edt_UserId->setText(Column(record, "UserId"));
    edt_UserName->setText(Column(record, "UserName"));
    edt_DepId->setText(Column(record, "DepId"));
    edt_DepName->setText(Column(record, "DepName"));
    ShowStored(edt_Mobile, Column(record, "Mobile"), kMobileLength);
    const int roleColumn = record.indexOf(QStringLiteral("RoleType"));
    const int role = roleColumn < 0 ? 0 : record.value(roleColumn).toInt();
    cbbRoleType->setCurrentIndex(role == 1 || role == 2 ? role - 1 : -1);
    ShowStored(edt_PassWord, Column(record, "PassWord"), kPassWordLength);
    setEditing(false);
}

void TFormManger::selectOperator(const QString& userId)
{
    // The row's place in the grid's order, so that only the rows before it are fetched.
    QSqlQuery query(ZConnection());
    query.prepare(QStringLiteral("select count(*) from Operators where UserId < ?"));
    query.addBindValue(userId);
    if (!query.exec() || !query.next())
        return;
    const int row = query.value(0).toInt();
    QAbstractItemModel* grid = Edb_UserM->model();
    while (grid->rowCount() <= row && grid->canFetchMore({}))
        grid->fetchMore({});
    const QModelIndex index = grid->index(row, 0);
    if (!index.isValid() || TrimText(Column(zqryUser->record(row), "UserId")) != userId)
        return;
    Edb_UserM->setCurrentIndex(index);
    Edb_UserM->scrollTo(index);
}

void TFormManger::clearFields()
{
    for (QLineEdit* field : {edt_UserId, edt_UserName, edt_DepId, edt_DepName, edt_Mobile, edt_PassWord})
        field->clear();
    edt_Mobile->setMaxLength(kMobileLength);
    edt_PassWord->setMaxLength(kPassWordLength);
    cbbRoleType->setCurrentIndex(-1);
}

void TFormManger::setEditing(bool editing)
{
    // Idle fields look like the button face, editable ones like a window.
    const QColor base = editing ? palette().color(QPalette::Base) : palette().color(QPalette::Button);
    for (QWidget* control : std::initializer_list<QWidget*>{edt_UserId, edt_UserName, edt_DepId, edt_DepName,
                                                            edt_PassWord, edt_Mobile, cbbRoleType}) {
        QPalette colours = control->palette();
        colours.setColor(QPalette::Base, base);
        control->setPalette(colours);
    }
    grp_Top->setEnabled(editing);
    btn_Add->setEnabled(!editing);
    btn_modify->setEnabled(!editing);
    btn_delete->setEnabled(!editing);
    btn_cancel->setEnabled(editing);
    btn_save->setEnabled(editing);
}

void TFormManger::btn_AddClick()
{
    clearFields();
    setEditing(true);
    EditMode = 1;
    QString error;
    const QString id = NextOperatorId(&error);
    if (!error.isEmpty())
        ShowDatabaseError(QStringLiteral("Error getting the next operator ID!"), QSqlError(error));
    edt_UserId->setText(id);
    // A new operator always gets an editable default password.
    edt_PassWord->setEnabled(true);
    edt_PassWord->setText(DefaultPassword);
    cbbRoleType->setCurrentIndex(kOperators);
    edt_UserName->setFocus();
}

void TFormManger::btn_modifyClick()
{
    setEditing(true);
    // Passwords are changed by their owners only.
    edt_PassWord->setEnabled(false);
    EditMode = 2;
    edt_UserName->setFocus();
}

void TFormManger::btn_cancelClick()
{
    clearFields();
    setEditing(false);
}

void TFormManger::cbbRoleTypeChange()
{
    if (TrimText(edt_UserId->text()) != kAdministratorId)
        return;
    Warn(QStringLiteral("The Administrator authority cannot be modified!"));
    cbbRoleType->setCurrentIndex(kAdministrators);
}

bool TFormManger::nameTaken(const QString& name, const QString& exceptUserId, bool* taken)
{
    // Exact and case-sensitive, on the whole stored value.
    QSqlQuery query(ZConnection());
    if (exceptUserId.isEmpty()) {
        query.prepare(QStringLiteral("select count(*) from Operators where UserName = ?"));
        query.addBindValue(name);
    } else {
        query.prepare(QStringLiteral("select count(*) from Operators where UserName = ? and UserId <> ?"));
        query.addBindValue(name);
        query.addBindValue(exceptUserId);
    }
    if (!query.exec() || !query.next()) {
        ShowDatabaseError(QStringLiteral("Error getting user list!"), query.lastError());
        return false;
    }
    *taken = query.value(0).toInt() > 0;
    return true;
}

void TFormManger::btn_saveClick()
{
    const QString id = TrimText(edt_UserId->text());
    const QString name = TrimText(edt_UserName->text());
    if (id.size() < 2) {
        Warn(QStringLiteral("Please enter the correct operator ID!"));
        edt_UserId->setFocus();
        return;
    }
    if (CodePageLength(name) < 2) {
        Warn(QStringLiteral("Please enter the correct operator name!"));
        edt_UserName->setFocus();
        return;
    }
    const bool adding = EditMode == 1;
    // No two operators share a name: the login finds operators by name. A
    // modified operator may keep its own.
    bool taken = false;
    if (!nameTaken(name, adding ? QString() : id, &taken))
        return;
    if (taken) {
        Warn(QStringLiteral("The operator name is repeated. Please change it to another operator name!"));
        edt_UserName->setFocus();
        return;
    }
    const QString question =
        adding
            ? QStringLiteral("Are you sure you want to add operator information to the name ") + name + u'?'
            : QStringLiteral("Are you sure you want to modify operator information with ID ") + id + u'?';
    if (ShowPrompt(question, kPrompt, MsgFlags::OkCancel | MsgFlags::IconQuestion) != IdOk) {
        setEditing(false);
        return;
    }
    if (!writeOperator(adding))
        return;
    if (reloadOperators())
        selectOperator(id);
    setEditing(false);
}

bool TFormManger::writeOperator(bool adding)
{
    const QString id = TrimText(edt_UserId->text());
    QSqlQuery query(ZConnection());
    if (adding)
        query.prepare(QStringLiteral("insert into Operators(UserName, DepName, DepId, PassWord, Mobile, "
                                     "RoleType, UserId) values(?, ?, ?, ?, ?, ?, ?)"));
    else
        query.prepare(
            QStringLiteral("update Operators set UserName = ?, DepName = ?, DepId = ?, PassWord = ?, "
                           "Mobile = ?, RoleType = ? where UserId = ?"));
    query.addBindValue(TrimText(edt_UserName->text()));
    query.addBindValue(TrimText(edt_DepName->text()));
    query.addBindValue(TrimText(edt_DepId->text()));
    query.addBindValue(TrimText(edt_PassWord->text()));
    query.addBindValue(TrimText(edt_Mobile->text()));
    query.addBindValue(cbbRoleType->currentIndex() + 1); // 0 when no role is chosen
    query.addBindValue(id);
    if (!query.exec()) {
        ShowDatabaseError(QStringLiteral("Failed to save the operator information!"), query.lastError());
        return false;
    }
    if (!adding && query.numRowsAffected() == 0) {
        // Deleted since it was loaded; stay editing so nothing typed is lost.
        Warn(QStringLiteral("The operator with ID ") + id + QStringLiteral(" no longer exists!"));
        return false;
    }
    return true;
}

void TFormManger::btn_deleteClick()
{
    if (zqryUser->rowCount() == 0)
        return;
    const QString id = TrimText(edt_UserId->text());
    if (id.isEmpty()) {
        Warn(QStringLiteral("Please select the operator to delete!"));
        return;
    }
    if (id == kAdministratorId) {
        Warn(QStringLiteral("Administrator cannot be deleted!"));
        return;
    }
    if (ShowPrompt(QStringLiteral("Are you sure you want to delete the operator whose name is ") +
                       TrimText(edt_UserName->text()) + u'?',
                   kPrompt, MsgFlags::OkCancel | MsgFlags::IconQuestion) != IdOk)
        return;
    // The row the fields show, which is the grid's current row.
    QSqlQuery query(ZConnection());
    query.prepare(QStringLiteral("delete from Operators where UserId = ?"));
    query.addBindValue(id);
    if (!query.exec()) {
        ShowDatabaseError(QStringLiteral("Failed to delete the operator!"), query.lastError());
        return;
    }
    reloadOperators();
    clearFields();
    setEditing(false);
}

bool TFormManger::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edt_Mobile && event->type() == QEvent::KeyPress) {
        // Digits and backspace only; keys that type nothing (arrows, Delete) are not typing.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        for (QChar c : text) {
            if (!(c >= u'0' && c <= u'9') && c != u'\b')
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
