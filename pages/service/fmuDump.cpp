#include "pages/service/fmuDump.h"

#include "core/support/FileUtils.h"
#include "core/support/Format.h"
#include "core/support/StrictHex.h"
#include "platform/AtomicFile.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"

#include <QDir>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QShortcut>
#include <QTableView>
#include <cstring>

namespace {
const QString FileFilter = Dialogs::AllFilesFilter();
constexpr int OffsetColumnWidth = 60;
constexpr int ByteColumnWidth = 20;
constexpr int RowHeight = 18;

QString HexByte(quint8 b)
{
    static const char digits[] = "0123456789ABCDEF";
    const char text[2] = {digits[b >> 4], digits[b & 15]};
    return QString::fromLatin1(text, 2);
}
} // namespace

qsizetype DumpRowCount(qsizetype Size)
{
    return std::max<qsizetype>(1, (Size + DumpColumns - 1) / DumpColumns);
}

QString DumpOffsetText(qsizetype Offset)
{
    return Format(QStringLiteral("%.6x"), {qint64(Offset)});
}

std::optional<qsizetype> ParseDumpOffset(const QString& Text, qsizetype Size)
{
    QString text = Text.trimmed();
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = text.mid(2);
    if (text.isEmpty() || text.size() > 16)
        return std::nullopt;
    bool ok = false;
    const qulonglong offset = text.toULongLong(&ok, 16);
    if (!ok || offset >= qulonglong(std::max<qsizetype>(Size, 1)))
        return std::nullopt;
    return qsizetype(offset);
}

namespace {
// The first place of Pattern in Data[From, To); -1 when none.
qsizetype FindIn(const QByteArray& Data, const QByteArray& Pattern, qsizetype From, qsizetype To)
{
    if (To - From < Pattern.size())
        return -1;
    const void* at = memmem(Data.constData() + From, std::size_t(To - From), Pattern.constData(),
                            std::size_t(Pattern.size()));
    return at ? static_cast<const char*>(at) - Data.constData() : -1;
}
} // namespace

qsizetype FindDumpBytes(const QByteArray& Data, const QByteArray& Pattern, qsizetype From)
{
    if (Pattern.isEmpty() || Data.isEmpty())
        return -1;
    From = std::clamp<qsizetype>(From, 0, Data.size());
    const qsizetype at = FindIn(Data, Pattern, From, Data.size());
    if (at >= 0 || From == 0)
        return at;
    // Wrapped: a place that starts before From.
    return FindIn(Data, Pattern, 0, std::min(Data.size(), From + Pattern.size() - 1));
}

void SaveDumpFile(const QString& FileName, const QByteArray& Data)
{
    const QString error = WriteFileAtomically(FileName, Data);
    if (!error.isEmpty())
        throw EFCreateError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(FileName), error));
}

void TDumpModel::SetDump(QByteArray Dump)
{
    beginResetModel();
    FDump = std::move(Dump);
    endResetModel();
}

int TDumpModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(DumpRowCount(FDump.size()));
}

int TDumpModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : DumpColumns;
}

QVariant TDumpModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const qsizetype at = qsizetype(index.row()) * DumpColumns + index.column();
    if (at >= FDump.size())
        return QString();
    return HexByte(quint8(FDump[at]));
}

QVariant TDumpModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return HexByte(quint8(section));
    return DumpOffsetText(qsizetype(section) * DumpColumns);
}

TfmDump::TfmDump(QWidget* owner) : TBaseForm(owner)
{
    setObjectName(QStringLiteral("fmDump"));
    setWindowTitle(QStringLiteral("Дамп"));
    setWindowFlag(Qt::Dialog);
    using T = TfmDump;
    TFormBuilder<T> form(this);
    auto top = form.Columns();
    top.Buttons(1, {{NAMED(btnSave), "Сохранить", &T::btnSaveClick, {}, TRun::Plain}});
    top.Buttons(1, {{NAMED(btnCompare), "Сравнить с эталоном", &T::btnCompareClick, {}, TRun::Plain}});
    top.Edit(NAMED(edtOffset), QStringLiteral("Смещение, HEX:"));
    top.Buttons(1, {{NAMED(btnGoTo), "Перейти", &T::btnGoToClick, {}, TRun::Plain}});
    top.Edit(NAMED(edtFind), QStringLiteral("Байты, HEX:"));
    top.Buttons(1, {{NAMED(btnFind), "Найти", &T::btnFindClick, {}, TRun::Plain}});
    top.Space();
    connect(edtOffset, &QLineEdit::returnPressed, btnGoTo, &QPushButton::click);
    connect(edtFind, &QLineEdit::returnPressed, btnFind, &QPushButton::click);
    // Ctrl+G and Ctrl+F go to the boxes; F3 finds the next place.
    const auto focus = [](QLineEdit* edit) {
        edit->setFocus();
        edit->selectAll();
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this), &QShortcut::activated, this,
            [=, this] { focus(edtOffset); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this), &QShortcut::activated, this, [=, this] { focus(edtFind); });
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, btnFind, &QPushButton::click);

    Model = new TDumpModel(this);
    Grid = form.Whole(NewControl<QTableView>(this, "Grid"));
    form.Stretch(Grid);
    Grid->setModel(Model);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    Grid->setFont(font);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    Grid->setWordWrap(false);
    const QFontMetrics metrics(font);
    QHeaderView* rows = Grid->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(std::max(RowHeight, metrics.height() + 2));
    rows->setMinimumWidth(std::max(OffsetColumnWidth, metrics.horizontalAdvance(QStringLiteral("000000")) + 12));
    QHeaderView* columns = Grid->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setMinimumSectionSize(1);
    columns->setDefaultSectionSize(std::max(ByteColumnWidth, metrics.horizontalAdvance(QStringLiteral("00")) + 8));
    Grid->setMinimumWidth(rows->minimumWidth() + DumpColumns * columns->defaultSectionSize() + 40);
    resize(Grid->minimumWidth() + 40, 500);
    Dialogs::KeepTitleWhole(this);
}

void TfmDump::SetDump(const QByteArray& Dump, const TDeviceRec& Device)
{
    FDump = Dump;
    FDevice = Device;
}

void TfmDump::UpdatePage()
{
    Model->SetDump(FDump);
}

qsizetype TfmDump::CurrentOffset() const
{
    const QModelIndex current = Grid->currentIndex();
    return current.isValid() ? qsizetype(current.row()) * DumpColumns + current.column() : 0;
}

void TfmDump::SelectBytes(qsizetype Offset, qsizetype Count)
{
    const auto cell = [this](qsizetype at) { return Model->index(int(at / DumpColumns), int(at % DumpColumns)); };
    const QModelIndex first = cell(Offset);
    Grid->setCurrentIndex(first);
    QItemSelection selection;
    // One range per row the bytes cover.
    for (qsizetype at = Offset; at < Offset + Count;) {
        const qsizetype rowEnd = std::min(Offset + Count, (at / DumpColumns + 1) * DumpColumns);
        selection.select(cell(at), cell(rowEnd - 1));
        at = rowEnd;
    }
    Grid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    Grid->scrollTo(first, QAbstractItemView::PositionAtCenter);
}

void TfmDump::btnSaveClick()
{
    const QString fileName = Dialogs::SaveFileName(QString(), FileFilter);
    if (!fileName.isEmpty())
        SaveDumpFile(fileName, FDump);
}

void TfmDump::btnCompareClick()
{
    const QString fileName = Dialogs::OpenFileName(QStringLiteral("Выбрать эталонный файл"), FileFilter);
    if (fileName.isEmpty())
        return;
    // A file larger than the dump is not the same: it is not read.
    TFileRead read = ReadFileBounded(fileName, FDump.size());
    if (read.status != TFileRead::Ok && read.status != TFileRead::TooLarge)
        throw EFOpenError(FileReadError(fileName, read, FDump.size()));
    const bool same = read.status == TFileRead::Ok && read.bytes == FDump;
    Dialogs::MessageBox(same ? QStringLiteral("Прошивка совпадает с эталонной.")
                             : QStringLiteral("Прошивка не совпадает с эталонной."),
                        ApplicationTitle(), Dialogs::Buttons::Ok);
}

void TfmDump::btnGoToClick()
{
    const std::optional<qsizetype> offset = ParseDumpOffset(edtOffset->text(), FDump.size());
    if (!offset)
        throw EConvertError(QStringLiteral("Смещение \"%1\" не в HEX или за концом дампа (размер %2 байт)")
                                .arg(edtOffset->text())
                                .arg(FDump.size()));
    SelectBytes(*offset, 1);
}

void TfmDump::btnFindClick()
{
    const QByteArray pattern = HexToStrStrict(edtFind->text());
    if (pattern.isEmpty())
        throw EConvertError(QStringLiteral("Введите искомые байты в HEX"));
    const QModelIndex current = Grid->currentIndex();
    const qsizetype from = current.isValid() ? CurrentOffset() + 1 : 0;
    const qsizetype at = FindDumpBytes(FDump, pattern, from);
    if (at < 0) {
        Dialogs::MessageBox(QStringLiteral("Байты не найдены."), ApplicationTitle(), Dialogs::Buttons::Ok,
                            Dialogs::Icon::Information);
        return;
    }
    SelectBytes(at, pattern.size());
}

void ShowDumpDlg(QWidget* Owner, const QByteArray& Dump, const TDeviceRec& Device)
{
    TfmDump form(Owner);
    form.SetDump(Dump, Device);
    form.UpdatePage();
    if (QWidget* main = Owner ? Owner->window() : nullptr)
        form.move(main->geometry().center() - form.rect().center());
    form.ShowModal();
}
