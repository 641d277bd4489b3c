#pragma once
// TfmAbout: the about box.
#include <QDialog>

class QLabel;

class TfmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfmAbout(QWidget* owner = nullptr);

    QLabel* lblDriverVersion;
    QLabel* lblTestVersion;
};

// Shows the about box modally over the owner window.
void ShowAboutBox(QWidget* owner);
