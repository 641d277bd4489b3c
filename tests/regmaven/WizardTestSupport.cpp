#include "tests/regmaven/WizardTestSupport.h"

#include <QCoreApplication>

#include "platform/Exceptions.h"
#include "regmaven/CheckLANPage.h"
#include "regmaven/fmuSearchDevice.h"

#include <QDir>
#include <QTreeWidget>
#include <QFile>

Regmaven::TfmMain& WizardTest::Form(bool x5)
{
    const QString folder = TestTempDir() + "/program/";
    QDir().mkpath(folder);
    QFile marker(folder + "X5.ini");
    if (x5)
        marker.open(QIODevice::WriteOnly);
    else
        marker.remove();
    FForm = std::make_unique<Regmaven::TfmMain>(folder);
    FForm->show();
    return *FForm;
}

QString WizardTest::Next()
{
    FForm->btnNext->click();
    if (auto* check = dynamic_cast<Regmaven::TCheckLANPage*>(Current()))
        check->Task.WaitFor();
    // LUMAQ_PAGE_PICTURES=<folder>: the window with each page reached, to look at.
    if (const QString pictures = qEnvironmentVariable("LUMAQ_PAGE_PICTURES"); !pictures.isEmpty() && Current()) {
        QCoreApplication::sendPostedEvents();   // the layouts as they will show
        FForm->grab().save(pictures + "/" + Current()->objectName() + ".png");
    }
    return Title();
}

QString WizardTest::Prev()
{
    FForm->btnPrev->click();
    return Title();
}

QList<Regmaven::TPortDevice> WizardTest::BenchSerialPorts()
{
    QList<Regmaven::TPortDevice> devices;
    for (int com : Bench().SerialPorts())
        devices << Regmaven::TPortDevice{QStringLiteral("Эмулятор ККТ (COM%1)").arg(com), "EMULATOR\\ORVEK"};
    return devices;
}

void WizardTest::FinishSearch()
{
    auto& page = Page<Regmaven::TfmSearchDevice>();
    for (const auto& device : page.SearchDevices())
        static_cast<Regmaven::TOrvekSearchDevice&>(*device).WaitFor();
    page.UpdateView();
}

void WizardTest::ReachWorkTypes()
{
    Next();
    Next();
    FinishSearch();
    auto* list = Page<Regmaven::TfmSearchDevice>().lvDevices;
    ASSERT_GT(list->topLevelItemCount(), 0);
    list->topLevelItem(0)->setSelected(true);
    Next();
}

QString MessageOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}

QStringList X5ParamsLines(const QString& skipKey, const QString& key, const QString& value)
{
    const QList<std::pair<QString, QString>> keys = {
        {"наименование пользователя", "ООО \"Ромашка\""},
        {"Адрес", "г. Москва, ул. Тестовая, 1"},
        {"ИНН пользователя", "7707083893"},
        {"рег. номер ККТ", "0000000001012345"},
        {"системы налогообложения", "2"},
        {"Признак банковского агента", "0"},
        {"Признак банковского субагента", "1"},
        {"признак платежного агента", "1"},
        {"Признак платежного субагента", "0"},
        {"автономный режим", "0"},
        {"признак АС БСО", "1"},
        {"признак шифрования", "1"},
        {"автоматический режим", "0"},
        {"признак услуги", "1"},
        {"признак расчетов в интернете", "0"},
        {"признак лотереи", "1"},
        {"признак развозной торговли", "1"},
        {"признак продажи подакцизных товаров", "1"},
        {"признак проведения игр", "0"},
        {"признак платежный терминал", "0"},
        {"признак установки принтера в автомате", "1"},
        {"место расчетов", "Магазин 5"},
        {"наименование ОФД", "ОФД Тест"},
        {"ИНН ОФД", "7704211201"},
        {"Сервер ОФД", "ofd.example.ru"},
        {"Порт", "7777"},
    };
    QStringList lines;
    for (const auto& [k, v] : keys)
        if (k != skipKey)
            lines << k + ": " + (k == key ? value : v);
    return lines;
}
