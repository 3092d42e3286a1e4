#include "gui.h"
#include "platform/errors.h"
#include "platform/form.h"
#include "platform/pathcase.h"
#include "platform/picture.h"
#include "platform/picturebox.h"
#include "platform/timer.h"
#include "testruntime.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>

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

TEST(Pictures, ASkinFileIsFoundWhateverTheLetterCaseOfItsName) {
    TestRuntime rt;
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::red);
    const auto folder = rt.programFolder() / "Skin";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(img.save(QString::fromStdString((folder / "Switch-Off.jpg").string())));

    auto& loader = rt.runtime().pictures();
    const tk::Picture a = loader.load(rt.programFolder() / "skin" / "Switch-off.jpg");
    const tk::Picture b =
        loader.load(tk::nativePath(rt.programFolder().string() + "\\Skin" + "\\SWITCH-OFF.JPG"));
    EXPECT_EQ(a.widthPx(), 4);
    EXPECT_EQ(b.heightPx(), 3);
    // Every load is a picture object of its own.
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(loader.tryLoad(folder / "Missing.jpg").has_value());
    try {
        loader.load(folder / "Missing.jpg");
        FAIL() << "a missing picture must be an error";
    } catch (const tk::RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
    }
    rt.write("Skin/Broken.jpg", "not a picture");
    EXPECT_FALSE(loader.tryLoad(folder / "broken.JPG").has_value());
}

TEST(Timers, EnablingARunningTimerDoesNotRestartIt) {
    TestRuntime rt;
    tk::Timer timer("Timer3", 500, true);
    int ticks = 0;
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
}

TEST(FrameStep, NoTimerTicksDuringAnAnimationLoop) {
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
}

TEST(Windows, ClosingFromTheWindowManagerOnlyAsksTheOwner) {
    TestRuntime rt;
    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    int asked = 0;
    form.closeRequested.connect([&] { ++asked; });
    showAndExpose(&form);
    form.close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form.isVisible());
}
