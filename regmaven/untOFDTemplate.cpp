#include "regmaven/untOFDTemplate.h"

#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/FileRead.h"

#include <QDir>
#include <QDomDocument>
#include <QStandardPaths>
#include <QXmlStreamWriter>
#include <array>
#include <utility>

namespace Regmaven {

namespace {

const QString RootName = QStringLiteral("OFDParams");
// A template whose path holds this mark is listed first.
const QString PreferredMark = QStringLiteral("ЯРУС (ОФД-Я)");

using TField = QString TOFDTemplate::*;
const std::array<std::pair<const char*, TField>, 9> Fields = {{
    {"OFDServer", &TOFDTemplate::OFDServer},
    {"OFDPort", &TOFDTemplate::OFDPort},
    {"OFDName", &TOFDTemplate::OFDName},
    {"OFDUrl", &TOFDTemplate::OFDUrl},
    {"INNOFD", &TOFDTemplate::INNOFD},
    {"TaxOfficeURL", &TOFDTemplate::TaxOfficeURL},
    {"ServerKM", &TOFDTemplate::ServerKM},
    {"PortKM", &TOFDTemplate::PortKM},
    {"SenderEmail", &TOFDTemplate::SenderEmail},
}};

} // namespace

QString TemplatesFolder()
{
    QString folder = qEnvironmentVariable(TemplatesFolderVariable);
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/TestOrvek/Regmaven/Templates");
    }
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

QStringList TemplateFiles(const QString& Folder)
{
    QStringList files;
    const QDir dir(Folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    for (qsizetype i = files.size() - 1; i >= 0; --i)
        if (files[i].contains(PreferredMark)) {
            files.move(i, 0);
            break;
        }
    return files;
}

QByteArray WriteOFDTemplate(const TOFDTemplate& Template)
{
    QByteArray data;
    QXmlStreamWriter writer(&data);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(2);
    writer.writeStartDocument(QStringLiteral("1.0"));
    writer.writeStartElement(RootName);
    for (const auto& [name, field] : Fields)
        writer.writeTextElement(QLatin1String(name), Template.*field);
    writer.writeEndElement();
    writer.writeEndDocument();
    return data;
}

TOFDTemplate ReadOFDTemplate(const QByteArray& Data)
{
    QDomDocument document;
    QString error;
    int line = 0, column = 0;
    if (!document.setContent(Data, &error, &line, &column))
        throw Exception(
            QStringLiteral("Ошибка в файле шаблона (строка %1, позиция %2): %3").arg(line).arg(column).arg(error));
    const QDomElement root = document.documentElement();
    if (root.tagName() != RootName)
        throw Exception(QStringLiteral("Файл не является шаблоном параметров ОФД: нет элемента \"%1\"").arg(RootName));
    TOFDTemplate result;
    for (const auto& [name, field] : Fields)
        result.*field = root.firstChildElement(QLatin1String(name)).text();
    return result;
}

TOFDTemplate LoadOFDTemplate(const QString& FileName)
{
    return ReadOFDTemplate(ReadUserFile(FileName, MaxTextFileSize));
}

void SaveOFDTemplate(const QString& FileName, const TOFDTemplate& Template)
{
    const QString error = WriteFileAtomically(FileName, WriteOFDTemplate(Template));
    if (!error.isEmpty())
        throw Exception(QStringLiteral("Не удалось сохранить файл \"%1\": %2").arg(FileName, error));
}

} // namespace Regmaven
