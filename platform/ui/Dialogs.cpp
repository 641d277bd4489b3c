#include "platform/ui/Dialogs.h"

#include <QCoreApplication>

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace Dialogs {

namespace {

struct TButton {
    Result result;
    QMessageBox::StandardButton button;
};

std::vector<TButton> ButtonsOf(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return {{mrOk, QMessageBox::Ok}};
    case Buttons::OkCancel: return {{mrOk, QMessageBox::Ok}, {mrCancel, QMessageBox::Cancel}};
    case Buttons::YesNo: return {{mrYes, QMessageBox::Yes}, {mrNo, QMessageBox::No}};
    case Buttons::YesNoCancel:
        return {{mrYes, QMessageBox::Yes}, {mrNo, QMessageBox::No}, {mrCancel, QMessageBox::Cancel}};
    case Buttons::AbortRetryIgnore:
        return {{mrAbort, QMessageBox::Abort}, {mrRetry, QMessageBox::Retry}, {mrIgnore, QMessageBox::Ignore}};
    case Buttons::RetryCancel: return {{mrRetry, QMessageBox::Retry}, {mrCancel, QMessageBox::Cancel}};
    }
    return {{mrOk, QMessageBox::Ok}};
}

// Keeps a window as wide as its title needs: a window with a layout (which
// may fix the window's size) gets a row of that width, one without a
// minimum width.
class TTitleWidth : public QObject {
public:
    explicit TTitleWidth(QWidget* window) : QObject(window), FWindow(window) { Apply(); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A window may make its layout only when first shown (it is polished then).
        if (watched == FWindow && (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::FontChange
                                   || (event->type() == QEvent::Polish && !FRoom && FWindow->layout())))
            Apply();
        return false;
    }

private:
    void Apply()
    {
        const int width = TitleWidth(FWindow->windowTitle());
        QLayout* layout = FWindow->layout();
        if (!layout) {
            FWindow->setMinimumWidth(std::max(FWindow->minimumWidth(), width));
            return;
        }
        if (FRoom) {
            FRoom->changeSize(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
            layout->invalidate();
            return;
        }
        FRoom = new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
        if (auto* grid = qobject_cast<QGridLayout*>(layout))
            grid->addItem(FRoom, grid->rowCount(), 0, 1, std::max(1, grid->columnCount()));
        else
            layout->addItem(FRoom);
    }

    QWidget* FWindow;
    QSpacerItem* FRoom = nullptr;   // owned by the layout
};

class QtDialogs : public IDialogs {
public:
    Result Message(const MessageRequest& r) override
    {
        std::unique_ptr<QMessageBox> box = MakeMessageBox(r, QApplication::activeWindow());
        const std::vector<TButton> buttons = ButtonsOf(r.buttons);
        box->exec();
        QAbstractButton* clicked = box->clickedButton();
        for (const TButton& b : buttons)
            if (clicked == box->button(b.button))
                return b.result;
        // Closed by Escape or the close box.
        for (const TButton& b : buttons)
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
        std::unique_ptr<QInputDialog> dialog = MakePrompt(r, QApplication::activeWindow());
        if (dialog->exec() != QDialog::Accepted)
            return false;
        value = dialog->textValue();
        return true;
    }
};

std::unique_ptr<IDialogs>& Slot()
{
    static std::unique_ptr<IDialogs> current = std::make_unique<QtDialogs>();
    return current;
}

} // namespace

int TitleWidth(const QString& title)
{
    // The frame's icon, its three buttons and the paddings between them.
    constexpr int TitleBarRoom = 160;
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + TitleBarRoom;
}

void KeepTitleWhole(QWidget* window)
{
    window->installEventFilter(new TTitleWidth(window));
}

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageRequest& r, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(r.caption);
    box->setText(r.text);
    switch (r.icon) {
    case Icon::None: box->setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box->setIcon(QMessageBox::Information); break;
    case Icon::Warning: box->setIcon(QMessageBox::Warning); break;
    case Icon::Error: box->setIcon(QMessageBox::Critical); break;
    case Icon::Question: box->setIcon(QMessageBox::Question); break;
    }
    const std::vector<TButton> buttons = ButtonsOf(r.buttons);
    QMessageBox::StandardButtons set;
    for (const TButton& b : buttons)
        set |= b.button;
    box->setStandardButtons(set);
    const Result def = r.defaultButton == mrNone ? buttons.front().result : r.defaultButton;
    for (const TButton& b : buttons)
        if (b.result == def)
            box->setDefaultButton(b.button);
    // The box sizes itself to its layout when shown.
    KeepTitleWhole(box.get());
    return box;
}

std::unique_ptr<QInputDialog> MakePrompt(const PromptRequest& r, QWidget* parent)
{
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setWindowTitle(r.caption);
    dialog->setLabelText(r.prompt);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextValue(r.value);
    KeepTitleWhole(dialog.get());
    return dialog;
}

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
