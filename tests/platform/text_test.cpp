#include "platform/label.h"
#include "platform/listmodel.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textcompare.h"
#include "testruntime.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextDocument>
#include <QTextLayout>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
// The faces that show glyphs of `text` as the missing-glyph box when laid out in `font` as painting
// lays it out, falling back to other installed faces for what `font` lacks; empty when none do.
std::string facesMissingGlyphs(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    std::string faces;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        if (run.glyphIndexes().contains(0)) {
            faces += run.rawFont().familyName().toStdString() + ";";
        }
    }
    return faces;
}

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
    for (const std::string& text :
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

TEST(Scripts, JapaneseChineseAndKoreanNamesShowInLabelsAndListsInTheStationsFaces) {
    TestRuntime rt;
    const std::string name = "日本語 ひらがな カタカナ 中文 한국어";
    const QString text = QString::fromStdString(name);
    for (const char* face : {"MS Sans Serif", "Arial", "Bookman Old Style"}) {
        SCOPED_TRACE(face);
        tk::Label label(nullptr, "Label1");
        label.setFont({face, 9.75f, 700, false});
        label.setCaption(name);
        EXPECT_EQ(facesMissingGlyphs(tk::toQFont(label.font(), tk::screenScale()), text), "");

        tk::ListView list(nullptr, "songs");
        list.setFontName(face);
        list.addColumn("Title", 3000);
        list.add(name);
        list.add(name);
        list.setBold(2, 0, true);
        list.model().announcePending();
        const QFont bold = list.model().data(list.model().index(1, 0), Qt::FontRole).value<QFont>();
        ASSERT_TRUE(bold.bold());
        EXPECT_EQ(facesMissingGlyphs(list.view().font(), text), "");
        EXPECT_EQ(facesMissingGlyphs(bold, text), "");
    }
}
