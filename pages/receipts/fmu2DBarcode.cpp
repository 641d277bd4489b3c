#include "pages/receipts/fmu2DBarcode.h"

#include "core/driver/untDriver.h"
#include "core/support/FileUtils.h"
#include "core/support/Format.h"
#include "core/support/untUtil.h"
#include "pages/receipts/fmuPrintBarcode.h"
#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"

#include <QCoreApplication>
#include <QLabel>

namespace {
constexpr int BlockSize = 64;

// The caption label the builder put beside a control.
QLabel* CaptionOf(QWidget* form, QWidget* control)
{
    for (QLabel* label : form->findChildren<QLabel*>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}
} // namespace

bool OpenDataFile(QByteArray& data, QLineEdit* status, qint64 maxSize)
{
    const QString fileName = Dialogs::OpenFileName(QStringLiteral("Открыть"), Dialogs::AllFilesFilter(),
                                                   QCoreApplication::applicationDirPath());
    if (fileName.isEmpty())
        return false;
    data = ReadFileData(fileName, maxSize);
    status->setText(Format(QStringLiteral("Файл открыт, длина %d байт"), {int(data.size())}));
    return true;
}

Tfm2DBarcode::Tfm2DBarcode(QWidget* owner) : TPage(owner, "fm2DBarcode", PageCaption)
{
    using T = Tfm2DBarcode;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    left.Combo(NAMED(cbBarcodeType), "Тип штрихкода:", {}, 0, "BarcodeType");
    const struct {
        const char* Name;
        int Code;
    } types[] = {{"PDF 417", 0}, {"DATAMATRIX", 1}, {"AZTEC", 2}, {"QR Code", 3}, {"ЕГАИС", 131}};
    for (const auto& type : types)
        cbBarcodeType->addItem(QString::fromUtf8(type.Name), type.Code);
    cbBarcodeType->setCurrentIndex(0);
    left.Spin(NAMED(seBarcodeDataLength), "Длина данных:", 0, 65535, 0, "BarcodeDataLength");
    left.Spin(NAMED(seStartBlockNumber), "Начальный блок:", 0, 255, 0, "BarcodeStartBlockNumber");
    QSpinBox** spins[] = {&seBarcodeParameter1, &seBarcodeParameter2, &seBarcodeParameter3, &seBarcodeParameter4,
                          &seBarcodeParameter5};
    const char* names[] = {"seBarcodeParameter1", "seBarcodeParameter2", "seBarcodeParameter3", "seBarcodeParameter4",
                           "seBarcodeParameter5"};
    const char* members[] = {"BarcodeParameter1", "BarcodeParameter2", "BarcodeParameter3", "BarcodeParameter4",
                             "BarcodeParameter5"};
    const int defaults[] = {0, 0, 6, 0, 2};
    for (int i = 0; i < 5; ++i) {
        left.Spin({spins[i], names[i]}, QStringLiteral("Параметр %1:").arg(i + 1), 0, 255, defaults[i], members[i]);
        lblBarcodeParameter[std::size_t(i)] = CaptionOf(this, *spins[i]);
    }
    left.Combo(NAMED(cbBarcodeAlignment), "Выравнивание:", {"по центру", "влево", "вправо"}, 0, "BarcodeAlignment");
    left.Check(NAMED(chbDelayedPrint), "Отложенная печать", false, "DelayedPrint");
    left.Check(NAMED(chbCutPaper), "Выполнять отрезку", false, "CutCheck");
    left.Space();

    auto right = page.Section();
    page.Stretch();
    auto file = right.Group("gbFile", "Штрихкод из файла");
    file.Edit(NAMED(edtStatus), "Файл:", "Файл не открыт")->setReadOnly(true);
    file.Buttons(3, {
        {NAMED(btnOpenFile), "Открыть файл", &T::btnOpenFileClick, {}, TRun::Plain},
        {NAMED(btnLoadBlockData), "Загрузить данные", &T::btnLoadBlockDataClick, "LoadBlockData"},
        {NAMED(btnPrint2DBarcode), "Распечатать ШК", &T::btnPrint2DBarcodeClick, "Print2DBarcode"},
    });
    auto text = right.Group("gbString", "Штрихкод из строки");
    text.Edit(NAMED(edtBarcode), "Штрихкод:", {}, "BarCode")->setMinimumWidth(300);
    text.Buttons(1, {{NAMED(btnLoadAndPrint), "Распечатать ШК", &T::btnLoadAndPrintClick, "LoadAndPrint2DBarcode"}});
    right.Space();

    FCaptions = {
        QStringList{"Количество столбцов:", "Количество рядов:", "Ширина:", "Высота:", "Ур. коррекц. ошибок:"},
        QStringList{"Схема кодирования:", "Поворот:", "Размер точки:", "Размер символа:", "Не используется"},
        QStringList{"Схема кодирования:", "Не используется", "Размер точки:", "Размер символа:", "Ур. коррекц. ошибок:"},
        QStringList{"Версия, 0=авто:", "Маска, 0=авто:", "Размер точки, 3-8:", "Не используется",
                    "Ур. коррекц. ошибок, 0-3:"},
        QStringList{"Версия, 0=авто:", "Маска, 0=авто:", "Размер точки, 3-8:", "Не используется",
                    "Ур. коррекц. ошибок, 0-3:"},
    };
    OnChange(cbBarcodeType, this, &T::cbBarcodeTypeChange);
    cbBarcodeTypeChange();
}

void Tfm2DBarcode::showEvent(QShowEvent* event)
{
    TPage::showEvent(event);
    cbBarcodeTypeChange();
}

void Tfm2DBarcode::cbBarcodeTypeChange()
{
    const int item = cbBarcodeType->currentIndex();
    if (item < 0 || item >= int(FCaptions.size()))
        return;
    for (std::size_t i = 0; i < lblBarcodeParameter.size(); ++i)
        lblBarcodeParameter[i]->setText(FCaptions[std::size_t(item)][qsizetype(i)]);
}

void Tfm2DBarcode::btnOpenFileClick()
{
    OpenDataFile(FData, edtStatus, MaxFileSize);
}

void Tfm2DBarcode::btnLoadBlockDataClick()
{
    const int blocks = int((FData.size() + BlockSize - 1) / BlockSize);
    for (int i = 0; i < blocks; ++i) {
        Driver().setBlockType(0);
        Driver().setBlockNumber(i);
        Driver().setBlockDataHex(StrToHex(FData.mid(qsizetype(i) * BlockSize, BlockSize), true));
        Check(Driver().LoadBlockData());
    }
    seStartBlockNumber->setValue(0);
    seBarcodeDataLength->setValue(int(FData.size()));
}

void Tfm2DBarcode::SetBarcodeParams()
{
    Driver().setBarcodeType(cbBarcodeType->currentData().toInt());
    Driver().setBarcodeStartBlockNumber(seStartBlockNumber->value());
    Driver().setBarcodeParameter1(seBarcodeParameter1->value());
    Driver().setBarcodeParameter2(seBarcodeParameter2->value());
    Driver().setBarcodeParameter3(seBarcodeParameter3->value());
    Driver().setBarcodeParameter4(seBarcodeParameter4->value());
    Driver().setBarcodeParameter5(seBarcodeParameter5->value());
    Driver().setBarcodeAlignment(cbBarcodeAlignment->currentIndex());
    Driver().setDelayedPrint(chbDelayedPrint->isChecked());
}

void Tfm2DBarcode::CutPaper()
{
    if (chbCutPaper->isChecked())
        CutPaperStep(0, 0);
}

void Tfm2DBarcode::btnPrint2DBarcodeClick()
{
    Driver().setBarcodeType(cbBarcodeType->currentData().toInt());
    Driver().setBarcodeDataLength(seBarcodeDataLength->value());
    SetBarcodeParams();
    Check(Driver().Print2DBarcode());
    CutPaper();
}

// The cut runs after a failed print too; the print's failure is reported
// after it, so the cut's success does not hide it.
void Tfm2DBarcode::btnLoadAndPrintClick()
{
    Driver().setBarCode(edtBarcode->text());
    SetBarcodeParams();
    const int32_t code = Driver().LoadAndPrint2DBarcode();
    const QString description = Driver().ResultCodeDescription();
    CutPaper();
    if (code != 0)
        throw Exception(Format(QStringLiteral("Штрихкод не напечатан: (%d) %s"), {code, description}));
}
