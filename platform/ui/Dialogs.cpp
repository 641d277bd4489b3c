#include "platform/ui/Dialogs.h"

#include <QCoreApplication>

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace Dialogs {

namespace {

class QtDialogs : public IDialogs {
public:
    Result Message(const MessageRequest& r) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(r.caption);
        box.setText(r.text);
        switch (r.icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Error: box.setIcon(QMessageBox::Critical); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        }
        struct B { Result result; QMessageBox::StandardButton button; };
        std::vector<B> buttons;
        switch (r.buttons) {
        case Buttons::Ok: buttons = {{mrOk, QMessageBox::Ok}}; break;
        case Buttons::OkCancel: buttons = {{mrOk, QMessageBox::Ok}, {mrCancel, QMessageBox::Cancel}}; break;
        case Buttons::YesNo: buttons = {{mrYes, QMessageBox::Yes}, {mrNo, QMessageBox::No}}; break;
        case Buttons::YesNoCancel:
            buttons = {{mrYes, QMessageBox::Yes}, {mrNo, QMessageBox::No}, {mrCancel, QMessageBox::Cancel}};
            break;
        case Buttons::AbortRetryIgnore:
            buttons = {{mrAbort, QMessageBox::Abort}, {mrRetry, QMessageBox::Retry}, {mrIgnore, QMessageBox::Ignore}};
            break;
        case Buttons::RetryCancel: buttons = {{mrRetry, QMessageBox::Retry}, {mrCancel, QMessageBox::Cancel}}; break;
        }
        QMessageBox::StandardButtons set;
        for (const B& b : buttons)
            set |= b.button;
        box.setStandardButtons(set);
        Result def = r.defaultButton == mrNone ? buttons.front().result : r.defaultButton;
        for (const B& b : buttons)
            if (b.result == def)
                box.setDefaultButton(b.button);
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        for (const B& b : buttons)
            if (clicked == box.button(b.button))
                return b.result;
        // Closed by Escape or the close box.
        for (const B& b : buttons)
            if (b.result == mrCancel || b.result == mrNo)
                return b.result;
        return buttons.front().result;
    }

    QString FileName(const FileRequest& r) override
    {
        QWidget* parent = QApplication::activeWindow();
        if (!r.save)
            return QFileDialog::getOpenFileName(parent, r.title, r.fileName, r.filter);
        QFileDialog dialog(parent, r.title, r.fileName, r.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        if (!r.defaultExt.isEmpty()) {
            dialog.setDefaultSuffix(r.defaultExt);
        } else if (r.filterIndex) {
            // The chosen filter's extension, so that the overwrite prompt sees the whole name.
            auto followFilter = [&dialog](const QString& filter) {
                static const QRegularExpression single(QStringLiteral("\\(\\s*\\*\\.(\\w+)\\s*\\)$"));
                const QRegularExpressionMatch m = single.match(filter);
                dialog.setDefaultSuffix(m.hasMatch() ? m.captured(1) : QString());
            };
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
            followFilter(dialog.selectedNameFilter());
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        if (r.filterIndex)
            *r.filterIndex = int(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
        return dialog.selectedFiles().first();
    }

    bool Prompt(const PromptRequest& r, QString& value) override
    {
        bool ok = false;
        QString text = QInputDialog::getText(QApplication::activeWindow(), r.caption, r.prompt,
                                             QLineEdit::Normal, r.value, &ok);
        if (ok)
            value = text;
        return ok;
    }
};

std::unique_ptr<IDialogs>& Slot()
{
    static std::unique_ptr<IDialogs> current = std::make_unique<QtDialogs>();
    return current;
}

} // namespace

IDialogs& Current()
{
    return *Slot();
}

std::unique_ptr<IDialogs> Install(std::unique_ptr<IDialogs> dialogs)
{
    std::unique_ptr<IDialogs> previous = std::move(Slot());
    Slot() = dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>();
    return previous;
}

Result MessageBox(const QString& text, const QString& caption, Buttons buttons, Icon icon, Result defaultButton)
{
    return Current().Message({text, caption, buttons, icon, defaultButton});
}

void ShowMessage(const QString& text)
{
    MessageBox(text, ApplicationTitle());
}

void ShowError(const QString& text)
{
    MessageBox(text, ApplicationTitle(), Buttons::Ok, Icon::Error);
}

QString AllFilesFilter()
{
    return QStringLiteral("Все файлы (*)");
}

QString OpenFileName(const QString& title, const QString& filter, const QString& fileName)
{
    FileRequest r;
    r.title = title;
    r.filter = filter;
    r.fileName = fileName;
    return Current().FileName(r);
}

QString SaveFileName(const QString& title, const QString& filter, const QString& fileName, const QString& defaultExt,
                     int* filterIndex)
{
    FileRequest r;
    r.save = true;
    r.title = title;
    r.filter = filter;
    r.fileName = fileName;
    r.defaultExt = defaultExt;
    r.filterIndex = filterIndex;
    return Current().FileName(r);
}

bool InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    return Current().Prompt({caption, prompt, value}, value);
}

// --- ScriptedDialogs -------------------------------------------------------

QStringList ScriptedDialogs::messages() const
{
    QStringList list;
    for (const Shown& s : FShown)
        if (s.kind == Shown::Message)
            list << s.message.text;
    return list;
}

QString ScriptedDialogs::lastMessage() const
{
    QStringList list = messages();
    return list.isEmpty() ? QString() : list.last();
}

void ScriptedDialogs::clear()
{
    FMessages.clear();
    FFiles.clear();
    FPrompts.clear();
    FShown.clear();
    FUnexpected = 0;
}

Result ScriptedDialogs::Message(const MessageRequest& request)
{
    Shown s{Shown::Message, request, {}, {}};
    FShown.push_back(s);
    if (!FMessages.empty()) {
        Result r = FMessages.front();
        FMessages.pop_front();
        return r;
    }
    switch (request.buttons) {
    case Buttons::Ok: return mrOk;  // a plain message needs no script
    case Buttons::YesNo: ++FUnexpected; return mrNo;
    default: ++FUnexpected; return mrCancel;
    }
}

QString ScriptedDialogs::FileName(const FileRequest& request)
{
    FShown.push_back({Shown::File, {}, request, {}});
    if (FFiles.empty()) {
        ++FUnexpected;
        return {};
    }
    const auto [name, filterIndex] = FFiles.front();
    FFiles.pop_front();
    if (request.filterIndex)
        *request.filterIndex = filterIndex;
    return name;
}

bool ScriptedDialogs::Prompt(const PromptRequest& request, QString& value)
{
    FShown.push_back({Shown::Prompt, {}, {}, request});
    if (FPrompts.empty()) {
        ++FUnexpected;
        return false;
    }
    std::optional<QString> answer = FPrompts.front();
    FPrompts.pop_front();
    if (!answer)
        return false;
    value = *answer;
    return true;
}

} // namespace Dialogs

namespace {
QString& Title()
{
    static QString title;
    return title;
}

QString& OwnTitle()
{
    static QString title;
    return title;
}
} // namespace

void SetApplicationTitle(const QString& title)
{
    Title() = title;
}

QString ApplicationTitle()
{
    if (Title().isEmpty() && QCoreApplication::instance())
        return QCoreApplication::applicationName();
    return Title();
}

void SetProgramTitle(const QString& title)
{
    OwnTitle() = title;
}

QString ProgramTitle()
{
    return OwnTitle().isEmpty() ? ApplicationTitle() : OwnTitle();
}
