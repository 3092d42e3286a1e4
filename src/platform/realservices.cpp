#include "platform/errors.h"
#include "platform/pictureloader.h"
#include "platform/playerwindows.h"
#include "platform/runtime.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <map>
#include <random>
#include <thread>

namespace tk {

namespace {

// A modal message with its icon, text and buttons. However long the text, the box stays within the
// screen: a text taller than the room left scrolls inside the box, so the buttons can always be reached.
class MessageDialog final : public QDialog {
public:
    MessageDialog(const std::string& text, int style, const std::string& title) {
        setWindowTitle(QString::fromStdString(title));
        setWindowFlag(Qt::WindowStaysOnTopHint);
        setModal(true);
        auto* grid = new QGridLayout(this);
        grid->setSizeConstraint(QLayout::SetFixedSize);
        if (const QMessageBox::Icon icon = iconOf(style); icon != QMessageBox::NoIcon) {
            auto* picture = new QLabel;
            picture->setPixmap(QMessageBox::standardIcon(icon));
            grid->addWidget(picture, 0, 0, Qt::AlignTop);
        }
        m_text = new QLabel(QString::fromStdString(text));
        m_text->setTextFormat(Qt::PlainText);
        m_text->setWordWrap(true);
        m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_scroll = new QScrollArea;
        m_scroll->setWidget(m_text);
        m_scroll->setWidgetResizable(true);
        m_scroll->setFrameShape(QFrame::NoFrame);
        grid->addWidget(m_scroll, 0, 1);
        m_buttons = new QDialogButtonBox(buttonsOf(style));
        QObject::connect(m_buttons, &QDialogButtonBox::clicked, this,
                         [this](QAbstractButton* b) { done(m_buttons->standardButton(b)); });
        grid->addWidget(m_buttons, 1, 0, 1, 2);
        fitToScreen();
    }

    // Escape and the window's close button answer Cancel, or OK when that is the only button; a
    // question that must be answered Yes or No stays open.
    void reject() override {
        if (m_buttons->button(QDialogButtonBox::Cancel)) {
            done(QDialogButtonBox::Cancel);
        } else if (m_buttons->standardButtons() == QDialogButtonBox::Ok) {
            done(QDialogButtonBox::Ok);
        }
    }

private:
    static QMessageBox::Icon iconOf(int style) {
        switch (style & 0x70) {
        case kMsgCritical:
            return QMessageBox::Critical;
        case kMsgQuestion:
            return QMessageBox::Question;
        case kMsgExclamation:
            return QMessageBox::Warning;
        case kMsgInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
        }
    }
    static QDialogButtonBox::StandardButtons buttonsOf(int style) {
        switch (style & 0x0F) {
        case kMsgOkCancel:
            return QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
        case kMsgYesNo:
            return QDialogButtonBox::Yes | QDialogButtonBox::No;
        default:
            return QDialogButtonBox::Ok;
        }
    }

    void fitToScreen() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) {
            return;
        }
        const QRect room = screen->availableGeometry();
        // Room kept for the frame and title bar the window manager adds.
        constexpr int kFrameReserve = 64;
        const QFontMetrics fm(m_text->font());
        int widest = 0;
        for (const QString& line : m_text->text().split(QLatin1Char('\n'))) {
            widest = std::max(widest, fm.horizontalAdvance(line));
        }
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const int textWidth = std::clamp(widest + 1, std::min(fm.averageCharWidth() * 30, room.width() / 2),
                                         room.width() * 2 / 3);
        const int textHeight = m_text->heightForWidth(textWidth);
        m_scroll->setFixedSize(textWidth + bar, textHeight);
        const int overflow = layout()->totalSizeHint().height() - (room.height() - kFrameReserve);
        if (overflow > 0) {
            m_scroll->setFixedHeight(std::max(fm.height(), textHeight - overflow));
        }
        adjustSize();
        move(room.center() - rect().center());
    }

    QLabel* m_text;
    QScrollArea* m_scroll;
    QDialogButtonBox* m_buttons;
};

class QtMessageBox final : public MessageBoxService {
public:
    int show(const std::string& text, int style, const std::string& title) override {
        MessageDialog box(text, style, title);
        switch (box.exec()) {
        case QDialogButtonBox::Cancel:
            return kAnswerCancel;
        case QDialogButtonBox::Yes:
            return kAnswerYes;
        case QDialogButtonBox::No:
            return kAnswerNo;
        default:
            return kAnswerOk;
        }
    }
};

class QtProgramExit final : public ProgramExit {
public:
    void exit(int code) override {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->hide();
        }
        QCoreApplication::exit(code);
    }
};

class QtLauncher final : public ProcessLauncher {
public:
    std::optional<std::int64_t> startDetached(const std::string& program,
                                              const std::vector<std::string>& args) override {
        QStringList list;
        for (const auto& a : args) {
            list << QString::fromStdString(a);
        }
        qint64 pid = 0;
        if (!QProcess::startDetached(QString::fromStdString(program), list, QString(), &pid)) {
            return std::nullopt;
        }
        return pid;
    }
};

class StdFileProbe final : public FileProbe {
public:
    ProbeResult probe(const std::filesystem::path& path) override {
        ProbeResult r;
        std::error_code ec;
        const auto st = std::filesystem::status(path, ec);
        if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory) {
            r.error = ec.value();
            return r;
        }
        r.exists = std::filesystem::exists(st);
        r.isDirectory = std::filesystem::is_directory(st);
        r.isRegular = std::filesystem::is_regular_file(st);
        if (r.isRegular) {
            r.size = std::filesystem::file_size(path, ec);
        }
        return r;
    }
};

class StdRandom final : public RandomSource {
public:
    StdRandom()
        : m_engine(std::random_device{}()) {}
    void seed(std::uint64_t value) override { m_engine.seed(value); }
    float uniform() override {
        // 24 random bits give every float step in [0, 1) and never 1 itself.
        return static_cast<float>(m_engine() >> 8) / 16777216.0f;
    }

private:
    std::mt19937 m_engine;
};

class SystemClock final : public Clock {
public:
    std::chrono::system_clock::time_point now() override { return std::chrono::system_clock::now(); }
    std::chrono::steady_clock::time_point steadyNow() override { return std::chrono::steady_clock::now(); }
    void sleepFor(std::chrono::milliseconds d) override { std::this_thread::sleep_for(d); }
};

class QtTimers final : public TimerService {
public:
    ~QtTimers() override {
        for (auto& [id, t] : m_timers) {
            delete t;
        }
    }
    TimerId start(int intervalMs, std::function<void()> tick) override {
        auto* timer = new QTimer;
        timer->setInterval(std::max(1, intervalMs));
        QObject::connect(timer, &QTimer::timeout, timer, [tick = std::move(tick)] {
            // A tick never runs inside a handler (for instance while a message box waits).
            if (!insideHandler()) {
                tick();
            }
        });
        const TimerId id = ++m_next;
        m_timers.emplace(id, timer);
        timer->start();
        return id;
    }
    void stop(TimerId id) override {
        auto it = m_timers.find(id);
        if (it != m_timers.end()) {
            it->second->stop();
            it->second->deleteLater();
            m_timers.erase(it);
        }
    }

private:
    std::map<TimerId, QTimer*> m_timers;
    TimerId m_next = 0;
};

// Paces an animation loop so that the whole slide takes about half a second, and repaints the visible
// windows synchronously at each frame; no event is processed, so no click or tick runs in between.
class QtFrameStep final : public FrameStep {
public:
    explicit QtFrameStep(Clock& clock)
        : m_clock(clock) {}
    void begin(int steps) override {
        m_steps = std::max(1, steps);
        m_done = 0;
        m_start = m_clock.steadyNow();
        m_lastFrame = m_start - std::chrono::milliseconds(1000);
        m_duration = std::chrono::milliseconds(std::min(500, 5 * m_steps));
    }
    void step() override {
        ++m_done;
        const auto target = m_start + m_duration * m_done / m_steps;
        const auto now = m_clock.steadyNow();
        if (now < target) {
            std::this_thread::sleep_for(target - now);
        }
        const auto after = m_clock.steadyNow();
        if (after - m_lastFrame >= std::chrono::milliseconds(15) || m_done >= m_steps) {
            repaintAll();
            m_lastFrame = after;
        }
    }
    void end() override { repaintAll(); }

private:
    static void repaintAll() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) {
                w->repaint();
            }
        }
    }
    Clock& m_clock;
    int m_steps = 1;
    int m_done = 0;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastFrame;
    std::chrono::steady_clock::duration m_duration{};
};

} // namespace

Services realServices(Services s) {
    if (!s.messageBox) {
        s.messageBox = std::make_unique<QtMessageBox>();
    }
    if (!s.programExit) {
        s.programExit = std::make_unique<QtProgramExit>();
    }
    if (!s.launcher) {
        s.launcher = std::make_unique<QtLauncher>();
    }
    if (!s.fileProbe) {
        s.fileProbe = std::make_unique<StdFileProbe>();
    }
    if (!s.random) {
        s.random = std::make_unique<StdRandom>();
    }
    if (!s.clock) {
        s.clock = std::make_unique<SystemClock>();
    }
    if (!s.timers) {
        s.timers = std::make_unique<QtTimers>();
    }
    if (!s.frameStep) {
        s.frameStep = std::make_unique<QtFrameStep>(*s.clock);
    }
    if (!s.pictures) {
        s.pictures = std::make_unique<CachingPictureLoader>();
    }
    if (!s.windows) {
        s.windows = tk::PlayerWindows::forThisUser();
    }
    if (!s.dialogs) {
        s.dialogs = toolkitCommonDialogs();
    }
    if (!s.screen) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize size = screen->geometry().size();
            s.screen.emplace(size.width(), size.height());
        } else {
            s.screen.emplace(Screen::kDesignWidthPx, Screen::kDesignHeightPx);
        }
    }
    return s;
}

} // namespace tk
