#include "window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QPainter>
#include <QPlatformSurfaceEvent>
#include <QProgressBar>
#include <QStyle>
#include <QStyleOptionProgressBar>
#include <QTextLayout>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <QVBoxLayout>

#include <poll.h>
#include <sys/epoll.h>
#include <unistd.h>

#include <cmath>

#include "desktopnotice.h"
#include "endsignals.h"
#include "finisher.h"
#include "pngfile.h"
#include "stopper.h"
#include "textutil.h"
#include "zglobal.h"

namespace tally {

namespace {

// arkive's icon, relative to tally's own folder (the program folder's bin/).
constexpr const char* AppIcon = "/../res/arkive.png";

QString q(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

ElidedLabel* makeLine(QWidget* parent, const char* name)
{
    auto* label = new ElidedLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

// --- ElidedLabel -------------------------------------------------------------

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text)
{
    if (text == full_)
        return;
    full_ = text;
    elide();
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(0, fontMetrics().height());
}

QSize ElidedLabel::sizeHint() const
{
    return QSize(fontMetrics().averageCharWidth() * 20, fontMetrics().height());
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    elide();
}

void ElidedLabel::elide()
{
    // Measuring loads the fonts: not before the label is shown.
    if (!isVisible())
        return;
    const QString shown = fontMetrics().elidedText(full_, Qt::ElideMiddle, qMax(0, width()));
    if (shown != text())
        setText(shown);
    setToolTip(shown == full_ ? QString() : full_);
}

// --- WrappedLabel ------------------------------------------------------------

WrappedLabel::WrappedLabel(QWidget* parent) : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void WrappedLabel::setFullText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    updateGeometry();
    update();
}

int WrappedLabel::layOut(QTextLayout& layout, int width) const
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setText(text_);
    layout.setFont(font());
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(qMax(1, width));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return int(std::ceil(y));
}

int WrappedLabel::heightForWidth(int width) const
{
    if (text_.isEmpty())
        return 0;
    QTextLayout layout;
    return layOut(layout, width);
}

QSize WrappedLabel::sizeHint() const
{
    return QSize(0, heightForWidth(qMax(1, width())));
}

QSize WrappedLabel::minimumSizeHint() const
{
    return QSize(0, text_.isEmpty() ? 0 : fontMetrics().height());
}

void WrappedLabel::paintEvent(QPaintEvent*)
{
    QTextLayout layout;
    layOut(layout, width());
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, QPointF(0, 0));
}

// --- ProgressBar -------------------------------------------------------------

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent)
{
    setRange(0, 1000);
    setValue(0);
}

void ProgressBar::setBusy(bool busy)
{
    if (busy == busy_)
        return;
    busy_ = busy;
    phase_ = 0;
    update();
}

void ProgressBar::step()
{
    if (!busy_)
        return;
    // Back and forth over 2000 thousandths: 0..1000 right, then left.
    phase_ = (phase_ + kBusyStepPermille) % 2000;
    update();
}

void ProgressBar::paintEvent(QPaintEvent* event)
{
    if (!busy_) {
        QProgressBar::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionProgressBar groove;
    initStyleOption(&groove);
    groove.minimum = 0;
    groove.maximum = 1000;
    groove.progress = 0;
    groove.textVisible = false;
    style()->drawControl(QStyle::CE_ProgressBarGroove, &groove, &painter, this);
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    const int block = qMax(4, inner.width() * kBusyBlockPermille / 1000);
    const int pos = phase_ <= 1000 ? phase_ : 2000 - phase_;
    const int x = inner.left() + (inner.width() - block) * pos / 1000;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Highlight));
    painter.drawRoundedRect(QRect(x, inner.top(), block, inner.height()), 2, 2);
}

// --- TallyWindow -------------------------------------------------------------

TallyWindow::TallyWindow(Operation op, QWidget* parent) : QWidget(parent), op_(op)
{
    setObjectName(QStringLiteral("tallyWindow"));
    setWindowTitle(QStringLiteral("tally"));
    // Everything lies in one child, so that showSoon() can map the window
    // before any text is measured.
    content_ = new QWidget(this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(content_);
    auto* layout = new QVBoxLayout(content_);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(6);

    title_ = new QLabel(op == Operation::Packing ? tr("Packing") : tr("Unpacking"), content_);
    title_->setObjectName(QStringLiteral("title"));
    title_->setTextFormat(Qt::PlainText);
    QFont big = title_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    title_->setFont(big);
    title_->setWordWrap(true);   // a long title in a narrow window goes on a second line
    title_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(title_);

    // The archive's name whole: which archive it is must never be guessed.
    job_ = new WrappedLabel(content_);
    job_->setObjectName(QStringLiteral("job"));
    layout->addWidget(job_);

    member_ = makeLine(content_, "member");
    layout->addWidget(member_);

    bar_ = new ProgressBar(content_);
    bar_->setObjectName(QStringLiteral("bar"));
    bar_->setBusy(true);
    bar_->setTextVisible(true);
    bar_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(bar_);

    counts_ = makeLine(content_, "counts");
    sizes_ = makeLine(content_, "sizes");
    times_ = makeLine(content_, "times");
    layout->addWidget(counts_);
    layout->addWidget(sizes_);
    layout->addWidget(times_);

    result_ = new QLabel(content_);
    result_->setObjectName(QStringLiteral("result"));
    result_->setTextFormat(Qt::PlainText);
    result_->setWordWrap(true);
    result_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    result_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::MinimumExpanding);
    result_->hide();
    layout->addWidget(result_, 1);

    messages_ = new QListWidget(content_);
    messages_->setObjectName(QStringLiteral("messages"));
    messages_->setWordWrap(true);
    messages_->setSelectionMode(QAbstractItemView::NoSelection);
    messages_->setFocusPolicy(Qt::NoFocus);
    messages_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    messages_->hide();
    layout->addWidget(messages_, 2);
    layout->addStretch(0);

    // The confirmation, in the window itself: no dialog to lose on a phone.
    confirm_ = new QFrame(content_);
    confirm_->setObjectName(QStringLiteral("confirm"));
    confirm_->setFrameShape(QFrame::StyledPanel);
    auto* confirmLayout = new QVBoxLayout(confirm_);
    confirmLayout->setContentsMargins(6, 6, 6, 6);
    confirmText_ = new QLabel(confirm_);
    confirmText_->setWordWrap(true);
    confirmText_->setTextFormat(Qt::PlainText);
    confirmText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    confirmText_->setText(op == Operation::Packing
                              ? tr("Stop packing? Nothing will be written.")
                              : tr("Stop unpacking? The files unpacked so far stay."));
    confirmLayout->addWidget(confirmText_);
    auto* confirmButtons = new QHBoxLayout;
    confirmStop_ = new QPushButton(tr("Stop now"), confirm_);
    confirmStop_->setObjectName(QStringLiteral("confirmStop"));
    keepGoing_ = new QPushButton(tr("Go on"), confirm_);
    keepGoing_->setObjectName(QStringLiteral("keepGoing"));
    confirmButtons->addWidget(confirmStop_);
    confirmButtons->addWidget(keepGoing_);
    confirmLayout->addLayout(confirmButtons);
    confirm_->hide();
    layout->addWidget(confirm_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    stop_ = new QPushButton(tr("Stop"), content_);
    stop_->setObjectName(QStringLiteral("stop"));
    close_ = new QPushButton(tr("Close"), content_);
    close_->setObjectName(QStringLiteral("close"));
    close_->hide();
    buttons->addWidget(stop_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    connect(stop_, &QPushButton::clicked, this, &TallyWindow::askStop);
    connect(confirmStop_, &QPushButton::clicked, this, [this] { answerStop(true); });
    connect(keepGoing_, &QPushButton::clicked, this, [this] { answerStop(false); });
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    if (!ZGlobal::fillScreen(this))
        resize(kScreenWidth, kScreenHeight);
}

void TallyWindow::showSoon()
{
    content_->hide();
    revealPending_ = true;
    show();
    // Should no paint come (a window that is never exposed), the contents
    // show all the same.
    QTimer::singleShot(kRevealLimit, this, &TallyWindow::reveal);
}

void TallyWindow::reveal()
{
    if (!revealPending_)
        return;
    revealPending_ = false;
    content_->show();
    // tally is a part of arkive: its window shows arkive's icon.
    // The icon is a picture to decode and a hint to the window manager: it
    // can come after the window.
    setWindowIcon(QIcon(readPng(QGuiApplication::applicationDirPath() + QLatin1String(AppIcon))));
}

void TallyWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // The window is on the screen: now the contents, on the next turn of
    // the event loop so that this paint reaches the screen first.
    if (revealPending_)
        QTimer::singleShot(0, this, &TallyWindow::reveal);
}

bool TallyWindow::isConfirming() const
{
    return confirm_->isVisibleTo(const_cast<TallyWindow*>(this));
}

QString TallyWindow::titleText() const { return title_->text(); }
QString TallyWindow::jobText() const { return job_->fullText(); }

void TallyWindow::setVolumes(std::size_t count)
{
    volumes_ = count;
}
QString TallyWindow::memberText() const { return member_->fullText(); }
QString TallyWindow::countsText() const { return counts_->fullText(); }
QString TallyWindow::resultText() const { return result_->text(); }


void TallyWindow::askStop()
{
    if (finished_ || stopping_)
        return;
    stop_->setEnabled(false);
    confirm_->show();
    keepGoing_->setFocus();
}

void TallyWindow::answerStop(bool stop)
{
    confirm_->hide();
    if (finished_)
        return;
    if (!stop) {
        stop_->setEnabled(true);
        return;
    }
    stopping_ = true;
    stop_->setEnabled(false);
    emit stopConfirmed();
}

void TallyWindow::showSnapshot(const Snapshot& s)
{
    ++updates_;
    title_->setText(titleWords(s));
    QString job = q(s.job);
    if (!job.isEmpty() && volumes_ > 1)
        job += QLatin1Char(' ') + tr("(%n volumes)", nullptr, int(volumes_));
    job_->setFullText(job);
    job_->setVisible(!s.job.empty());
    member_->setFullText(q(s.current));
    if (s.fraction < 0) {
        bar_->setBusy(true);
        bar_->step();
    } else {
        bar_->setBusy(false);
        bar_->setValue(static_cast<int>(s.fraction * 1000.0));
        bar_->setFormat(q(percentText(s)));
    }
    counts_->setFullText(countsWords(s));
    const QString sizes = sizesWords(s);
    sizes_->setFullText(sizes);
    sizes_->setVisible(!sizes.isEmpty());
    times_->setFullText(timesWords(s));

    if (s.outcome == Outcome::Running) {
        if (s.stopping || s.placing) {
            result_->setText(detailWords(s));
            result_->show();
        }
        return;
    }
    if (!finished_) {
        finished_ = true;
        confirm_->hide();
        stop_->hide();
        close_->show();
        close_->setDefault(true);
        close_->setFocus();
        if (bar_->isBusy()) {   // a busy bar has nothing more to say
            bar_->setBusy(false);
            bar_->setValue(s.outcome == Outcome::Done ? 1000 : 0);
            bar_->setFormat(QString());
        }
    }
    QString detail = detailWords(s);
    if (detail.size() > kMaxShownErrorChars + 80)
        detail = detail.left(kMaxShownErrorChars + 80) + QChar(0x2026);
    result_->setText(detail);
    result_->show();
    // The whole list, the cause first, where one sentence cannot hold it.
    if (s.messages.size() > 1 && messages_->count() == 0) {
        for (const std::string& m : s.messages)
            messages_->addItem(q(m));
        if (s.messageCount > s.messages.size())
            messages_->addItem(tr("(and %1 more)").arg(s.messageCount - s.messages.size()));
        messages_->show();
    }
}

QString TallyWindow::titleWords(const Snapshot& s)
{
    const bool packing = s.op == Operation::Packing;
    switch (s.outcome) {
    case Outcome::Running:
        if (s.stopping)
            return packing ? tr("Packing: stopping") : tr("Unpacking: stopping");
        return packing ? tr("Packing") : tr("Unpacking");
    case Outcome::Done: return packing ? tr("Packing done") : tr("Unpacking done");
    case Outcome::Warnings: return packing ? tr("Packing done with warnings") : tr("Unpacking done with warnings");
    case Outcome::Errors: return packing ? tr("Packing reported errors") : tr("Unpacking reported errors");
    case Outcome::EndedEarly: return packing ? tr("Packing ended early") : tr("Unpacking ended early");
    case Outcome::Stopped: return packing ? tr("Packing stopped") : tr("Unpacking stopped");
    }
    return QString();
}

QString TallyWindow::countsWords(const Snapshot& s)
{
    if (s.totalEntries)
        return tr("Entries: %1 of %2").arg(s.entries).arg(*s.totalEntries);
    return tr("Entries: %1").arg(s.entries);
}

QString TallyWindow::sizesWords(const Snapshot& s)
{
    if (s.toMove && s.outcome == Outcome::Running)
        return tr("%1 of %2").arg(q(humanSize(s.moved)), q(humanSize(*s.toMove)));
    if (!s.showBytes)
        return QString();
    if (s.totalBytes && s.outcome == Outcome::Running)
        return tr("%1 of %2").arg(q(humanSize(s.bytes)), q(humanSize(*s.totalBytes)));
    return q(humanSize(s.bytes));
}

QString TallyWindow::timesWords(const Snapshot& s)
{
    const QString elapsed = q(humanDuration(static_cast<std::int64_t>(s.elapsedSeconds)));
    if (s.outcome == Outcome::Running && s.remainingSeconds >= 0)
        return tr("Elapsed %1, left %2").arg(elapsed, q(humanDuration(static_cast<std::int64_t>(std::ceil(s.remainingSeconds)))));
    if (s.outcome == Outcome::Running && s.fraction >= 0 && s.fraction < 1.0)
        return tr("Elapsed %1, left %2").arg(elapsed, QString(QChar(0x2013)));   // not known yet
    return tr("Elapsed %1").arg(elapsed);
}

QString TallyWindow::detailWords(const Snapshot& s)
{
    QStringList sentences;
    for (const DetailPiece piece : detailPieces(s)) {
        switch (piece) {
        case DetailPiece::Stopping: sentences << tr("Stopping the archiver\u2026"); break;
        case DetailPiece::ArchiveComplete: sentences << tr("The archive is complete."); break;
        case DetailPiece::AllUnpacked: sentences << tr("All entries were unpacked."); break;
        case DetailPiece::OwnFolder: sentences << tr("They are in the folder %1.").arg(q(s.ownFolder)); break;
        case DetailPiece::Kept:
            sentences << (s.kept == 1 ? tr("1 file was already there and was kept; the rest was unpacked.")
                                      : tr("%1 files were already there and were kept; the rest was unpacked.")
                                            .arg(s.kept));
            break;
        case DetailPiece::FirstError:
        case DetailPiece::FirstWarning: {
            // The tool's own words, as it wrote them, and what a notice means.
            const bool isError = piece == DetailPiece::FirstError;
            QString words = isError ? (s.firstError.empty() ? tr("An error was reported") : q(s.firstError))
                                    : q(s.firstWarning);
            if (!isError && s.warningMeaning) {
                if (words.endsWith(QLatin1Char('.')))
                    words.chop(1);
                words = tr("%1: %2").arg(words, tr(s.warningMeaning));
            }
            if (s.messageCount > 1) {
                if (words.endsWith(QLatin1Char('.')))
                    words.chop(1);
                words = tr("%1 (and %2 more)").arg(words).arg(s.messageCount - 1);
            }
            sentences << (words.endsWith(QLatin1Char('.')) ? words : words + QLatin1Char('.'));
            break;
        }
        case DetailPiece::CutShort:
            sentences << (s.cutKeptAsPart ? tr("%1 was cut short: it was placed as %1.part.").arg(q(s.cutShort))
                                          : tr("%1 was cut short and was not placed.").arg(q(s.cutShort)));
            break;
        case DetailPiece::WrongPassword: sentences << tr("The password is wrong: nothing was placed."); break;
        case DetailPiece::EndedAfter:
            sentences << (s.totalEntries
                              ? tr("The archiver ended without saying that it had finished (entries: %1 of %2).")
                                    .arg(s.entries).arg(*s.totalEntries)
                              : tr("The archiver ended without saying that it had finished (entries: %1).").arg(s.entries));
            break;
        case DetailPiece::StoppedByYou: sentences << tr("Stopped by you."); break;
        case DetailPiece::Placing:
            sentences << (s.stopping ? tr("Stopping after the entry being placed\u2026")
                                     : tr("Placing %1 of %2 entries\u2026").arg(s.placed).arg(s.toPlace));
            break;
        case DetailPiece::PlacingStopped:
            sentences << tr("Stopped while placing: %1 entries were placed, each whole; the rest was removed.")
                             .arg(s.placed);
            break;
        case DetailPiece::Interrupted:
            sentences << tr("Ended by %1.").arg(QString::fromLatin1(endSignalName(s.signal)));
            break;
        case DetailPiece::NothingPlaced: sentences << tr("Nothing was placed: what was unpacked was removed."); break;
        case DetailPiece::Written: sentences << tr("The archive was written."); break;
        case DetailPiece::NothingWritten: sentences << tr("Nothing was written."); break;
        case DetailPiece::OnlyAdded:
            sentences << tr("What was unpacked was added to the folder; no file that existed was replaced.");
            break;
        }
    }
    return sentences.join(QLatin1Char(' '));
}

bool TallyWindow::event(QEvent* event)
{
    const bool gone = event->type() == QEvent::Hide
                      || (event->type() == QEvent::PlatformSurface
                          && static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType()
                                 == QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed);
    if (gone && finished_ && !isMinimized())
        emit closedAtEnd();
    return QWidget::event(event);
}

void TallyWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (finished_)
        emit closedAtEnd();
    else
        emit hiddenDuringWork();
}

// --- GuiRunner ---------------------------------------------------------------

GuiRunner::GuiRunner(const Options& options, int fd, TallyWindow* window, QObject* parent)
    : QObject(parent), options_(options), fd_(fd), window_(window), session_(options, Clock::now(), &probe_),
      buffer_(new char[kReadChunkBytes]), ticker_(Clock::now(), kRepaintInterval),
      pacer_(Clock::now(), kRepaintInterval, enlargePipe(fd))
{
    stopAction_ = [this] { defaultStop(); };
    connect(window_, &TallyWindow::stopConfirmed, this, &GuiRunner::stop);
    connect(window_, &TallyWindow::hiddenDuringWork, this, [this] { hidden_ = true; });
    connect(window_, &TallyWindow::closedAtEnd, this, [this] {
        closedAtEnd_ = true;
        maybeFinish();
    });
}

GuiRunner::~GuiRunner()
{
    if (placer_.joinable())
        placer_.join();
    if (hangupFd_ >= 0)
        ::close(hangupFd_);
}

void GuiRunner::start()
{
    // The event loop polls for data on a descriptor, not for a hang-up
    // alone: an epoll set that asks fd for no data events becomes readable
    // only when the writers hang up. A descriptor that epoll cannot watch
    // (a regular file) has everything there at once anyway.
    hangupFd_ = ::epoll_create1(EPOLL_CLOEXEC);
    struct epoll_event hangup {};
    hangup.events = EPOLLRDHUP;
    if (hangupFd_ >= 0 && ::epoll_ctl(hangupFd_, EPOLL_CTL_ADD, fd_, &hangup) == 0) {
        hangup_ = new QSocketNotifier(hangupFd_, QSocketNotifier::Read, this);
        connect(hangup_, &QSocketNotifier::activated, this, &GuiRunner::readSome);
    }
    readTimer_ = new QTimer(this);
    readTimer_->setSingleShot(true);
    connect(readTimer_, &QTimer::timeout, this, &GuiRunner::readSome);
    if (endSignalFd() >= 0) {
        signalled_ = new QSocketNotifier(endSignalFd(), QSocketNotifier::Read, this);
        connect(signalled_, &QSocketNotifier::activated, this, &GuiRunner::interrupted);
    }
    window_->setVolumes(volumeCount(options_.archive));
    repaint();
    if (endSignal() != 0)
        interrupted();
    readSome();
}

void GuiRunner::interrupted()
{
    clearEndSignalFd();
    const int signal = endSignal();
    if (signal == 0 || session_.interruptedBy() != 0)
        return;
    session_.interrupt(signal);
    if (session_.ended()) {   // nothing is left to do: the window goes with the session
        hidden_ = true;
        maybeFinish();
        return;
    }
    repaint();
    if (!session_.inputEnded() && stopAction_)
        stopAction_();
}

void GuiRunner::readSome()
{
    if (session_.ended())
        return;
    const Drained got = drainInput(fd_, session_, buffer_.get(), kReadChunkBytes, Clock::now() + kReadBudget);
    if (got.end == Drain::Ended) {
        endOfInput();
        return;
    }
    const auto now = Clock::now();
    pacer_.readAt(now, got.bytes, got.end == Drain::Budget);
    if (ticker_.due(now))
        repaint();
    scheduleRead();
}

void GuiRunner::scheduleRead()
{
    readTimer_->start(msUntil(std::min(pacer_.next(), ticker_.next()), Clock::now()));
}

int GuiRunner::drainBlocking()
{
    while (!session_.inputEnded()) {
        if (drainInput(fd_, session_, buffer_.get(), kReadChunkBytes).end == Drain::Ended) {
            session_.endInput(Clock::now());
            break;
        }
        struct pollfd pfd {fd_, POLLIN, 0};
        ::poll(&pfd, 1, -1);
    }
    if (placer_.joinable())
        placer_.join();
    else
        session_.putInPlace();
    session_.placed(Clock::now());
    const Snapshot s = session_.snapshot(Clock::now());
    exitStatus_ = exitCode(s.outcome);
    return exitStatus_;
}

void GuiRunner::repaint()
{
    if (hidden_ || !window_)
        return;
    window_->showSnapshot(session_.snapshot(Clock::now()));
}

void GuiRunner::endOfInput()
{
    if (hangup_)
        hangup_->setEnabled(false);
    readTimer_->stop();
    if (stopTimer_)
        stopTimer_->stop();
    // Putting the result in place may take long (200,000 files, a slow
    // card): it runs beside the window, which shows how far it has got
    // and whose Stop answers at once.
    session_.endInput(Clock::now());
    placeTimer_ = new QTimer(this);
    placeTimer_->setInterval(kRepaintInterval);
    connect(placeTimer_, &QTimer::timeout, this, &GuiRunner::repaint);
    placeTimer_->start();
    repaint();
    placer_ = std::thread([this] {
        session_.putInPlace();
        QMetaObject::invokeMethod(this, &GuiRunner::placementEnded, Qt::QueuedConnection);
    });
}

void GuiRunner::placementEnded()
{
    if (placer_.joinable())
        placer_.join();
    placeTimer_->stop();
    const auto now = Clock::now();
    session_.placed(now);
    const Snapshot s = session_.snapshot(now);
    exitStatus_ = exitCode(s.outcome);
    window_->setVolumes(volumeCount(options_.archive));   // a packed set has its volumes now
    if (!hidden_)
        window_->showSnapshot(s);   // the last update, at the end of input
    else if (session_.interruptedBy() == 0)   // closed while the work went on: tell how it ended
        postDesktopNotice(TallyWindow::titleWords(s),
                          s.job.empty() ? TallyWindow::detailWords(s) : q(s.job) + '\n' + TallyWindow::detailWords(s));
    maybeFinish();
}

void GuiRunner::maybeFinish()
{
    if (finishedSent_ || !session_.ended())
        return;
    if (hidden_ || closedAtEnd_ || session_.interruptedBy() != 0) {
        finishedSent_ = true;
        emit finished(exitStatus_);
    }
}

void GuiRunner::stop()
{
    if (session_.ended() || session_.stopRequested())
        return;
    const bool placing = session_.placing();
    session_.setStopRequested();
    repaint();
    if (!placing && stopAction_)
        stopAction_();
}

void GuiRunner::defaultStop()
{
    stopper_ = std::make_unique<PipeStopper>(fd_);
    stopper_->begin();
    stopDeadline_ = Clock::now() + kStopGrace;
    stopTimer_ = new QTimer(this);
    stopTimer_->setInterval(kStopPollInterval);
    connect(stopTimer_, &QTimer::timeout, this, [this] {
        if (!stopper_->remaining().empty() && Clock::now() < stopDeadline_)
            return;
        stopTimer_->stop();
        stopper_->finish();
    });
    stopTimer_->start();
}

} // namespace tally
