#pragma once
// The benchmarks' watch of the UI thread: the longest time between two
// paints of any widget of the program.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <algorithm>

// Times between the paints of any widget of the program.
class PaintWatch : public QObject {
public:
    PaintWatch() { qApp->installEventFilter(this); }
    void Start()
    {
        FClock.start();
        FLast = 0;
        FLongest = 0;
    }
    qint64 Longest() const { return std::max(FLongest, FClock.elapsed() - FLast); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const qint64 now = FClock.elapsed();
            FLongest = std::max(FLongest, now - FLast);
            FLast = now;
        }
        return false;
    }

private:
    QElapsedTimer FClock;
    qint64 FLast = 0;
    qint64 FLongest = 0;
};
