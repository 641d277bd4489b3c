#pragma once
// TfmSelectFNDocumentRange: "Выберите диапазон документов", the first and the
// last number of the FN documents to list.
#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class TUpDown;

class TfmSelectFNDocumentRange : public QDialog {
    Q_OBJECT
public:
    explicit TfmSelectFNDocumentRange(QWidget* parent = nullptr);

    QLabel* lblFNInfo;
    QLineEdit* edtFirstDocumentNumber;
    QLineEdit* edtLastDocumentNumber;
    TUpDown* udFirstDocumentNumber;
    TUpDown* udLastDocumentNumber;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    // A step that would put the last number below the first is refused.
    void udFirstDocumentNumberChanging(int NewPosition, bool* AllowChange);
    void udLastDocumentNumberChanging(int NewPosition, bool* AllowChange);
};

// Asks for the range; on entry Last is the number of the FN's last document.
// First and Last get the chosen numbers whatever the answer; true for OK.
bool QuerySelectFNDocumentRange(std::int32_t& First, std::int32_t& Last);
