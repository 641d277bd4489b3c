// The binding: member table, typed accessors, value types at the boundary,
// creation through the factory and the driver object's life.
#include "tests/DriverTestSupport.h"

#include "platform/Exceptions.h"

#include <QSet>
#include <map>
#include <stdexcept>
#include <type_traits>

namespace {
// The member catalogue as the component documents it: "Name" or "Name:marks"
// (S WideString, B WordBool, C Currency, D TDateTime, F Double, E enumeration,
// V variant; ro read-only).
const char* const CatalogueMethods =
    "ClearResult Connect Disconnect GetExchangeParam SetExchangeParam LockPort UnlockPort FindDevice "
    "WaitConnection Ping ServerConnect ServerDisconnect AdminUnlockPort AdminUnlockPorts AddLD DeleteLD "
    "EnumLD GetActiveLD SetActiveLD GetCountLD GetParamLD SetParamLD GetECRStatus GetShortECRStatus "
    "GetDeviceMetrics ReadSerialNumber ReadModelParam ReadModelParamValue ShowProperties ShowTablesDlg "
    "SaveParams Sale SaleEx Buy ReturnSale ReturnBuy Storno Discount Charge StornoDiscount StornoCharge "
    "CheckSubTotal OpenCheck CloseCheck CloseCheckEx CloseCheckBel CloseCheckWithKPK CancelCheck "
    "SysAdminCancelCheck CashIncome CashOutcome RepeatDocument ContinuePrint ExcisableOperation "
    "FNOperation FNCloseCheckEx OpenCheckNDS20 FNOpenCheckCorrection FNOpenCheckCorrectionNDS20 "
    "FNBeginCorrectionReceipt FNBuildCorrectionReceipt FNBuildCorrectionReceipt2 FNGetStatus FNGetSerial "
    "FNGetExpirationTime FNGetVersion FNGetImplementation FNGetFreeMemoryResource FNGetDocumentSize "
    "FNGetOSUSupportStatus FNResetState FNCancelDocument FNFindDocument FNGetFiscalizationResult "
    "FNGetFiscalizationResultByNumber FNRequestRegistrationTLV FNBeginRegistrationReport "
    "FNBuildRegistrationReport FNBuildReregistrationReport FNBeginCloseFiscalMode FNCloseFiscalMode "
    "FNBeginOpenSession OpenSession FNBeginCloseSession FNGetCurrentSessionParams "
    "FNBeginCalculationStateReport FNBuildCalculationStateReport FNCountersSync FNReadFiscalBarcode "
    "FNSendTLV FNSendTLVOperation FNRequestFiscalDocumentTLV FNReadFiscalDocumentTLV "
    "FNGetDocumentAsString FNPrintDocument FNPrintOperatorConfirm FNGetInfoExchangeStatus "
    "FNGetUnconfirmedDocCount FNGetOFDTicketByDocNumber FNGetKMServerExchangeStatus FNSendTag "
    "FNSendTagOperation FNAddTag FNBeginSTLVTag FNSendSTLVTag FNSendSTLVTagOperation FNGetTagDescription "
    "GetTagAsTLV FNSendCustomerEmail FNSendSenderEmail FNSendUserAttribute FNCheckItemBarcode "
    "FNAcceptMakringCode FNDeclineMarkingCode FNGetMarkingCodeWorkStatus FNMarkingClearBuffer "
    "FNSendItemBarcode FNSendItemCodeData FNBeginReadArchive FNReadArchiveItem FNSaveArchive "
    "FNBeginReadNotifications FNReadNotificationBlock FNConfirmNotificationRead PrintString "
    "PrintWideString PrintStringWithFont PrintStringWithWrap FeedDocument CutCheck PrintCliche "
    "PrintTrailer PrintDocumentTitle FinishDocument OpenNonfiscalDocument CloseNonFiscalDocument "
    "PrintAttribute JournalOperation Test InterruptTest WaitForPrinting ClearPrintBuffer "
    "ReadPrintBufferLine ReadPrintBufferLineNumber GetFontMetrics LoadLineData LoadLineDataEx "
    "WideLoadLineData Draw DrawEx DrawScale LoadGraphics512 PrintGraphics512 LoadImage PrintLine "
    "PrintBarCode PrintBarcodeLine PrintBarcodeGraph PrintBarcodeUsingPrinter LoadBlockData "
    "Print2DBarcode LoadAndPrint2DBarcode PrintReportWithCleaning PrintReportWithoutCleaning "
    "PrintDepartmentReport PrintTaxReport PrintCashierReport PrintHourlyReport PrintWareReport "
    "PrintZReportInBuffer PrintZReportFromBuffer PrintOperationReg GetCashReg GetCashRegEx "
    "GetOperationReg GetWareBaseCashRegs FNGetNonClearableSumm FNGetNonClearableSummEx ReadWare "
    "UpdateWare RemoveWare ReadTable WriteTable InitTable GetTableStruct GetFieldStruct ImportTables "
    "ExportTables LoadFont ReadFontHash ResetFont Beep SetDate SetTime ConfirmDate SetSerialNumber "
    "SetPointPosition SetSCPassword ResetSettings ResetSummary InitEEPROM ResetECR RebootKKT WriteAuthKey "
    "RewriteAuthKey ResetAuthKey Fiscalization GetFiscalizationParameters GetRangeDatesAndSessions "
    "FiscalReportForDatesRange FiscalReportForSessionRange GetShortReportInDatesRange "
    "GetShortReportInSessionRange InterruptFullReport PrintOperationalTaxReport "
    "ReadEKLZActivizationParams ExchangeBytes DampRequest GetData InterruptDataStream "
    "ReadErrorDescription UpdateFirmware CancelFirmwareUpdate LoadBlockOnSDCard ReadLoaderVersion "
    "OpenDrawer GetIBMStatus GetShortIBMStatus OpenScreen CloseScreen OutputReceipt WaitForCheckClose "
    "DBQueryDocumentsInSession DBGetNextDocument DBPrintNextDocument DBFindDocument DBPrintDocument "
    "VintrelCreatePayData VintrelCreatePayDataByCode VintrelGetPayStatus VintrelCancel VintrelRefund "
    "VintrelCreateCashRegisterCode ";
const char* const CatalogueProperties =
    "ResultCode:ro ResultCodeDescription:S,ro Password SysAdminPassword OperatorNumber:ro ECRInput:S,ro "
    "ECROutput:S,ro ConnectionType ComNumber BaudRate Timeout ConnectionTimeout ComputerName:S "
    "IPAddress:S TCPPort UseIPAddress:B ProtocolType TCPConnectionTimeout Connected:B PortNumber "
    "SearchTimeout MaxCommandSendCount MaxAnswerReadCount PingTime PingResult URL:S LDBaudrate "
    "LDComNumber LDComputerName:S LDCount:ro LDIndex LDName:S LDNumber LDTimeout ECRMode:ro "
    "ECRModeDescription:S,ro ECRAdvancedMode:ro ECRAdvancedModeDescription:S,ro ECRModeStatus:ro "
    "ECRFlags:ro ECRBuild:ro ECRSoftVersion:S,ro ECRSoftDate:D,ro FMBuild:ro FMFlags:ro FMFlagsEx:ro "
    "FMSoftVersion:S,ro FMSoftDate:D,ro FMOverflow:B,ro FMResultCode:ro FreeRecordInFM:ro "
    "FreeRegistration:ro FM1IsPresent:B,ro FM2IsPresent:B,ro EKLZIsPresent:B,ro IsEKLZOverflow:B,ro "
    "EKLZResultCode IsDrawerOpen:B,ro IsBatteryLow:B,ro IsLastFMRecordCorrupted:B,ro IsFMSessionOpen:B,ro "
    "IsFM24HoursOver:B,ro IsASPDMode:B,ro IsCorruptedFMRecords:B,ro IsCorruptedFiscalizationInfo:B,ro "
    "IsBlockedByWrongTaxPassword:B,ro LastFMRecordType:ro JournalRibbonIsPresent:B,ro "
    "JournalRibbonLever:B,ro JournalRibbonOpticalSensor:B,ro ReceiptRibbonIsPresent:B,ro "
    "ReceiptRibbonLever:B,ro ReceiptRibbonOpticalSensor:B,ro SlipDocumentIsMoving:B,ro "
    "SlipDocumentIsPresent:B,ro LidPositionSensor:B,ro PresenterIn:B,ro PresenterOut:B,ro "
    "QuantityPointPosition:B,ro PointPosition:B LogicalNumber:ro QuantityOfOperations:ro "
    "OpenDocumentNumber:ro BatteryVoltage:F,ro PowerSourceVoltage:F,ro PrinterHeadTemperature "
    "PreviousECRMode LastPrintResult:ro SKNOStatus UMajorType:ro UMinorType:ro UModel:ro "
    "UDescription:S,ro UMajorProtocolVersion:ro UMinorProtocolVersion:ro UCodePage:ro UCodePageText:S,ro "
    "ModelParamNumber ModelParamValue:V,ro ModelParamIndex ModelParamCount:ro ModelParamDescription:S,ro "
    "ModelIndex DriverMajorVersion:ro DriverMinorVersion:ro DriverRelease:ro DriverBuild:ro "
    "DriverVersion:S,ro ParentWnd Date:D Time:D DocumentNumber SessionNumber SerialNumber:S INN:S "
    "RegistrationNumber FiscalSign FiscalSignAsString:S,ro DocumentCount OperationType CheckType Price:C "
    "Quantity:F Department Tax1 Tax2 Tax3 Tax4 Summ1:C Summ2:C Summ3:C Summ4:C Summ5:C Summ6:C Summ7:C "
    "Summ8:C Summ9:C Summ10:C Summ11:C Summ12:C Summ13:C Summ14:C Summ15:C Summ16:C Summ17:C Summ18:C "
    "Summ19:C Summ20:C DiscountOnCheck:F DiscountValue:C ChargeValue:C Change:C,ro ExciseCode "
    "UseWareCode:B KPKStr:S,ro OperationBlockFirstString PaymentItemSign PaymentTypeSign TaxType "
    "TaxValue:C TaxValue1:C TaxValue2:C TaxValue3:C TaxValue4:C TaxValue5:C TaxValue6:C TaxValue7:C "
    "TaxValue8:C TaxValue9:C TaxValue10:C TaxValueEnabled:B AddTaxesEnabled:B Summ1Enabled:B RoundingSumm "
    "CalculationSign CorrectionType MeasureUnit DivisionalQuantity:B Numerator:S Denominator:S "
    "ProductAssignedStatus ReceiptNumber FNLifeState:ro FNCurrentDocument FNDocumentData:ro "
    "FNSessionState:ro FNWarningFlags:ro FNSoftVersion:S,ro FNSoftType:ro FN5YearResource:ro "
    "FN30DayResource:ro FNImplementation:S FNOSUSupportStatus FNMarkingFillPercentage DocumentSize "
    "WorkMode WorkModeEx KKTRegistrationNumber:S RegistrationReasonCode RegistrationReasonCodeEx INNOFD:S "
    "ReportTypeInt DocumentType RequestType TLVData:S TLVDataHex:S DataLength RequestDocumentType "
    "ShowTagNumber:B InfoExchangeStatus MessageState MessageCount MessageNumber OFDTicketReceived:B "
    "FiscalSignOFD:S Date2:D Time2:D OFDExchangeSuspended:B FreeMemorySize TagNumber TagType TagValueInt "
    "TagValueStr:S TagValueDateTime:D TagValueVLN:S TagValueFVLND:F TagValueBin:S TagValueLength "
    "TagDescription:S CustomerEmail:S EmailAddress:S UserAttributeName:S UserAttributeValue:S "
    "BarcodeHex:S GTIN:S MarkingType MarkingType2 MarkingTypeEx ItemStatus CheckItemLocalResult "
    "CheckItemLocalError KMServerErrorCode KMServerCheckingStatus MCCheckStatus MCNotificationStatus "
    "MCCheckResultSavedCount MCCommandFlags MCRealizationCount MCStorageSize MCOSUSign:B MCCheckWithOSU:B "
    "FNArchiveType MarkingOnly:B NotificationCount NotificationNumber NotificationSize DataOffset "
    "CheckSum DataBlock:S,ro StringForPrinting:S FontType PrintWidth:ro CharWidth:ro CharHeight:ro "
    "FontCount:ro UseReceiptRibbon:B UseJournalRibbon:B UseSlipDocument:B UseSlipCheck:B StringQuantity "
    "CutType:B DelayedPrint:B CarryStrings:B DocumentName:S AttributeNumber AttributeValue:S "
    "FinishDocumentMode:E PrintBufferFormat PrintBufferLineNumber:ro RunningPeriod LineNumber LineData:S "
    "LineDataHex:S FirstLineNumber LastLineNumber LineLength LineSwapBytes:B CenterImage:B "
    "GraphBufferType HorizScale VertScale ShowProgress:B FileName:S BarCode:S BarcodeType "
    "BarcodeAlignment:E BarWidth BarcodeDataLength BarcodeParameter1 BarcodeParameter2 BarcodeParameter3 "
    "BarcodeParameter4 BarcodeParameter5 BarcodeStartBlockNumber BlockType BlockNumber BlockDataHex:S "
    "HRIPosition PrintBarcodeText RegisterNumber ContentsOfCashRegister:C,ro "
    "ContentsOfOperationRegister:ro NameCashReg:S,ro NameCashRegEx:S,ro NameOperationReg:S,ro "
    "RegSaleRec:C,ro RegBuyRec:C,ro RegSaleReturnRec:C,ro RegBuyReturnRec:C,ro RegSaleSession:C,ro "
    "RegBuySession:C,ro RegSaleReturnSession:C,ro RegBuyReturnSession:C,ro WareCode UpdateKeysStatus "
    "UpdateKeysResultCode TableNumber RowNumber FieldNumber ValueOfFieldInteger ValueOfFieldString:S "
    "TableName:S,ro FieldName:S,ro FieldSize:ro FieldType:B,ro MINValueOfField:ro MAXValueOfField:ro "
    "FontHashHex:S SCPassword NewSCPassword NewPasswordTI EnteredTaxPassword:ro RNM:S ReportType:B "
    "FirstSessionDate:D LastSessionDate:D FirstSessionNumber LastSessionNumber EKLZNumber:S,ro AuthKey:S "
    "TransferBytes:S BinaryConversion:E DeviceCode DeviceCodeDescription:S,ro DataBlockNumber:ro "
    "ErrorCode ErrorDescription:S,ro StatusCommand:E CheckFMConnection:B UpdateFirmwareMethod "
    "UpdateFirmwareStatus:ro UpdateFirmwareStatusMessage:S,ro FileType BlockData:S LoaderVersion:S,ro "
    "DrawerNumber ReceiptOutputType IBMStatusByte1:ro IBMStatusByte2:ro IBMStatusByte3:ro "
    "IBMStatusByte4:ro IBMStatusByte5:ro IBMStatusByte6:ro IBMStatusByte7:ro IBMStatusByte8:ro "
    "IBMFlags:ro IBMDocumentNumber:ro IBMLastSaleReceiptNumber:ro IBMLastBuyReceiptNumber:ro "
    "IBMLastReturnSaleReceiptNumber:ro IBMLastReturnBuyReceiptNumber:ro IBMSessionDay:ro "
    "IBMSessionMonth:ro IBMSessionYear:ro IBMSessionHour:ro IBMSessionMin:ro IBMSessionSec:ro "
    "DBFilePath:S DBDocType VintrelCashRegisterCode:S VintrelClientPaymentID:S VintrelServerPaymentID:S "
    "VintrelProcessingResponse:S,ro VintrelPayStatus:ro VintrelIsStatusFinal:B,ro ";

QString KindMark(OrvekKind kind)
{
    switch (kind) {
    case OrvekKind::Integer: return {};
    case OrvekKind::WideString: return QStringLiteral("S");
    case OrvekKind::WordBool: return QStringLiteral("B");
    case OrvekKind::Currency: return QStringLiteral("C");
    case OrvekKind::DateTime: return QStringLiteral("D");
    case OrvekKind::Double: return QStringLiteral("F");
    case OrvekKind::Enum: return QStringLiteral("E");
    case OrvekKind::Variant: return QStringLiteral("V");
    }
    return QStringLiteral("?");
}

QString ToQString(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

// The getter of every property returns its kind's type; a setter exists
// exactly for the read-write ones.
#define ORVEK_PROPERTY(Name, Kind, Access)                                                              \
    static_assert(std::is_same_v<decltype(std::declval<const TOrvek&>().Name()),                        \
                                 OrvekValue<OrvekKind::Kind>::Type>);                                   \
    template <class T>                                                                                  \
    constexpr bool HasSetter_##Name =                                                                   \
        requires(T& t) { t.set##Name(std::declval<typename OrvekValue<OrvekKind::Kind>::Type>()); };   \
    static_assert(HasSetter_##Name<TOrvek> == (#Access[1] == 'W'));
#define ORVEK_METHOD(Name) static_assert(std::is_same_v<decltype(std::declval<TOrvek&>().Name()), std::int32_t>);
#include "core/binding/OrvekMembers.def"

// A component that records what the binding hands it.
class RecordingComponent : public IOrvekComponent {
public:
    std::map<std::int32_t, QVariant> Values;
    std::vector<std::pair<std::int32_t, QVariant>> Puts;
    std::vector<std::int32_t> Invoked;
    std::int32_t NextCode = 0;
    bool DefaultInterface = true;
    // A method call raises the OLE error; with GoneAfterFailure the
    // component is gone afterwards and every property access raises too.
    bool FailInvoke = false;
    bool GoneAfterFailure = false;
    bool Gone = false;

    QVariant GetProperty(std::int32_t dispId) override
    {
        if (Gone)
            throw EOleError(QStringLiteral("Сервер RPC недоступен"));
        auto it = Values.find(dispId);
        return it == Values.end() ? QVariant(0) : it->second;
    }
    void PutProperty(std::int32_t dispId, const QVariant& value) override
    {
        if (Gone)
            throw EOleError(QStringLiteral("Сервер RPC недоступен"));
        Puts.emplace_back(dispId, value);
        Values[dispId] = value;
    }
    std::int32_t Invoke(std::int32_t dispId) override
    {
        Invoked.push_back(dispId);
        if (FailInvoke) {
            Gone = GoneAfterFailure;
            throw EOleError(QStringLiteral("Сервер RPC недоступен"));
        }
        return NextCode;
    }
    bool HasDefaultInterface() const override { return DefaultInterface; }
};

RecordingComponent* Recorder = nullptr;

class RecordingDriverTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        SetOrvekFactory([] {
            auto c = std::make_unique<RecordingComponent>();
            Recorder = c.get();
            return c;
        });
        Driver();
    }
    void TearDown() override
    {
        FreeDriver();
        Recorder = nullptr;
    }
    const QVariant& LastPut(OrvekProp p) const
    {
        EXPECT_FALSE(Recorder->Puts.empty());
        EXPECT_EQ(Recorder->Puts.back().first, DispId(p));
        return Recorder->Puts.back().second;
    }
};
} // namespace

TEST(Catalogue, BindingOffersExactlyTheCataloguesMembers)
{
    QStringList methods = QString::fromLatin1(CatalogueMethods).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList props = QString::fromLatin1(CatalogueProperties).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_EQ(methods.size(), 243);
    ASSERT_EQ(props.size(), 395);
    ASSERT_EQ(OrvekMethodCount, 243);
    ASSERT_EQ(OrvekPropCount, 395);

    for (int i = 0; i < OrvekMethodCount; ++i)
        EXPECT_EQ(ToQString(MethodName(OrvekMethod(i))), methods[i]);

    int readOnly = 0;
    QSet<std::int32_t> ids;
    for (int i = 0; i < OrvekPropCount; ++i) {
        const OrvekPropInfo& info = PropInfo(OrvekProp(i));
        QStringList marks;
        if (!KindMark(info.Kind).isEmpty())
            marks << KindMark(info.Kind);
        if (info.ReadOnly)
            marks << QStringLiteral("ro");
        QString entry = ToQString(info.Name) + (marks.isEmpty() ? QString() : QLatin1Char(':') + marks.join(QLatin1Char(',')));
        EXPECT_EQ(entry, props[i]);
        readOnly += info.ReadOnly;
        ids << DispId(OrvekProp(i));
        EXPECT_EQ(PropByDispId(DispId(OrvekProp(i))), OrvekProp(i));
        EXPECT_EQ(PropByName(info.Name), OrvekProp(i));
    }
    for (int i = 0; i < OrvekMethodCount; ++i) {
        ids << DispId(OrvekMethod(i));
        EXPECT_EQ(MethodByDispId(DispId(OrvekMethod(i))), OrvekMethod(i));
    }
    EXPECT_EQ(readOnly, 139);
    EXPECT_EQ(OrvekPropCount - readOnly, 256);
    EXPECT_EQ(ids.size(), OrvekPropCount + OrvekMethodCount);  // dispatch ids are unique
    EXPECT_FALSE(PropByDispId(0).has_value());
    EXPECT_FALSE(MethodByDispId(OrvekMethodDispBase + OrvekMethodCount).has_value());
}

TEST_F(DriverTest, DriverObjectLifecycle)
{
    EXPECT_FALSE(DriverExists());
    TDriver& first = Driver();
    EXPECT_TRUE(DriverExists());
    EXPECT_EQ(&Driver(), &first);
    FreeDriver();
    EXPECT_FALSE(DriverExists());
    FreeDriver();  // a second one does nothing
    EXPECT_FALSE(DriverExists());
    Driver();
    EXPECT_TRUE(DriverExists());
}

TEST_F(DriverTest, AfterFreeDriverTheNewComponentStartsFromItsStartupValuesAndSavedSettings)
{
    Driver().setPassword(1);
    Driver().setComNumber(5);
    Driver().setUseReceiptRibbon(false);
    FreeDriver();
    EXPECT_EQ(Driver().Password(), 30);
    EXPECT_EQ(Driver().ComNumber(), 5);   // the driver keeps its connection settings
    EXPECT_TRUE(Driver().UseReceiptRibbon());
}

TEST_F(DriverTest, FailedCreationRaisesWithPrefixLeavesNoObjectAndIsRetried)
{
    int attempts = 0;
    OrvekFactory working = SetOrvekFactory([&attempts]() -> std::unique_ptr<IOrvekComponent> {
        ++attempts;
        throw EOleError(QStringLiteral("Класс не зарегистрирован"));
    });
    for (int i = 0; i < 2; ++i) {
        try {
            Driver();
            ADD_FAILURE() << "no exception";
        } catch (const EOleError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Ошибка создания объекта драйвера: Класс не зарегистрирован"));
        }
        EXPECT_FALSE(DriverExists());
    }
    EXPECT_EQ(attempts, 2);

    SetOrvekFactory(working);
    EXPECT_EQ(Driver().Password(), 30);
    EXPECT_TRUE(DriverExists());
}

TEST_F(DriverTest, CreationWithoutFactoryAndForeignExceptions)
{
    SetOrvekFactory(nullptr);
    try {
        Driver();
        ADD_FAILURE() << "no exception";
    } catch (const EOleError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Ошибка создания объекта драйвера: ")));
    }
    // An exception outside the program's family passes unchanged.
    SetOrvekFactory([]() -> std::unique_ptr<IOrvekComponent> { throw std::runtime_error("boom"); });
    try {
        Driver();
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "boom");
    }
    EXPECT_FALSE(DriverExists());
}

TEST_F(RecordingDriverTest, WrapperReturnsTheCodeWithoutRaisingAndCheckAborts)
{
    Recorder->NextCode = 75;
    EXPECT_EQ(Driver().FNGetStatus(), 75);
    EXPECT_EQ(Driver().DampRequest(), 75);
    EXPECT_EQ(Recorder->Invoked, (std::vector<std::int32_t>{DispId(OrvekMethod::FNGetStatus), DispId(OrvekMethod::DampRequest)}));
    EXPECT_THROW(TDriver::Check(75), EAbort);
    EXPECT_THROW(Driver().Check(-1), EAbort);
    EXPECT_NO_THROW(TDriver::Check(0));
}

TEST_F(RecordingDriverTest, ValuesCrossTheBoundaryInTheirComponentForm)
{
    Driver().setUseReceiptRibbon(true);
    EXPECT_EQ(LastPut(OrvekProp::UseReceiptRibbon).typeId(), QMetaType::Short);
    EXPECT_EQ(LastPut(OrvekProp::UseReceiptRibbon).toInt(), -1);
    Driver().setUseReceiptRibbon(false);
    EXPECT_EQ(LastPut(OrvekProp::UseReceiptRibbon).toInt(), 0);

    Driver().setPrice(DoubleToCurrency(0.01));
    EXPECT_EQ(LastPut(OrvekProp::Price).typeId(), QMetaType::LongLong);
    EXPECT_EQ(LastPut(OrvekProp::Price).toLongLong(), 100);
    Driver().setSumm1(DoubleToCurrency(1));
    EXPECT_EQ(LastPut(OrvekProp::Summ1).toLongLong(), 10000);

    Driver().setDate(QDateToDateTime(QDate(1899, 12, 31)));
    EXPECT_EQ(LastPut(OrvekProp::Date).toDouble(), 1.0);
    Driver().setPassword(30);
    EXPECT_EQ(LastPut(OrvekProp::Password).typeId(), QMetaType::Int);
    Driver().setBarcodeAlignment(2);
    EXPECT_EQ(LastPut(OrvekProp::BarcodeAlignment).toInt(), 2);
    Driver().setTLVData(QStringLiteral("Текст"));
    EXPECT_EQ(LastPut(OrvekProp::TLVData).toString(), QStringLiteral("Текст"));

    // Any non-zero WordBool counts as true.
    for (auto [raw, expected] : {std::pair{QVariant::fromValue<short>(-1), true}, {QVariant(1), true},
                                 {QVariant(0), false}, {QVariant(true), true}}) {
        Recorder->Values[DispId(OrvekProp::PointPosition)] = raw;
        EXPECT_EQ(Driver().PointPosition(), expected) << raw.toString().toStdString();
    }
    Recorder->Values[DispId(OrvekProp::ContentsOfCashRegister)] = QVariant(qlonglong(1299000));
    EXPECT_EQ(Driver().ContentsOfCashRegister(), 1299000);
    // The model parameter value passes as the component gives it.
    Recorder->Values[DispId(OrvekProp::ModelParamValue)] = QVariant(true);
    EXPECT_EQ(Driver().ModelParamValue().typeId(), QMetaType::Bool);
    Recorder->Values[DispId(OrvekProp::ModelParamValue)] = QVariant(QStringLiteral("A.1"));
    EXPECT_EQ(Driver().ModelParamValue(), QVariant(QStringLiteral("A.1")));
}

TEST_F(RecordingDriverTest, PrintStringWidthPutsThePasswordBackWhenTheCallRaises)
{
    Driver().setPassword(1);
    Driver().setSysAdminPassword(30);
    Recorder->FailInvoke = true;
    EXPECT_THROW(Driver().GetPrintStringWidth(2), EOleError);
    EXPECT_EQ(Driver().Password(), 1);

    // A component gone in the middle refuses the restoring write as well:
    // that error reaches the caller, the program goes on.
    Recorder->GoneAfterFailure = true;
    EXPECT_THROW(Driver().GetPrintStringWidth(2), EOleError);
    Recorder->Gone = false;
    EXPECT_EQ(Driver().Password(), 30);
}

TEST_F(RecordingDriverTest, ComponentWithoutDefaultInterfaceFailsOnMethodsOnly)
{
    Recorder->DefaultInterface = false;
    EXPECT_NO_THROW(Driver().setPassword(3));
    EXPECT_EQ(Driver().Password(), 3);
    EXPECT_THROW(Driver().Connect(), EOleError);
}

TEST(DateTime, DayCountsFrom30December1899)
{
    struct Case {
        TDateTime Value;
        QDateTime Expected;
    } cases[] = {
        {0.0, QDateTime(QDate(1899, 12, 30), QTime(0, 0))},
        {36526.5, QDateTime(QDate(2000, 1, 1), QTime(12, 0))},
        {45000.75, QDateTime(QDate(2023, 3, 15), QTime(18, 0))},
        {-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateTimeToQDateTime(c.Value), c.Expected) << c.Value;
        EXPECT_DOUBLE_EQ(QDateTimeToDateTime(c.Expected), c.Value);
    }
    EXPECT_EQ(DoubleToCurrency(-12.99), -129900);
    EXPECT_DOUBLE_EQ(CurrencyToDouble(125000), 12.5);
}
