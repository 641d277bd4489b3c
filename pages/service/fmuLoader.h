#pragma once
// TfmLoader: "Загрузчик", the boot loader's version.
#include "core/pages/untPages.h"

class QLineEdit;
class QPushButton;

class TfmLoader : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Загрузчик";
    explicit TfmLoader(QWidget* owner = nullptr);

    QPushButton* btnReadLoaderVersion;
    QLineEdit* edtLoaderVersion;

private:
    void btnReadLoaderVersionClick();
};
