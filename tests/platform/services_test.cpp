#include "errorcheck.h"
#include "gui.h"
#include "platform/errors.h"
#include "platform/font.h"
#include "platform/form.h"
#include "platform/formslot.h"
#include "platform/pathcase.h"
#include "platform/picture.h"
#include "platform/picturebox.h"
#include "platform/pictureloader.h"
#include "platform/tabstrip.h"
#include "platform/timer.h"
#include "testruntime.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using namespace testing_support;

TEST(ErrorPolicy, AnUnhandledErrorShowsTheRuntimeMessageAndEndsTheProgram) {
    TestRuntime rt;
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    auto* box = new tk::PictureBox(&form, "switch", 3);
    box->move(0, 0, 1500, 1500);
    bool afterError = false;
    box->click.connect([&] {
        throw tk::RuntimeError(53, "File not found");
        afterError = true;
    });
    showAndExpose(&form);
    click(box);
    ASSERT_EQ(rt.messages().shown.size(), 1u);
    EXPECT_EQ(rt.messages().shown[0].text, "Run-time error '53':\n\nFile not found");
    EXPECT_EQ(rt.messages().shown[0].title, "Tunnora");
    EXPECT_TRUE(rt.programExit().ended);
    EXPECT_FALSE(afterError);
}

TEST(ErrorPolicy, AnErrorInAHandlerRaisedByAnotherReachesThatHandler) {
    TestRuntime rt;
    tk::PictureBox box(nullptr, "Picture1");
    box.change.connect([] { throw tk::RuntimeError(481, "Invalid picture"); });
    bool caught = false;
    tk::dispatch([&] {
        // Assigning the picture raises Change; its error comes back here, where it is ignored.
        tk::ignoreErrors([&] { box.setPicture(tk::Picture()); });
        caught = true;
    });
    EXPECT_TRUE(caught);
    EXPECT_TRUE(rt.messages().shown.empty());
    EXPECT_FALSE(rt.programExit().ended);
}

TEST(ErrorPolicy, EndingTheProgramStopsTheHandlerAndNoLaterHandlerRuns) {
    TestRuntime rt;
    int after = 0;
    tk::dispatch([&] {
        rt.runtime().endProgram();
        ++after;
    });
    tk::dispatch([&] { ++after; });
    EXPECT_EQ(after, 0);
    EXPECT_TRUE(rt.programExit().ended);
}

TEST(Pictures, JpegBmpAndGifSkinFilesAreFoundWhateverTheLetterCaseOfTheirName) {
    TestRuntime rt;
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::red);
    const auto folder = rt.programFolder() / "Skin";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(img.save(QString::fromStdString((folder / "Switch-Off.jpg").string())));

    auto& loader = rt.runtime().pictures();
    const tk::Picture a = loader.load(rt.programFolder() / "skin" / "Switch-off.jpg");
    const tk::Picture b = loader.load(tk::underFolder(rt.programFolder(), "\\Skin\\SWITCH-OFF.JPG"));
    EXPECT_EQ(a.widthPx(), 4);
    EXPECT_EQ(b.heightPx(), 3);
    // Every load is a picture object of its own.
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(loader.tryLoad(folder / "Missing.jpg").has_value());
    EXPECT_EQ(runtimeErrorNumber([&] { loader.load(folder / "Missing.jpg"); }), 53);
    rt.write("Skin/Broken.jpg", "not a picture");
    EXPECT_FALSE(loader.tryLoad(folder / "broken.JPG").has_value());
    // BMP and GIF load as well; Qt reads GIF but does not write it: a one-pixel GIF by hand.
    ASSERT_TRUE(img.save(QString::fromStdString((folder / "c.bmp").string())));
    EXPECT_EQ(loader.load(folder / "c.bmp").widthPx(), 4);
    const unsigned char gif[] = {'G', 'I',  'F',  '8',  '9', 'a', 1, 0,   1, 0, 0x80, 0,
                                 0,   0xFF, 0xFF, 0xFF, 0,   0,   0, ',', 0, 0, 0,    0,
                                 1,   0,    1,    0,    0,   2,   2, 'D', 1, 0, ';'};
    rt.write("Skin/b.gif", std::string(reinterpret_cast<const char*>(gif), sizeof gif));
    EXPECT_EQ(loader.load(folder / "b.gif").widthPx(), 1);
}

TEST(Pictures, TheLoaderKeepsPicturesUpToItsBoundAndDropsTheLeastRecentlyUsedFirst) {
    TestRuntime rt;
    const auto save = [&](const char* name, int px) {
        QImage img(px, px, QImage::Format_RGB32);
        img.fill(Qt::blue);
        const auto path = rt.programFolder() / name;
        EXPECT_TRUE(img.save(QString::fromStdString(path.string())));
        return path;
    };
    // Room for exactly two pictures of 10 × 10 (400 bytes each).
    tk::CachingPictureLoader loader(800);
    const auto a = save("a.jpg", 10);
    const auto b = save("b.jpg", 10);
    const auto c = save("c.jpg", 10);
    const tk::Picture firstA = loader.load(a);
    const tk::Picture firstB = loader.load(b);
    // A picture kept is not decoded again; a used again outlives b, which c then pushes out.
    EXPECT_EQ(&loader.load(a).image(), &firstA.image());
    const tk::Picture firstC = loader.load(c);
    EXPECT_EQ(loader.cachedBytes(), 800u);
    EXPECT_EQ(&loader.load(a).image(), &firstA.image());
    EXPECT_EQ(&loader.load(c).image(), &firstC.image());
    EXPECT_NE(&loader.load(b).image(), &firstB.image());
    EXPECT_LE(loader.cachedBytes(), 800u);
    // A picture larger than the whole bound still loads, and is not kept.
    const auto big = save("big.jpg", 20);
    EXPECT_EQ(loader.load(big).widthPx(), 20);
    EXPECT_LE(loader.cachedBytes(), 800u);
    EXPECT_EQ(loader.load(big).heightPx(), 20);
}

TEST(Timers, EnablingARunningTimerDoesNotRestartItAndAnIntervalOfZeroStopsIt) {
    TestRuntime rt;
    tk::Timer idle("Timer1", 0, true);
    tk::Timer timer("Timer3", 500, true);
    int idleTicks = 0;
    int ticks = 0;
    idle.timer.connect([&] { ++idleTicks; });
    timer.timer.connect([&] { ++ticks; });
    rt.advance(400);
    timer.setEnabled(true);
    rt.advance(100);
    EXPECT_EQ(ticks, 1);
    timer.setEnabled(false);
    rt.advance(2000);
    EXPECT_EQ(ticks, 1);
    timer.setEnabled(true);
    rt.advance(499);
    EXPECT_EQ(ticks, 1);
    rt.advance(1);
    EXPECT_EQ(ticks, 2);

    timer.setInterval(0);
    EXPECT_TRUE(timer.enabled()); // still enabled, only idle
    rt.advance(5000);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(rt.timers().runningCount(), 0);
    // A new interval starts a whole new period.
    rt.advance(200);
    timer.setInterval(500);
    rt.advance(499);
    EXPECT_EQ(ticks, 2);
    rt.advance(1);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(idleTicks, 0);
}

TEST(RealTimers, NoTickRunsDuringAnAnimationLoopOrWhileAHandlerWaitsInANestedEventLoop) {
    // Real timers and the real frame step: the loop paints but never lets the event loop run.
    tk::Services real;
    real.screen.emplace(1024, 768);
    tk::Runtime runtime(std::filesystem::temp_directory_path(), tk::realServices(std::move(real)));
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    auto* page = new tk::PictureBox(&form, "Page_PlayList");
    page->move(2000, -6500, 6000, 6000);
    showAndExpose(&form);

    tk::Timer timer("Timer8", 5, true);
    int ticks = 0;
    timer.timer.connect([&] { ++ticks; });
    QElapsedTimer clock;
    clock.start();
    auto& frames = runtime.frameStep();
    frames.begin(60);
    for (int top = -6500; top <= -5000; top += 25) {
        page->setTop(static_cast<float>(top));
        frames.step();
    }
    frames.end();
    EXPECT_GT(clock.elapsed(), 20); // long enough for several ticks had the loop let them run
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(page->top(), -5000.0f);
    QTest::qWait(30); // afterwards the timer runs again
    EXPECT_GT(ticks, 0);

    // Nor while a handler waits in an event loop of its own, as while a message box waits for its answer.
    ticks = 0;
    tk::dispatch([&] {
        QEventLoop loop;
        QTimer::singleShot(60, &loop, &QEventLoop::quit);
        loop.exec();
    });
    EXPECT_EQ(ticks, 0);
    QTest::qWait(30);
    EXPECT_GT(ticks, 0);
}

TEST(Fonts, TheLayoutsFaceNamesRenderWithInstalledSubstitutes) {
    TestRuntime rt;
    EXPECT_EQ(QFontInfo(tk::toQFont({"Arial", 9.75f, 400, false}, 1.0)).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(tk::toQFont({"MS Sans Serif", 8.25f, 400, false}, 1.0)).family(), "Liberation Sans");
    EXPECT_TRUE(QFontInfo(tk::toQFont({"Bookman Old Style", 14.25f, 600, true}, 1.0))
                    .family()
                    .startsWith("URW Bookman"));
    EXPECT_EQ(tk::designPixelSize(9.75f), 13);
    EXPECT_EQ(tk::designPixelSize(14.25f), 19);
}

TEST(Windows, AWindowIsCreatedOnFirstUseAnewAfterItWasUnloadedAndClosedOnlyByItsOwner) {
    TestRuntime rt;
    struct Window : tk::Form {
        Window()
            : tk::Form(tk::Form::Kind::Dialog, "frmTest") {}
        void formLoad() { ++loads; }
        void formUnload() {}
        int loads = 0;
    };
    tk::FormSlot<Window> slot([] { return std::make_unique<Window>(); });
    EXPECT_FALSE(slot.loaded());
    Window& first = slot.get();
    EXPECT_EQ(first.loads, 1);
    EXPECT_FALSE(first.isVisible()); // created hidden
    EXPECT_EQ(&slot.get(), &first);
    const QPointer<Window> old(&first);
    slot.unload();
    EXPECT_FALSE(slot.loaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(slot.get().loads, 1); // a new window, loaded again

    // Closing from the window manager only asks the owner.
    int asked = 0;
    slot.get().closeRequested.connect([&] { ++asked; });
    showAndExpose(&slot.get());
    slot.get().close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(slot.get().isVisible());
}

TEST(Windows, AStateTheWindowManagerGivesIsTheStateTheWindowShowsAgainIn) {
    TestRuntime rt;
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    form.setWindowStateValue(2);
    showAndExpose(&form);
    form.setWindowStateValue(1);
    // The window manager changes the state behind the program's back; the program hides and shows the
    // window, which comes back in that state.
    const auto managerSets = [&](Qt::WindowState state) {
        form.windowHandle()->setWindowState(state);
        QCoreApplication::processEvents();
        form.hideForm();
        form.showForm();
        return form.windowStateValue();
    };
    EXPECT_EQ(managerSets(Qt::WindowNoState), 2); // restored: the state from before the minimise
    EXPECT_FALSE(form.isMinimized());
    EXPECT_EQ(managerSets(Qt::WindowMinimized), 1);
    EXPECT_TRUE(form.isMinimized());
}

// A dialog kept on top is a window of the full-screen window shown last, over which a window manager
// keeps it even when it lifts that window above every window kept "above"; it follows as the station
// shows its other full-screen window, and opens again over the one showing then.
TEST(Windows, ADialogKeptOnTopBelongsToTheFullScreenWindowShownLast) {
    TestRuntime rt;
    tk::Form main(tk::Form::Kind::FullScreen, "Form1");
    tk::Form screen(tk::Form::Kind::FullScreen, "Form2");
    tk::Form options(tk::Form::Kind::Dialog, "frmOptions");
    tk::Form plain(tk::Form::Kind::Dialog, "frmPlain");
    options.setAlwaysOnTop(true);
    main.showForm();
    options.showForm();
    plain.showForm();
    const auto ownerOf = [](tk::Form& form) { return form.windowHandle()->transientParent(); };
    EXPECT_EQ(ownerOf(options), main.windowHandle());

    screen.showForm();
    main.hideForm();
    EXPECT_EQ(ownerOf(options), screen.windowHandle());
    EXPECT_EQ(ownerOf(plain), nullptr); // only a window kept on top follows
    main.showForm();
    screen.hideForm();
    EXPECT_EQ(ownerOf(options), main.windowHandle());

    options.hideForm();
    screen.showForm();
    main.hideForm();
    options.showForm();
    EXPECT_EQ(ownerOf(options), screen.windowHandle());
}

TEST(TabStrip, ChoosingATabFromCodeRaisesClick) {
    TestRuntime rt;
    tk::TabStrip tabs(nullptr, "TabStrip1");
    for (const char* caption : {"Labels", "Images", "Sliders"}) {
        tabs.addTab(caption);
    }
    int clicks = 0;
    tabs.click.connect([&] { ++clicks; });
    tabs.selectTab(3);
    EXPECT_EQ(tabs.selectedTab(), 3);
    tabs.selectTab(3);
    EXPECT_EQ(clicks, 2);
}

TEST(MessageBox, EveryBoxStaysOnTheScreenWithItsButtonsWithinReach) {
    // The real message box, answered by a click on one of its buttons as soon as it shows.
    tk::Services real = tk::realServices();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const auto answerWith = [&](const std::string& text, int style, QDialogButtonBox::StandardButton button) {
        QRect box;
        QRect buttonRect;
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* w = QApplication::activeModalWidget();
            ASSERT_NE(w, nullptr);
            box = w->frameGeometry();
            QAbstractButton* b = w->findChild<QDialogButtonBox*>()->button(button);
            ASSERT_NE(b, nullptr);
            buttonRect = QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
            for (const QLabel* label : w->findChildren<QLabel*>()) {
                shown += label->text();
            }
            QTest::mouseClick(b, Qt::LeftButton);
        });
        const int answer = real.messageBox->show(text, style, "Tunnora");
        EXPECT_TRUE(screen.contains(box)) << text.size() << " characters";
        EXPECT_TRUE(screen.contains(buttonRect)) << text.size() << " characters";
        EXPECT_EQ(shown.toStdString(), text); // nothing of the text is left out
        return answer;
    };

    std::string names = "These pictures are missing:\n";
    for (int i = 0; i < 120; ++i) {
        names += "\nSkin/Picture-" + std::to_string(i) + "-Off.jpg";
    }
    EXPECT_EQ(answerWith(names, tk::kMsgCritical, QDialogButtonBox::Ok), tk::kAnswerOk);
    EXPECT_EQ(answerWith(std::string(3000, 'x'), tk::kMsgExclamation, QDialogButtonBox::Ok), tk::kAnswerOk);
    EXPECT_EQ(answerWith("Delete the database?", tk::kMsgYesNo | tk::kMsgQuestion, QDialogButtonBox::No),
              tk::kAnswerNo);
    EXPECT_EQ(answerWith("Go on?", tk::kMsgOkCancel, QDialogButtonBox::Cancel), tk::kAnswerCancel);
}

TEST(FontDialog, OkWithoutAChangeKeepsTheStoredFontAndAPickTakesOnlyWhatWasPicked) {
    // The real font dialog, answered by the owner's picks and a click on OK as soon as it shows.
    tk::Services real = tk::realServices();
    const auto answer = [&](const tk::FontSpec& stored, const QStringList& picks, QString* opened = nullptr) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (opened) {
                *opened = dialog->currentFont().family() + " " + dialog->currentFont().styleName();
            }
            // The face, style and size lists in this order; an empty pick leaves that list alone.
            const QList<QListView*> lists = dialog->findChildren<QListView*>();
            EXPECT_EQ(lists.size(), 3);
            for (qsizetype k = 0; k < picks.size() && k < lists.size(); ++k) {
                QListView* list = lists[k];
                const QModelIndexList rows = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                                  picks[k], 1, Qt::MatchExactly);
                EXPECT_TRUE(picks[k].isEmpty() || rows.size() == 1) << picks[k].toStdString();
                if (!picks[k].isEmpty() && rows.size() == 1) {
                    list->scrollTo(rows[0]);
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      list->visualRect(rows[0]).center());
                }
            }
            QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        return real.dialogs->chooseFont(stored);
    };

    // "Arial" is not installed: the dialog opens on the face that renders it, in its style.
    const tk::FontSpec arial{"Arial", 9.75f, 700, false};
    QString opened;
    EXPECT_EQ(answer(arial, {}, &opened), arial);
    EXPECT_EQ(opened, "Liberation Sans Bold");
    const tk::FontSpec semiBold{"Arial", 8.25f, 600, true};
    EXPECT_EQ(answer(semiBold, {}), semiBold);
    EXPECT_EQ(answer(arial, {"", "", "14"}), (tk::FontSpec{"Arial", 14.0f, 700, false}));
    EXPECT_EQ(answer(arial, {"", "Regular"}), (tk::FontSpec{"Arial", 9.75f, 400, false}));
    EXPECT_EQ(answer(arial, {"DejaVu Serif", "Book", "12"}),
              (tk::FontSpec{"DejaVu Serif", 12.0f, 400, false}));
}
