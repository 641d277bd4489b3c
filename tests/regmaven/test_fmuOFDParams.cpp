#include "regmaven/fmuOFDParams.h"
#include "regmaven/fmuSelectNetType.h"
#include "regmaven/fmuUserParams.h"
#include "regmaven/untInputChecks.h"
#include "tests/regmaven/RegistrationPageTest.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QToolButton>

using namespace Regmaven;

namespace {

const TOFDTemplate Sample = {"ofd.test.ru", "21101",        "ООО \"Тест ОФД\"", "www.test-ofd.ru", "7707083893",
                             "www.nalog.gov.ru", "km.test.ru", "7001",          "shop@test.ru"};

void WriteFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QString Required(const QString& name)
{
    return "Введите значение \"" + name + "\"!";
}

} // namespace

class OFDParamsTest : public RegistrationPageTest {
protected:
    TfmOFDParams& Page(bool ofdEnabled = true, int ffd = 4)
    {
        Controller().RegParams.OFDEnabled = ofdEnabled;
        Controller().RegParams.FFD = ffd;
        return Show<TfmOFDParams>();
    }
    QString Folder() const { return TemplatesFolder(); }
};

TEST_F(OFDParamsTest, PrefillsFromTheRegisterAndTheRecord)
{
    auto& page = Page();
    EXPECT_EQ(page.edtOFDServer->text(), "ofd.example.ru");
    EXPECT_EQ(page.edtOFDPort->text(), "7777");
    EXPECT_EQ(page.edtOFDName->text(), "ООО \"Тестовый ОФД\"");
    EXPECT_EQ(page.edtINNOFD->text(), TestRegister().Tables().Value(18, 1, 12).toString());
    EXPECT_EQ(page.edtTaxOfficeURL->text(), TaxOfficeWebAddress);
    EXPECT_EQ(page.edtServerKM->text(), "okp.example.ru");
    EXPECT_EQ(page.edtPortKM->text(), "7790");
    EXPECT_EQ(page.edtSenderEmail->text(), "kassa@example.ru");
    EXPECT_EQ(page.cbTemplate->count(), 1);
    EXPECT_EQ(page.cbTemplate->itemText(0), "--Выбрать шаблон--");

    // The record wins; a sender field the register lacks reads empty.
    Controller().RegParams.OFDName = "Из записи";
    TestRegister().Faults().FailWhen(OrvekMethod::ReadTable, OrvekProp::FieldNumber, 15, 93);
    Page();
    EXPECT_EQ(page.edtOFDName->text(), "Из записи");
    EXPECT_EQ(page.edtSenderEmail->text(), "");
}

TEST_F(OFDParamsTest, OFDLinkOff)
{
    auto& page = Page(false, 2);
    EXPECT_FALSE(page.edtOFDServer->isEnabled());
    EXPECT_FALSE(page.edtServerKM->isEnabled());
    EXPECT_EQ(page.edtOFDServer->text(), "");
    EXPECT_EQ(page.edtOFDPort->text(), "");
    // Neither the server nor the marking-code fields are required; the empty port reads as 0.
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmUserParams>());
    EXPECT_EQ(Controller().RegParams.OFDPort, 0);
    EXPECT_EQ(Controller().RegParams.OFDServer, "");
}

TEST_F(OFDParamsTest, NextChecks)
{
    auto& page = Page();
    struct Case {
        QLineEdit* Edit;
        QString Text;
        QString Message;
    };
    const Case cases[] = {
        {page.edtOFDServer, "", Required("Сервер ОФД")},
        {page.edtOFDPort, "", Required("Порт сервера ОФД")},
        {page.edtOFDPort, "порт", "Порт сервера ОФД должен быть числом от 1 до 65535!"},
        {page.edtOFDName, "", Required("Имя ОФД")},
        {page.edtOFDUrl, "", Required("URL ОФД")},
        {page.edtINNOFD, "", Required("ИНН ОФД")},
        {page.edtTaxOfficeURL, "", Required("URL налог. органа")},
        {page.edtTaxOfficeURL, "nalog.example", "Исправьте URL налогового органа"},
        {page.edtServerKM, "", Required("Сервер КМ")},
        {page.edtPortKM, "", Required("Порт сервера КМ")},
        {page.edtPortKM, "70000", "Порт сервера КМ должен быть числом от 1 до 65535!"},
        {page.edtPortKM, "0", "Порт сервера КМ должен быть числом от 1 до 65535!"},
        {page.edtOFDPort, "65536", "Порт сервера ОФД должен быть числом от 1 до 65535!"},
        {page.edtSenderEmail, "", Required("E-mail отправителя")},
        {page.edtSenderEmail, "shop@", "Введен некорректный E-mail отправителя"},
        {page.edtINNOFD, "7707083890", "ИНН ОФД не валидный!"},
        // A letter is a conversion error, not an invalid INN; other lengths are just invalid.
        {page.edtINNOFD, "77070838ab", "Ошибка в ИНН ОФД"},
        {page.edtINNOFD, "770708389O", "Ошибка в ИНН ОФД"},
        {page.edtINNOFD, " 50010073225Х ", "Ошибка в ИНН ОФД"},
        {page.edtINNOFD, "7707083a", "ИНН ОФД не валидный!"},
    };
    const TRegParams before = Controller().RegParams;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Message.toStdString());
        page.SetFields(Sample);
        c.Edit->setText(c.Text);
        EXPECT_EQ(NextMessage(page), c.Message);
        EXPECT_EQ(Controller().RegParams, before);
    }
    EXPECT_EQ(TestDialogs().lastMessage(),
              "URL налогового органа отличается от \r\n\"www.nalog.gov.ru\"\r\nПродолжить?");

    page.SetFields(Sample);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmUserParams>());
    const TRegParams& p = Controller().RegParams;
    EXPECT_EQ(p.OFDServer, Sample.OFDServer);
    EXPECT_EQ(p.OFDPort, 21101);
    EXPECT_EQ(p.OFDINN, Sample.INNOFD);
    EXPECT_EQ(p.PortKM, 7001);
    EXPECT_EQ(p.SenderEmail, Sample.SenderEmail);

    // Another tax office site passes after OK.
    page.edtTaxOfficeURL->setText("nalog.example");
    TestDialogs().answerMessage(Dialogs::mrOk);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmUserParams>());
}

// The link set-up writes the server and port only: it asks for nothing
// else, and shows the other fields as not used.
TEST_F(OFDParamsTest, LinkSetupAsksOnlyForWhatItWrites)
{
    Controller().IsOFDSettingMode = true;
    auto& page = Page(true, 255);
    for (QLineEdit* edit : {page.edtOFDName, page.edtOFDUrl, page.edtINNOFD, page.edtTaxOfficeURL,
                            page.edtServerKM, page.edtPortKM, page.edtSenderEmail}) {
        SCOPED_TRACE(edit->objectName().toStdString());
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_FALSE(CaptionOf(edit)->isEnabled());
        edit->clear();
    }
    EXPECT_TRUE(page.edtOFDServer->isEnabled());
    EXPECT_TRUE(page.edtOFDPort->isEnabled());
    page.edtOFDPort->clear();
    EXPECT_EQ(NextMessage(page), Required("Порт сервера ОФД"));
    page.edtOFDServer->setText("ofd.link.ru");
    page.edtOFDPort->setText("21101");
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmSelectNetType>());
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_EQ(TestRegister().Tables().Value(19, 1, 1).toString(), "ofd.link.ru");
    EXPECT_EQ(TestRegister().Tables().Value(19, 1, 2).toInt(), 21101);
}

TEST_F(OFDParamsTest, LinkSetupWritesTheServerAndPortTheRegistrationRoadLater)
{
    RegisterTables& t = TestRegister().Tables();
    const QVariant server = t.Value(19, 1, 1), port = t.Value(19, 1, 2);
    auto& page = Page(true, 2);
    page.SetFields(Sample);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmUserParams>());
    EXPECT_EQ(t.Value(19, 1, 1), server);
    EXPECT_EQ(t.Value(19, 1, 2), port);

    Controller().IsOFDSettingMode = true;
    Page(true, 2).SetFields(Sample);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmSelectNetType>());
    EXPECT_EQ(t.Value(19, 1, 1).toString(), "ofd.test.ru");
    EXPECT_EQ(t.Value(19, 1, 2).toInt(), 21101);
    EXPECT_EQ(Component().ConnectedRegister(), nullptr);
    // A port the register refuses keeps the wizard on the page.
    TestRegister().Faults().FailWhen(OrvekMethod::WriteTable, OrvekProp::FieldNumber, 2, 51);
    EXPECT_TRUE(NextMessage(page).startsWith("Ошибка 51, "));
    EXPECT_FALSE(Controller().NextPageClass);
}

TEST_F(OFDParamsTest, TemplateWrittenAndReadBack)
{
    const QByteArray data = WriteOFDTemplate(Sample);
    EXPECT_TRUE(data.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << data.constData();
    EXPECT_LT(data.indexOf("<OFDServer>"), data.indexOf("<SenderEmail>"));
    EXPECT_EQ(ReadOFDTemplate(data), Sample);

    auto& page = Page();
    page.SetFields(Sample);
    TestDialogs().answerFile(Folder() + "/Тест.xml");
    page.btnSaveFile->click();
    EXPECT_EQ(TestDialogs().shown().back().file.defaultExt, "xml");
    page.SetFields({});
    TestDialogs().answerFile(Folder() + "/Тест.xml");
    page.btnOpenFile->click();
    EXPECT_EQ(page.Fields(), Sample);
}

// A full disk: the save raises and the template it would replace stays whole.
TEST_F(OFDParamsTest, SavingOnAFullDiskKeepsTheOldTemplate)
{
    const QString name = Folder() + "/full.xml";
    const QByteArray before = WriteOFDTemplate(Sample);
    WriteFile(name, before);
    {
        TFullDisk full(16);
        EXPECT_THROW(SaveOFDTemplate(name, {}), Exception);
    }
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(OFDParamsTest, ReaderTakesAnyOrderUnknownChildrenAndEmptyForms)
{
    const QByteArray data = "<OFDParams>\n\t<SenderEmail/>\r\n  <Extra>x</Extra><OFDName>Имя</OFDName>"
                            "<OFDPort></OFDPort>  <OFDServer>srv</OFDServer>\n</OFDParams>\n";
    const TOFDTemplate read = ReadOFDTemplate(data);
    EXPECT_EQ(read.OFDServer, "srv");
    EXPECT_EQ(read.OFDName, "Имя");
    EXPECT_EQ(read.OFDPort, "");
    EXPECT_EQ(read.SenderEmail, "");
    EXPECT_EQ(read.INNOFD, "");
}

TEST_F(OFDParamsTest, BadFilesChangeNothing)
{
    auto& page = Page();
    page.SetFields(Sample);
    for (const QByteArray& data : {QByteArray("<Other><OFDServer>x</OFDServer></Other>"),
                                   QByteArray("<OFDParams><OFDServer>x</OFDParams>"), QByteArray()}) {
        SCOPED_TRACE(data.constData());
        WriteFile(Folder() + "/bad.xml", data);
        EXPECT_THROW(page.LoadTemplate(Folder() + "/bad.xml"), Exception);
        EXPECT_EQ(page.Fields(), Sample);
    }
    EXPECT_THROW(page.LoadTemplate(Folder() + "/missing.xml"), Exception);
    EXPECT_EQ(page.Fields(), Sample);
}

TEST_F(OFDParamsTest, TemplateListAndChoice)
{
    QDir(Folder()).mkpath("sub.xml");
    WriteFile(Folder() + "/sub.xml/inner.xml", WriteOFDTemplate(Sample));
    WriteFile(Folder() + "/notes.txt", "x");
    WriteFile(Folder() + "/Бета.xml", WriteOFDTemplate(Sample));
    TOFDTemplate noEmail = Sample;
    noEmail.SenderEmail.clear();
    WriteFile(Folder() + "/Альфа.xml", "<OFDParams><OFDName>Альфа</OFDName></OFDParams>");
    WriteFile(Folder() + "/ЯРУС (ОФД-Я).xml", WriteOFDTemplate(noEmail));

    auto& page = Page();
    QStringList items;
    for (int i = 0; i < page.cbTemplate->count(); ++i)
        items << page.cbTemplate->itemText(i);
    EXPECT_EQ(items, (QStringList{"--Выбрать шаблон--", "ЯРУС (ОФД-Я)", "Альфа", "Бета"}));
    const TOFDTemplate entry = page.Fields();

    page.cbTemplate->setCurrentIndex(1);
    emit page.cbTemplate->activated(1);
    EXPECT_EQ(page.Fields(), noEmail);
    page.cbTemplate->setCurrentIndex(2);
    emit page.cbTemplate->activated(2);
    EXPECT_EQ(page.edtOFDName->text(), "Альфа");
    EXPECT_EQ(page.edtOFDServer->text(), "");
    page.cbTemplate->setCurrentIndex(0);
    emit page.cbTemplate->activated(0);
    EXPECT_EQ(page.Fields(), entry);
}
