// The window face of tally (Qt Widgets): on a phone-shaped screen it covers
// the screen as arkive's window does; elsewhere it has the phone's 240x320.
#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QPointer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "inputpacer.h"
#include "options.h"
#include "session.h"
#include "ticker.h"

class QFrame;
class QTextLayout;
class QListWidget;
class QPushButton;
class QSocketNotifier;
class QTimer;

namespace tally {

// The window's size off a phone-shaped screen (pixels).
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
// How long after showSoon() the contents show when no paint has come (ms).
constexpr std::chrono::milliseconds kRevealLimit{250};
// Longest error text shown in the window (characters).
constexpr int kMaxShownErrorChars = 160;
// The busy bar: its block is this part of the groove and moves this part of
// the rest at each step (thousandths).
constexpr int kBusyBlockPermille = 250;
constexpr int kBusyStepPermille = 100;

// A one-line label that elides its text in the middle to the width it gets
// and never asks for more width than that.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);
    void setFullText(const QString& text);
    QString fullText() const { return full_; }
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void elide();
    QString full_;
};

// A label that shows its whole text, broken into lines at word boundaries
// where it can and anywhere where it must (a path has few spaces). It asks
// for no width of its own.
class WrappedLabel : public QWidget {
    Q_OBJECT
public:
    explicit WrappedLabel(QWidget* parent = nullptr);
    void setFullText(const QString& text);
    QString fullText() const { return text_; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lays the text out in `width` pixels; returns its height.
    int layOut(QTextLayout& layout, int width) const;
    QString text_;
};

// The progress bar. Busy (no total known) it shows a block that moves one
// step each time the state is shown, so that it repaints no more often than
// the rest (the style's own busy animation runs at its own, high rate).
class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);
    void setBusy(bool busy);
    bool isBusy() const { return busy_; }
    void step();
    int phase() const { return phase_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool busy_ = false;
    int phase_ = 0;
};

class TallyWindow : public QWidget {
    Q_OBJECT
public:
    explicit TallyWindow(Operation op, QWidget* parent = nullptr);

    // Shows the window at once and its contents right after it is on the
    // screen: measuring text first loads the fonts (the system's font
    // configuration), which would hold up the window by half its start-up.
    void showSoon();

    // Shows the state; a snapshot whose outcome is not Running shows the
    // result and the Close button.
    void showSnapshot(const Snapshot& s);
    bool isFinished() const { return finished_; }
    bool isConfirming() const;
    // The archive is a split set of `count` volumes (1: one file): the job's
    // line says so.
    void setVolumes(std::size_t count);
    // How many times the state was shown (repaints of the contents).
    int updates() const { return updates_; }

    // The parts, for tests (also reachable by object name).
    QPushButton* stopButton() const { return stop_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* confirmStopButton() const { return confirmStop_; }
    QPushButton* keepGoingButton() const { return keepGoing_; }
    ProgressBar* progressBar() const { return bar_; }
    QString titleText() const;
    QString jobText() const;
    QString memberText() const;
    QString countsText() const;
    QString resultText() const;

    // The words of a state in the user's language (the text face keeps the
    // English of session.h).
    static QString titleWords(const Snapshot& s);
    static QString countsWords(const Snapshot& s);
    static QString sizesWords(const Snapshot& s);
    static QString timesWords(const Snapshot& s);
    static QString detailWords(const Snapshot& s);

signals:
    void stopConfirmed();
    // Closed after the end (Close button, or the window closed).
    void closedAtEnd();
    // Closed while the work goes on: hidden, the reading goes on.
    void hiddenDuringWork();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A window hidden or destroyed after the end (by the window manager,
    // say) is gone as if closed; a minimised one is not.
    bool event(QEvent* event) override;

private:
    void askStop();
    void reveal();
    void answerStop(bool stop);

    Operation op_;
    bool revealPending_ = false;
    bool finished_ = false;
    bool stopping_ = false;
    int updates_ = 0;
    std::size_t volumes_ = 1;
    QWidget* content_;
    QLabel* title_;
    WrappedLabel* job_;
    ElidedLabel* member_;
    ProgressBar* bar_;
    ElidedLabel* counts_;
    ElidedLabel* sizes_;
    ElidedLabel* times_;
    QLabel* result_;
    QListWidget* messages_;   // every message kept, at the end when there are several
    QFrame* confirm_;
    QLabel* confirmText_;
    QPushButton* confirmStop_;
    QPushButton* keepGoing_;
    QPushButton* stop_;
    QPushButton* close_;
};

// Reads the listing from a descriptor into a Session and drives the window:
// reads in rounds (InputPacer), repaints at most every kRepaintInterval and
// once at the end of input, which a notifier on the writers' hang-up tells
// at once.
class GuiRunner : public QObject {
    Q_OBJECT
public:
    // The stop action; the default one ends the writers of fd (PipeStopper)
    // without blocking the event loop.
    using StopAction = std::function<void()>;

    GuiRunner(const Options& options, int fd, TallyWindow* window, QObject* parent = nullptr);
    ~GuiRunner() override;

    void setStopAction(StopAction action) { stopAction_ = std::move(action); }
    void start();
    // Without the event loop: reads the rest of the input, blocking, and
    // returns the exit status. For the end of the window (a display that
    // went away), so that the archiver still gets its listing read.
    int drainBlocking();

    // The job has ended: input ended and the result is in place.
    bool jobEnded() const { return session_.ended(); }
    int exitStatus() const { return exitStatus_; }
    Session& session() { return session_; }

signals:
    // All is over: input ended and the window is closed or hidden.
    void finished(int exitStatus);

private:
    void readSome();
    void scheduleRead();
    void repaint();
    void endOfInput();
    void placementEnded();
    void stop();
    void interrupted();
    void defaultStop();
    void maybeFinish();

    Options options_;
    int fd_;
    TallyWindow* window_;
    StatFileProbe probe_;
    Session session_;
    std::unique_ptr<char[]> buffer_;
    Ticker<Clock> ticker_;
    InputPacer pacer_;
    int hangupFd_ = -1;   // an epoll set that is readable when the writers hang up
    QSocketNotifier* hangup_ = nullptr;
    QTimer* readTimer_ = nullptr;
    QTimer* stopTimer_ = nullptr;
    QTimer* placeTimer_ = nullptr;       // repaints while the result is put in place
    QSocketNotifier* signalled_ = nullptr;
    std::thread placer_;                 // puts the result in place beside the window
    std::unique_ptr<class PipeStopper> stopper_;
    Clock::time_point stopDeadline_;
    StopAction stopAction_;
    int exitStatus_ = -1;
    bool hidden_ = false;
    bool closedAtEnd_ = false;
    bool finishedSent_ = false;
};

} // namespace tally
