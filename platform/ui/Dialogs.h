#pragma once
// The dialogs service: message boxes, open/save file dialogs and text prompts.
// The programs show real Qt dialogs; tests install a ScriptedDialogs that
// answers from a queue and records what was shown, so no test blocks.
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class QInputDialog;
class QMessageBox;
class QWidget;

// The title of message boxes that name no caption (the application title).
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();
// The program's own title, as its main window's caption begins, set once at
// start: it titles every notice about the program's own files (Notify).
// Unset: the application title.
void SetProgramTitle(const QString& title);
QString ProgramTitle();

namespace Dialogs {

// Button results use the platform's numbers (IDOK = 1 ... IDNO = 7).
enum Result { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
enum class Icon { None, Information, Warning, Error, Question };

struct MessageRequest {
    QString text;
    QString caption;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Result defaultButton = mrNone;   // mrNone: the first button
};

struct FileRequest {
    bool save = false;
    QString title;
    QString filter;        // Qt filter text: "Text files (*.txt);;All files (*)"
    QString fileName;      // initial name / folder
    QString defaultExt;    // added when the user typed none (save)
    int* filterIndex = nullptr;  // save: receives the chosen filter, 1-based; with no defaultExt
                                 // the chosen filter's extension is added instead
};

struct PromptRequest {
    QString caption;
    QString prompt;
    QString value;         // initial value
};

class IDialogs {
public:
    virtual ~IDialogs() = default;
    virtual Result Message(const MessageRequest& request) = 0;
    // Empty string: the user cancelled.
    virtual QString FileName(const FileRequest& request) = 0;
    // False: the user cancelled; value unchanged.
    virtual bool Prompt(const PromptRequest& request, QString& value) = 0;
};

// The service in use (real Qt dialogs unless a test installed another).
IDialogs& Current();
// Installs a service; returns the previous one. Null restores the Qt dialogs.
std::unique_ptr<IDialogs> Install(std::unique_ptr<IDialogs> dialogs);

// The width a window needs for its title bar to show the title whole: the
// title in the title bar's (bold) font and room for the frame's icon and
// buttons.
int TitleWidth(const QString& title);
// Keeps the window at least as wide as its title needs, also when the title
// or the font changes. Called once the window's layout is made.
void KeepTitleWhole(QWidget* window);

// The message box and the text prompt as the service shows them, made but
// not run, each wide enough for its title.
std::unique_ptr<QMessageBox> MakeMessageBox(const MessageRequest& request, QWidget* parent = nullptr);
std::unique_ptr<QInputDialog> MakePrompt(const PromptRequest& request, QWidget* parent = nullptr);

// Shortcuts over Current().
Result MessageBox(const QString& text, const QString& caption, Buttons buttons = Buttons::Ok,
                  Icon icon = Icon::None, Result defaultButton = mrNone);
void ShowMessage(const QString& text);   // Ok, titled with the application title
void ShowError(const QString& text);     // Ok, error icon, application title
QString OpenFileName(const QString& title, const QString& filter, const QString& fileName = {});
// The filter entry of every file, "Все файлы (*)": file names here need no
// extension, so "*.*" would hide some.
QString AllFilesFilter();
QString SaveFileName(const QString& title, const QString& filter, const QString& fileName = {},
                     const QString& defaultExt = {}, int* filterIndex = nullptr);
bool InputQuery(const QString& caption, const QString& prompt, QString& value);

// Scripted answers for tests. Each shown dialog takes the next answer of its
// kind; a dialog with no answer queued is recorded and answered with Cancel
// (message: the default button's "no", file: "", prompt: false) and counted
// in unexpected().
class ScriptedDialogs : public IDialogs {
public:
    struct Shown {
        enum Kind { Message, File, Prompt } kind;
        MessageRequest message;
        FileRequest file;
        PromptRequest prompt;
    };

    void answerMessage(Result r) { FMessages.push_back(r); }
    // A file name, chosen with the filter of that number (1-based).
    void answerFile(const QString& name, int filterIndex = 1) { FFiles.push_back({name, filterIndex}); }
    void answerPrompt(const QString& value) { FPrompts.push_back(value); }
    void answerPromptCancel() { FPrompts.push_back(std::nullopt); }

    const std::vector<Shown>& shown() const { return FShown; }
    int unexpected() const { return FUnexpected; }

    // Texts of the message boxes shown so far.
    QStringList messages() const;
    QString lastMessage() const;
    void clear();

    Result Message(const MessageRequest& request) override;
    QString FileName(const FileRequest& request) override;
    bool Prompt(const PromptRequest& request, QString& value) override;

private:
    std::deque<Result> FMessages;
    std::deque<std::pair<QString, int>> FFiles;
    std::deque<std::optional<QString>> FPrompts;
    std::vector<Shown> FShown;
    int FUnexpected = 0;

};

} // namespace Dialogs
