#include "lumaqtst/PageTable.h"

#include "core/settings/ResStrings.h"
#include "pages/fn/fmuFN.h"
#include "pages/fn/fmuFNAgent.h"
#include "pages/fn/fmuFNArchive.h"
#include "pages/fn/fmuFNCheckAttributes.h"
#include "pages/fn/fmuFNData.h"
#include "pages/fn/fmuFNFiscalization.h"
#include "pages/fn/fmuFNKTN.h"
#include "pages/fn/fmuFNKTN2.h"
#include "pages/fn/fmuFNOFD.h"
#include "pages/fn/fmuFNOperation.h"
#include "pages/fn/fmuFNOperation2.h"
#include "pages/fn/fmuFNTag.h"
#include "pages/fn/fmuPrintCheckAttributeParams.h"
#include "pages/fn/fmuRNM.h"
#include "pages/receipts/fmu2DBarcode.h"
#include "pages/receipts/fmuCashControl.h"
#include "pages/receipts/fmuCashCore.h"
#include "pages/receipts/fmuCashDrawer.h"
#include "pages/receipts/fmuCashTotalizer.h"
#include "pages/receipts/fmuNonClearableSumm.h"
#include "pages/receipts/fmuPDF417.h"
#include "pages/receipts/fmuPrintAttribute.h"
#include "pages/receipts/fmuPrintBarcode.h"
#include "pages/receipts/fmuPrintBarcodePrinter.h"
#include "pages/receipts/fmuPrintBuffer.h"
#include "pages/receipts/fmuPrintHeader.h"
#include "pages/receipts/fmuPrintImage.h"
#include "pages/receipts/fmuPrintImage2.h"
#include "pages/receipts/fmuPrintLine.h"
#include "pages/receipts/fmuPrintOperations.h"
#include "pages/receipts/fmuPrintTest.h"
#include "pages/receipts/fmuPrintText.h"
#include "pages/receipts/fmuReceipt.h"
#include "pages/receipts/fmuReports.h"
#include "pages/receipts/fmuTestMultiReceipt.h"
#include "pages/receipts/fmuTestReceipt.h"
#include "pages/receipts/fmuTotalizers.h"
#include "pages/receipts/fmuVintrel.h"
#include "pages/receipts/fmuWares.h"
#include "pages/receipts/fmuWorkTotalizer.h"
#include "pages/service/fmuAuthKey.h"
#include "pages/service/fmuCommand.h"
#include "pages/service/fmuConnection.h"
#include "pages/service/fmuConnectionTest.h"
#include "pages/service/fmuDB.h"
#include "pages/service/fmuDBSession.h"
#include "pages/service/fmuDateTime.h"
#include "pages/service/fmuDeviceStatus.h"
#include "pages/service/fmuExtendedService.h"
#include "pages/service/fmuFindDevice.h"
#include "pages/service/fmuFirmwareUpdate.h"
#include "pages/service/fmuFont.h"
#include "pages/service/fmuFullStatus.h"
#include "pages/service/fmuIBMPrinter.h"
#include "pages/service/fmuLoader.h"
#include "pages/service/fmuLogicDevice.h"
#include "pages/service/fmuMinimizeEF.h"
#include "pages/service/fmuPresenter.h"
#include "pages/service/fmuPrintServer.h"
#include "pages/service/fmuReadDump.h"
#include "pages/service/fmuReboot.h"
#include "pages/service/fmuResetSettings.h"
#include "pages/service/fmuSDCard.h"
#include "pages/service/fmuTable.h"
#include "pages/service/fmuTaxOfficer.h"
#include "pages/service/fmuTaxOfficer2.h"
#include "pages/service/fmuTest.h"
#include "pages/service/fmuTestEncoding.h"
#include "pages/service/fmuWriteSerial.h"

const std::vector<TPageGroup>& PageGroups()
{
    static const std::vector<TPageGroup> groups = {
        {GetRes("Состояние"),
         {PageClass<TfmDeviceStatus>(), PageClass<TfmFullStatus>()}},
        {GetRes("ФН сервис"),
         {PageClass<TfmFN>(), PageClass<TfmFNFiscalization>(), PageClass<TfmFNData>(), PageClass<TfmFNOFD>(),
          PageClass<TfmFNArchive>(), PageClass<TfmRNM>()}},
        {GetRes("ФН чеки (ФФД 1.05-1.2)"),
         {PageClass<TfmFNOperation>(), PageClass<TfmFNCheckAttributes>(), PageClass<TfmFNTag>(),
          PageClass<TfmFNOperation2>(), PageClass<TfmFNKTN>(), PageClass<TfmFNKTN2>(), PageClass<TfmFNAgent>()}},
        {GetRes("Чеки (ФФД 1.0)"),
         {PageClass<TfmReceipt>(), PageClass<TfmTestReceipt>(), PageClass<TfmTestMultiReceipt>()}},
        {GetRes("Отчеты"),
         {PageClass<TfmReports>()}},
        {GetRes("Печать текста"),
         {PageClass<TfmPrintText>(), PageClass<TfmPrintHeader>(), PageClass<TfmPrintAttribute>(),
          PageClass<TfmPrintBuffer>(), PageClass<TfmPrintOperations>(), PageClass<TfmPrintTest>(),
          PageClass<TfmTestEncoding>()}},
        {GetRes("Печать графики"),
         {PageClass<TfmPrintImage>(), PageClass<TfmPrintImage2>(), PageClass<TfmPrintBarcode>(),
          PageClass<TfmPrintBarcodePrinter>(), PageClass<TfmPrintLine>(), PageClass<Tfm2DBarcode>(),
          PageClass<TfmPDF417>()}},
        {GetRes("Параметры устройства"),
         {PageClass<TfmTable>(), PageClass<TfmTotalizers>(), PageClass<TfmCashTotalizer>(),
          PageClass<TfmWorkTotalizer>(), PageClass<TfmFont>(), PageClass<TfmWares>(), PageClass<TfmLoader>(),
          PageClass<TfmNonClearableSumm>(), PageClass<TfmPrintCheckAttributeParams>(),
          PageClass<TfmMinimizeEF>()}},
        {GetRes("Сервис"),
         {PageClass<TfmFirmwareUpdate>(), PageClass<TfmDateTime>(), PageClass<TfmWriteSerial>(),
          PageClass<TfmResetSettings>(), PageClass<TfmReadDump>(), PageClass<TfmCashDrawer>(),
          PageClass<TfmSDCard>(), PageClass<TfmTaxOfficer>(), PageClass<TfmTaxOfficer2>(),
          PageClass<TfmAuthKey>(), PageClass<TfmReboot>()}},
        {GetRes("БД чеков"),
         {PageClass<TfmDB>(), PageClass<TfmDBSession>()}},
        {GetRes("Прочее"),
         {PageClass<TfmExtendedService>(), PageClass<TfmConnectionTest>(), PageClass<TfmLogicDevice>(),
          PageClass<TfmFindDevice>(), PageClass<TfmPrintServer>(), PageClass<TfmCashControl>(),
          PageClass<TfmPresenter>(), PageClass<TfmIBMPrinter>(), PageClass<TfmCommand>(),
          PageClass<TfmCashCore>(), PageClass<TfmTest>(), PageClass<TfmConnection>()}},
        {QStringLiteral("Vintrel"),
         {PageClass<TfmVintrel>()}},
    };
    return groups;
}
