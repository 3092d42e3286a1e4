#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/textcompare.h"
#include "testruntime.h"

#include <QTextDocument>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
std::string lower(std::string_view s) {
    std::string out = "=";
    tk::appendLowerCase(out, s);
    return out;
}
} // namespace

TEST(LowerCase, MapsEveryLetterAndKeepsWhatIsNotText) {
    EXPECT_EQ(lower("AbC 09-Z"), "=abc 09-z");
    EXPECT_EQ(lower("ÉCHO Ärger ÇA Ωμέγα ПРИВЕТ"), "=écho ärger ça ωμέγα привет");
    EXPECT_EQ(lower("\xE2\x84\xAA"), "=k");      // the Kelvin sign lowers to an ASCII letter
    EXPECT_EQ(lower("\xC9t\xE9"), "=\xC9t\xE9"); // bytes that are not UTF-8 stay
    EXPECT_EQ(lower(""), "=");
}

TEST(PlainText, ToolTipsShowMarkupAsTypedAndOrdinaryTextUnchanged) {
    TestRuntime rt;
    tk::Image image(nullptr, "SImage", 1);
    for (const std::string text :
         {std::string(" <b>x</b>  &  <i>  "), std::string(" ( 3 ) -  A - B   ***  ")}) {
        image.setToolTipText(text);
        EXPECT_EQ(image.toolTipText(), text);
        QTextDocument shown;
        if (Qt::mightBeRichText(image.toolTip())) {
            shown.setHtml(image.toolTip());
        } else {
            shown.setPlainText(image.toolTip());
        }
        EXPECT_EQ(shown.toPlainText().toStdString(), text);
    }
}
