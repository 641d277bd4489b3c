#include "emulator/OrvekDialogs.h"

#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/OrvekSettings.h"
#include "platform/Guard.h"
#include "platform/Hook.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NamedControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
using P = OrvekProp;

int DefaultRun(QDialog& dialog)
{
    if (dynamic_cast<Dialogs::ScriptedDialogs*>(&Dialogs::Current()))
        return QDialog::Rejected;
    return dialog.exec();
}

THook<OrvekDialogRunner>& RunnerHook()
{
    static THook<OrvekDialogRunner> hook(DefaultRun);
    return hook;
}

QWidget* ParentOf(const OrvekPropertyStore& props)
{
    WId handle = WId(props.Int(P::ParentWnd));
    return handle ? QWidget::find(handle) : nullptr;
}

struct ConnectionTypeItem {
    int Value;
    const char* Text;
};
const ConnectionTypeItem ConnectionTypes[] = {
    {0, "Локально (COM порт)"}, {1, "Сервер ККТ (COM порт)"}, {2, "Сервер ККТ (COM порт, TCP)"}, {6, "TCP сокет"},
};
} // namespace

OrvekDialogRunner SetOrvekDialogRunner(OrvekDialogRunner runner)
{
    return RunnerHook().Set(std::move(runner));
}

int RunOrvekDialog(QDialog& dialog)
{
    return RunnerHook().Get()(dialog);
}

TfmOrvekProperties::TfmOrvekProperties(OrvekPropertyStore& props, QWidget* parent)
    : QDialog(parent), FProps(props)
{
    setObjectName(QStringLiteral("fmOrvekProperties"));
    setWindowTitle(QStringLiteral("Свойства драйвера"));
    auto* form = new QFormLayout;
    cbConnectionType = new QComboBox(this);
    cbConnectionType->setObjectName(QStringLiteral("cbConnectionType"));
    for (const auto& t : ConnectionTypes)
        cbConnectionType->addItem(QStringLiteral("%1 - %2").arg(t.Value).arg(QString::fromUtf8(t.Text)), t.Value);
    form->addRow(QStringLiteral("Тип подключения:"), cbConnectionType);
    seComNumber = new QSpinBox(this);
    seComNumber->setObjectName(QStringLiteral("seComNumber"));
    seComNumber->setRange(1, 256);
    seComNumber->setPrefix(QStringLiteral("COM"));
    form->addRow(QStringLiteral("Порт:"), seComNumber);
    cbBaudRate = new QComboBox(this);
    cbBaudRate->setObjectName(QStringLiteral("cbBaudRate"));
    for (int code = 0; code <= 9; ++code)
        cbBaudRate->addItem(QString::number(EmulatedOrvek::BaudOfCode(code)), code);
    form->addRow(QStringLiteral("Скорость:"), cbBaudRate);
    seTimeout = new QSpinBox(this);
    seTimeout->setObjectName(QStringLiteral("seTimeout"));
    seTimeout->setRange(0, 600000);
    seTimeout->setSuffix(QStringLiteral(" мс"));
    form->addRow(QStringLiteral("Таймаут:"), seTimeout);
    edtIPAddress = NewEdit(this, "edtIPAddress");
    form->addRow(QStringLiteral("IP адрес:"), edtIPAddress);
    edtComputerName = NewEdit(this, "edtComputerName");
    form->addRow(QStringLiteral("Имя компьютера:"), edtComputerName);
    chbUseIPAddress = new QCheckBox(QStringLiteral("Использовать IP адрес"), this);
    chbUseIPAddress->setObjectName(QStringLiteral("chbUseIPAddress"));
    form->addRow(QString(), chbUseIPAddress);
    seTCPPort = new QSpinBox(this);
    seTCPPort->setObjectName(QStringLiteral("seTCPPort"));
    seTCPPort->setRange(0, 65535);
    form->addRow(QStringLiteral("TCP порт:"), seTCPPort);
    seTCPConnectionTimeout = new QSpinBox(this);
    seTCPConnectionTimeout->setObjectName(QStringLiteral("seTCPConnectionTimeout"));
    seTCPConnectionTimeout->setRange(0, 600000);
    seTCPConnectionTimeout->setSuffix(QStringLiteral(" мс"));
    form->addRow(QStringLiteral("Таймаут TCP:"), seTCPConnectionTimeout);
    edtPassword = NewEdit(this, "edtPassword");
    edtPassword->setValidator(new QIntValidator(0, 99999999, edtPassword));
    form->addRow(QStringLiteral("Пароль:"), edtPassword);

    auto* btnCheckConnection = new QPushButton(QStringLiteral("Проверка связи"), this);
    btnCheckConnection->setObjectName(QStringLiteral("btnCheckConnection"));
    lblCheckResult = new QLabel(this);
    lblCheckResult->setObjectName(QStringLiteral("lblCheckResult"));
    lblCheckResult->setWordWrap(true);
    auto* check = new QHBoxLayout;
    check->addWidget(btnCheckConnection);
    check->addWidget(lblCheckResult, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(check);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(btnCheckConnection, &QPushButton::clicked, this, Guarded(this, &TfmOrvekProperties::btnCheckConnectionClick));
    connect(cbConnectionType, &QComboBox::currentIndexChanged, this, Guarded(this, &TfmOrvekProperties::UpdateControls));
    LoadParams();
    Dialogs::KeepTitleWhole(this);
}

void TfmOrvekProperties::LoadParams()
{
    // A type or baud-rate code the lists do not name is shown as it is and
    // kept, so that OK without a change changes nothing.
    const int type = FProps.Int(P::ConnectionType);
    if (cbConnectionType->findData(type) < 0)
        cbConnectionType->addItem(QString::number(type), type);
    cbConnectionType->setCurrentIndex(cbConnectionType->findData(type));
    seComNumber->setValue(FProps.Int(P::ComNumber));
    const int baud = FProps.Int(P::BaudRate);
    if (cbBaudRate->findData(baud) < 0)
        cbBaudRate->addItem(QStringLiteral("? (%1)").arg(baud), baud);
    cbBaudRate->setCurrentIndex(cbBaudRate->findData(baud));
    seTimeout->setValue(FProps.Int(P::Timeout));
    edtIPAddress->setText(FProps.Str(P::IPAddress));
    edtComputerName->setText(FProps.Str(P::ComputerName));
    chbUseIPAddress->setChecked(FProps.Bool(P::UseIPAddress));
    seTCPPort->setValue(FProps.Int(P::TCPPort));
    seTCPConnectionTimeout->setValue(FProps.Int(P::TCPConnectionTimeout));
    edtPassword->setText(QString::number(FProps.Int(P::Password)));
    UpdateControls();
}

void TfmOrvekProperties::UpdateControls()
{
    const int type = cbConnectionType->currentData().toInt();
    const bool tcp = type == 6;
    seComNumber->setEnabled(!tcp);
    cbBaudRate->setEnabled(!tcp);
    edtIPAddress->setEnabled(tcp);
    edtComputerName->setEnabled(tcp || type == 1 || type == 2);   // the register's server
    chbUseIPAddress->setEnabled(tcp);
    seTCPPort->setEnabled(tcp);
    seTCPConnectionTimeout->setEnabled(tcp);
}

void TfmOrvekProperties::StoreInto(OrvekPropertyStore& props) const
{
    props.Set(P::ConnectionType, cbConnectionType->currentData().toInt());
    props.Set(P::ComNumber, seComNumber->value());
    props.Set(P::BaudRate, cbBaudRate->currentData().toInt());
    props.Set(P::Timeout, seTimeout->value());
    props.Set(P::IPAddress, edtIPAddress->text().trimmed());
    props.Set(P::ComputerName, edtComputerName->text().trimmed());
    props.Set(P::UseIPAddress, chbUseIPAddress->isChecked());
    props.Set(P::TCPPort, seTCPPort->value());
    props.Set(P::TCPConnectionTimeout, seTCPConnectionTimeout->value());
    bool ok = false;
    int password = edtPassword->text().toInt(&ok);
    if (ok)
        props.Set(P::Password, password);
}

void TfmOrvekProperties::StoreParams()
{
    StoreInto(FProps);
}

void TfmOrvekProperties::btnCheckConnectionClick()
{
    OrvekPropertyStore trial = FProps;
    StoreInto(trial);
    auto reg = EmulatedOrvek::AddressedRegister(trial);
    if (!reg) {
        lblCheckResult->setText(OrvekResultDescription(OrvekResult::NoLink));
        return;
    }
    lblCheckResult->setText(QStringLiteral("Связь установлена: %1, заводской номер %2")
                                .arg(reg->Config().Description, reg->Config().Serial));
}

TfmOrvekTables::TfmOrvekTables(EmulatedRegister& reg, QWidget* parent) : QDialog(parent), FRegister(reg)
{
    setObjectName(QStringLiteral("fmOrvekTables"));
    setWindowTitle(QStringLiteral("Таблицы"));
    resize(960, 520);
    lvTables = new QTreeWidget(this);
    lvTables->setObjectName(QStringLiteral("lvTables"));
    lvTables->setHeaderLabels({QStringLiteral("№"), QStringLiteral("Таблица"), QStringLiteral("Рядов"),
                               QStringLiteral("Полей")});
    lvTables->setRootIsDecorated(false);
    for (int n = 1; n <= FRegister.Tables().Count(); ++n) {
        const DeviceTable* t = FRegister.Tables().Find(n);
        auto* item = new QTreeWidgetItem(lvTables, {QString::number(n), t->Name, QString::number(t->Rows),
                                                    QString::number(t->Fields.size())});
        item->setData(0, Qt::UserRole, n);
    }
    for (int column = 0; column < lvTables->columnCount(); ++column)
        lvTables->resizeColumnToContents(column);
    seRow = new QSpinBox(this);
    seRow->setObjectName(QStringLiteral("seRow"));
    seRow->setRange(1, 1);
    lvFields = new QTreeWidget(this);
    lvFields->setObjectName(QStringLiteral("lvFields"));
    lvFields->setHeaderLabels({QStringLiteral("№"), QStringLiteral("Поле"), QStringLiteral("Тип"),
                               QStringLiteral("Значение")});
    lvFields->setRootIsDecorated(false);
    lvFields->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("btnClose"));
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));

    auto* rowLine = new QHBoxLayout;
    rowLine->addWidget(new QLabel(QStringLiteral("Ряд:"), this));
    rowLine->addWidget(seRow);
    rowLine->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addLayout(rowLine);
    right->addWidget(lvFields, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(lvTables, 4);
    body->addLayout(right, 5);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lvTables, &QTreeWidget::currentItemChanged, this, Guarded([this] {
                auto lock = FRegister.Lock();
                const DeviceTable* t = FRegister.Tables().Find(lvTables->currentItem()->data(0, Qt::UserRole).toInt());
                seRow->setRange(1, std::max(t ? t->Rows : 1, 1));
                seRow->setValue(1);
                ShowTable();
            }));
    connect(seRow, &QSpinBox::valueChanged, this, Guarded(this, &TfmOrvekTables::ShowTable));
    connect(lvFields, &QTreeWidget::itemDoubleClicked, this, Guarded([this](QTreeWidgetItem* item) {
                lvFields->editItem(item, 3);
            }));
    connect(lvFields, &QTreeWidget::itemChanged, this, Guarded(this, &TfmOrvekTables::lvFieldsItemChanged));
    if (lvTables->topLevelItemCount() > 0)
        lvTables->setCurrentItem(lvTables->topLevelItem(0));
    Dialogs::KeepTitleWhole(this);
}

void TfmOrvekTables::ShowTable()
{
    FFilling = true;
    lvFields->clear();
    auto lock = FRegister.Lock();
    QTreeWidgetItem* current = lvTables->currentItem();
    const DeviceTable* t = current ? FRegister.Tables().Find(current->data(0, Qt::UserRole).toInt()) : nullptr;
    if (t) {
        for (int f = 1; f <= int(t->Fields.size()); ++f) {
            const TableField& field = t->Fields[std::size_t(f - 1)];
            QString type = field.IsString ? QStringLiteral("строка[%1]").arg(field.Size)
                                          : QStringLiteral("число %1..%2").arg(field.Min).arg(field.Max);
            auto* item = new QTreeWidgetItem(lvFields, {QString::number(f), field.Name, type,
                                                        FRegister.Tables().Value(t->Number, seRow->value(), f).toString()});
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
        for (int column = 0; column < 3; ++column)
            lvFields->resizeColumnToContents(column);
    }
    FFilling = false;
}

void TfmOrvekTables::lvFieldsItemChanged(QTreeWidgetItem* item, int column)
{
    if (FFilling || column != 3)
        return;
    auto lock = FRegister.Lock();
    int table = lvTables->currentItem()->data(0, Qt::UserRole).toInt();
    int field = item->text(0).toInt();
    const TableField* f = FRegister.Tables().Field(table, field);
    QVariant value = item->text(3);
    if (f && !f->IsString) {
        bool ok = false;
        value = item->text(3).trimmed().toInt(&ok);
        if (!ok)
            value = QVariant(qlonglong(f->Max) + 1);  // refused below
    }
    std::int32_t code = FRegister.Tables().Write(table, seRow->value(), field, value);
    if (code != OrvekResult::Ok) {
        // The editor that brought the value is still being closed: the list
        // is refilled (and the refusal shown) once the view is done with it.
        QMetaObject::invokeMethod(
            this,
            [this, code] {
                RunGuarded([this, code] {
                    ShowTable();
                    Dialogs::ShowError(QStringLiteral("(%1) %2").arg(code).arg(OrvekResultDescription(code)));
                });
            },
            Qt::QueuedConnection);
    }
}

namespace {
// Writes the settings file; a failure is the call's result, with the reason.
std::int32_t SaveSettings(OrvekCall& c)
{
    const QString error = SaveOrvekSettings(c.Props);
    if (error.isEmpty())
        return OrvekResult::Ok;
    c.Description = OrvekResultDescription(OrvekResult::SettingsNotSaved) + QStringLiteral(": ") + error;
    return OrvekResult::SettingsNotSaved;
}

std::int32_t ShowProperties(OrvekCall& c)
{
    TfmOrvekProperties dialog(c.Props, ParentOf(c.Props));
    if (RunOrvekDialog(dialog) != QDialog::Accepted)
        return OrvekResult::Ok;
    dialog.StoreParams();
    return SaveSettings(c);
}

std::int32_t ShowTablesDlg(OrvekCall& c)
{
    TfmOrvekTables dialog(c.Reg(), ParentOf(c.Props));
    RunOrvekDialog(dialog);
    return OrvekResult::Ok;
}

} // namespace

void AddDialogHandlers(OrvekHandlerTable& t)
{
    t.Add(OrvekMethod::ShowProperties, OrvekAccess::Local, 0, &ShowProperties);
    t.Add(OrvekMethod::ShowTablesDlg, OrvekAccess::Device, 0x2D, &ShowTablesDlg);
    t.Add(OrvekMethod::SaveParams, OrvekAccess::Local, 0, &SaveSettings);
}
