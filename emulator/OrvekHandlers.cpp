#include "emulator/OrvekHandlers.h"

namespace {
OrvekHandlerTable BuildHandlers()
{
    OrvekHandlerTable t;
    AddConnectionHandlers(t);
    AddStatusHandlers(t);
    AddTableHandlers(t);
    AddPrintHandlers(t);
    AddServiceHandlers(t);
    AddDialogHandlers(t);
    AddTagHandlers(t);
    AddTagEntryHandlers(t);
    AddRawExchangeHandlers(t);
    AddFNHandlers(t);
    AddReceiptHandlers(t);
    AddFNReceiptHandlers(t);
    AddDeviceStatusHandlers(t);
    AddTextHandlers(t);
    AddMarkingHandlers(t);
    AddReportHandlers(t);
    AddPresenterHandlers(t);
    AddFontHandlers(t);
    AddBoardHandlers(t);
    AddGraphicsHandlers(t);
    AddBarcodeHandlers(t);
    AddFiscalizationHandlers(t);
    AddArchiveHandlers(t);
    AddDrawerHandlers(t);
    AddVintrelHandlers(t);
    AddDocumentHandlers(t);
    AddFirmwareHandlers(t);
    AddServiceOperationHandlers(t);
    AddLDHandlers(t);
    AddPrintServerHandlers(t);
    AddDiagnosticsHandlers(t);
    return t;
}
} // namespace

const OrvekHandlerTable& OrvekHandlers()
{
    static const OrvekHandlerTable table = BuildHandlers();
    return table;
}
