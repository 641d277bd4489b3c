#include "pages/receipts/fmuPrintImage2.h"

#include "core/driver/untDriver.h"
#include "platform/ui/Dialogs.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>

TfmPrintImage2::TfmPrintImage2(QWidget* owner) : TPage(owner, "fmPrintImage2", PageCaption)
{
    using T = TfmPrintImage2;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    auto file = left.Columns();
    file.Edit(NAMED(edtFileName), "Файл:", {}, "FileName");
    file.Stretch(edtFileName);
    left.Check(NAMED(chbCenterImage), "Центрировать", true, "CenterImage");
    left.Check(NAMED(chbShowProgress), "Прогресс", false, "ShowProgress");
    left.Spin(NAMED(seFirstLineNumber), "№ первой строки:", 0, 65535, 1, "FirstLineNumber");
    left.Spin(NAMED(seLastLineNumber), "№ посл. строки:", 0, 65535, 200, "LastLineNumber");
    Flags.Build(left);
    left.Buttons(4, {
        {NAMED(btnOpen), "Открыть", &T::btnOpenClick, {}, TRun::Plain},
        {NAMED(btnLoad), "Загрузить из файла", &T::btnLoadClick, "LoadImage"},
        {NAMED(btnDraw), "Печать", &T::btnDrawClick, "Draw"},
        {NAMED(btnDrawEx), "Расширенная печать", &T::btnDrawExClick, "DrawEx"},
    });
    left.Grid()->setColumnMinimumWidth(1, 360);

    auto right = page.Section();
    page.Stretch();
    Image = right.Whole(NewLabel(this, {}, "Image"));
    Image->setAlignment(Qt::AlignCenter);
    Image->setMinimumSize(360, 300);
    right.Stretch(Image);
}

void TfmPrintImage2::btnOpenClick()
{
    const QString start = edtFileName->text().isEmpty() ? QCoreApplication::applicationDirPath() : edtFileName->text();
    const QString fileName = Dialogs::OpenFileName(
        QStringLiteral("Открыть"), QStringLiteral("Изображения (*.bmp *.png *.jpg *.gif);;") + Dialogs::AllFilesFilter(), start);
    if (fileName.isEmpty())
        return;
    QPixmap pixmap = QPixmap::fromImage(LoadPicture(fileName));
    if (pixmap.width() > Image->width() || pixmap.height() > Image->height())
        pixmap = pixmap.scaled(Image->size(), Qt::KeepAspectRatio);
    Image->setPixmap(pixmap);
    edtFileName->setText(fileName);
}

void TfmPrintImage2::btnLoadClick()
{
    Driver().setLineNumber(1);
    Driver().setShowProgress(chbShowProgress->isChecked());
    Driver().setCenterImage(chbCenterImage->isChecked());
    Driver().setFileName(edtFileName->text());
    Driver().LoadImage();
    seFirstLineNumber->setValue(Driver().FirstLineNumber());
    seLastLineNumber->setValue(Driver().LastLineNumber());
}

void TfmPrintImage2::btnDrawClick()
{
    Driver().setFirstLineNumber(seFirstLineNumber->value());
    Driver().setLastLineNumber(seLastLineNumber->value());
    Driver().Draw();
}

void TfmPrintImage2::btnDrawExClick()
{
    Flags.SetDriverFlags();
    Driver().setFirstLineNumber(seFirstLineNumber->value());
    Driver().setLastLineNumber(seLastLineNumber->value());
    Driver().DrawEx();
}
