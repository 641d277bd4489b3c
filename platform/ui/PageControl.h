#pragma once
// A page control: a tab widget that tells the user's switching of tabs
// (mouse, keys, wheel on the tabs) apart from a tab selected from code.
#include <QTabWidget>
#include <functional>

class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

signals:
    // The user switched from the tab `leftIndex` to currentIndex(). Selecting
    // a tab from code (setCurrentIndex) does not fire it.
    void userChanged(int leftIndex);

protected:
    bool event(QEvent* e) override;

private:
    friend class TPageControlTabBar;
    bool HandleInput(QEvent* e, const std::function<bool(QEvent*)>& handle);

    int FUserInput = 0;
    int FCurrent = -1;
};
