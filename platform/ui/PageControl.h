#pragma once
// A page control: a tab widget that tells the user's switching of tabs
// (mouse, keys, wheel on the tabs) apart from a tab selected from code.
#include <QTabWidget>

class TPageControlTabBar;

class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
    ~TPageControl() override;

signals:
    // The user switched from the tab `leftIndex` to currentIndex(). Selecting
    // a tab from code (setCurrentIndex) does not fire it.
    void userChanged(int leftIndex);

protected:
    bool event(QEvent* e) override;

private:
    int FUserInput = 0;   // the user's input on the widget being handled now
    int FCurrent = -1;
    TPageControlTabBar* FTabBar;
    QMetaObject::Connection FCurrentChanged;
};
