#pragma once
// Code tables of the FN that several pages show.
#include <QString>
#include <cstdint>

// The name of an FN document type in the code set of the document search
// (FNFindDocument); "Неизвестный тип документа" for any other code.
QString FNFindDocumentTypeToStr(std::int32_t Type);
// The name of the current document type in the code set of the FN status
// (FNGetStatus); "Неизвестный тип документа" for any other code.
QString FNStatusDocumentTypeToStr(std::int32_t Type);
// The text of an FN error code; "Неизвестный код ошибки" for any other code.
QString GetFNErrorDescription(std::int32_t Code);
