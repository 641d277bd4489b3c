#include "pages/service/fmuLoader.h"

#include "core/driver/untDriver.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

TfmLoader::TfmLoader(QWidget* owner) : TPage(owner, "fmLoader", PageCaption)
{
    using T = TfmLoader;
    TFormBuilder<T> page(this);
    auto row = page.Columns();
    row.Button({NAMED(btnReadLoaderVersion), QStringLiteral("Прочитать версию загрузчика"),
                &T::btnReadLoaderVersionClick, QStringLiteral("ReadLoaderVersion")});
    row.Edit(NAMED(edtLoaderVersion), QString(), {}, "LoaderVersion");
    edtLoaderVersion->setReadOnly(true);
    SetEditLimit(edtLoaderVersion, 100);
    row.Stretch(edtLoaderVersion);
    page.Space();
}

void TfmLoader::btnReadLoaderVersionClick()
{
    Check(Driver().ReadLoaderVersion());
    edtLoaderVersion->setText(Driver().LoaderVersion());
}
