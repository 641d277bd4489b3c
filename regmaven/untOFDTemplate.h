#pragma once
// OFD parameter templates: XML files with the root "OFDParams" and one child
// per field, kept in the per-machine data folder.
#include <QString>
#include <QStringList>

namespace Regmaven {

// The nine field texts, in the file's order.
struct TOFDTemplate {
    QString OFDServer;
    QString OFDPort;
    QString OFDName;
    QString OFDUrl;
    QString INNOFD;
    QString TaxOfficeURL;
    QString ServerKM;
    QString PortKM;
    QString SenderEmail;

    bool operator==(const TOFDTemplate&) const = default;
};

// The environment variable that names another templates folder (tests).
inline constexpr const char* TemplatesFolderVariable = "REGMAVEN_TEMPLATES";

// The templates folder, created with its parents when missing.
QString TemplatesFolder();
// Full paths of the folder's "*.xml" files (not its subfolders), sorted by
// name; a file whose name holds the preferred operator's mark comes first.
QStringList TemplateFiles(const QString& Folder);

// The document: declaration, root and the children, indented.
QByteArray WriteOFDTemplate(const TOFDTemplate& Template);
// Children found by name in any order; missing ones give empty texts, others
// are ignored. Raises Exception for a document that is not well-formed or
// has another root.
TOFDTemplate ReadOFDTemplate(const QByteArray& Data);

// The files: raise Exception when the file cannot be read or written.
TOFDTemplate LoadOFDTemplate(const QString& FileName);
void SaveOFDTemplate(const QString& FileName, const TOFDTemplate& Template);

} // namespace Regmaven
