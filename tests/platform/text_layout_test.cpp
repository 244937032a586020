// Text placement: word wrap, alignment and measuring, with fixed metrics and with a real
// monospaced face.
#include <gtest/gtest.h>

#include "platform/font.h"
#include "platform/text_layout.h"

namespace {

// Every character 10 pixels wide, lines 20 pixels high.
class cFixedMetrics : public iTextMeasure
{
public:
    int LineHeight() const override { return 20; }
    int TextWidth(std::wstring_view text) const override { return int(text.size()) * 10; }
};

std::vector<std::wstring> Texts(const sTextLayout& layout)
{
    std::vector<std::wstring> texts;
    for (const auto& line : layout.lines)
        texts.push_back(line.text);
    return texts;
}

TEST(TextLayout, WordWrapBreaksAtSpacesAndKeepsOverlongWordsWhole)
{
    cFixedMetrics m;
    sRect box{0, 0, 100, 200};
    sTextLayout layout = LayoutText(m, L"the quick brown fox jumps", box, DT_WORDBREAK);
    EXPECT_EQ(Texts(layout), (std::vector<std::wstring>{L"the quick", L"brown fox", L"jumps"}));
    EXPECT_EQ(layout.height, 60);
    EXPECT_EQ(layout.lines[1].y, 20);

    // A word wider than the box stands alone; the rest wraps around it.
    layout = LayoutText(m, L"a reconnaissance b", box, DT_WORDBREAK);
    EXPECT_EQ(Texts(layout), (std::vector<std::wstring>{L"a", L"reconnaissance", L"b"}));

    // Hard breaks (CR LF too) always break; without DT_WORDBREAK nothing else does.
    layout = LayoutText(m, L"first line is long\r\nsecond", box, 0);
    EXPECT_EQ(Texts(layout), (std::vector<std::wstring>{L"first line is long", L"second"}));
    // A single line ignores breaks and wrapping.
    layout = LayoutText(m, L"one\ntwo three four five", box, DT_SINGLELINE | DT_WORDBREAK);
    EXPECT_EQ(Texts(layout), (std::vector<std::wstring>{L"onetwo three four five"}));
    // Runs of spaces do not make empty lines.
    layout = LayoutText(m, L"aaaa     bbbb", sRect{0, 0, 60, 100}, DT_WORDBREAK);
    EXPECT_EQ(Texts(layout), (std::vector<std::wstring>{L"aaaa", L"bbbb"}));
}

TEST(TextLayout, AlignsLinesAndBlocksInTheRectangle)
{
    cFixedMetrics m;
    sRect box{10, 100, 110, 160}; // 100 wide, 60 high
    sTextLayout centred = LayoutText(m, L"abcd", box, DT_CENTER | DT_VCENTER);
    ASSERT_EQ(centred.lines.size(), 1u);
    EXPECT_EQ(centred.lines[0].x, 10 + (100 - 40) / 2);
    EXPECT_EQ(centred.lines[0].y, 100 + (60 - 20) / 2);

    sTextLayout right = LayoutText(m, L"abcd", box, DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(right.lines[0].x, 110 - 40);
    EXPECT_EQ(right.lines[0].y, 160 - 20);

    // Each wrapped line is centred on its own.
    sTextLayout wrapped = LayoutText(m, L"abcdefgh ab", box, DT_CENTER | DT_WORDBREAK);
    ASSERT_EQ(wrapped.lines.size(), 2u);
    EXPECT_EQ(wrapped.lines[0].x, 10 + 10);
    EXPECT_EQ(wrapped.lines[1].x, 10 + 40);

    // A block taller than the box still centres (it overhangs both ends).
    sTextLayout tall = LayoutText(m, L"a\nb\nc\nd\ne", box, DT_VCENTER);
    EXPECT_EQ(tall.lines[0].y, 100 + (60 - 100) / 2);
}

TEST(TextLayout, ALineTooWideKeepsItsStartAndEndsInAnEllipsisOnlyWhenAsked)
{
    cFixedMetrics m;
    const sRect box{10, 0, 110, 40}; // 100 wide: ten characters
    const std::wstring name = L"Sturzkampfgeschwader 1";
    const sTextLayout cut = LayoutText(m, name + L"\nshort", box, DT_CENTER | DT_END_ELLIPSIS);
    ASSERT_EQ(cut.lines.size(), 2u);
    const std::wstring& first = cut.lines[0].text;
    // As many characters of the start as fit with the ellipsis after them, whole in the box.
    ASSERT_EQ(first.back(), L'\u2026');
    EXPECT_EQ(first.size() * 10, 100u);
    EXPECT_EQ(name.substr(0, first.size() - 1), first.substr(0, first.size() - 1));
    EXPECT_EQ(cut.lines[0].x, box.left);
    EXPECT_EQ(cut.lines[1].text, L"short") << "a line that fits stays whole";
    // A space before the cut goes with it.
    EXPECT_EQ(LayoutText(m, L"Panzer Lehr", sRect{0, 0, 80, 20}, DT_END_ELLIPSIS).lines[0].text, L"Panzer\u2026");
    // Without the flag the line overhangs both ends; measuring gives the whole line either way.
    EXPECT_EQ(LayoutText(m, name, box, DT_CENTER).lines[0].x, box.left + (100 - int(name.size()) * 10) / 2);
    sRect extent = box;
    CalcTextExtent(m, name, extent, DT_END_ELLIPSIS);
    EXPECT_EQ(extent.Width(), int(name.size()) * 10);
}

TEST(TextLayout, MeasuringGivesTheExtentOfTheWrappedText)
{
    cFixedMetrics m;
    sRect r{5, 7, 105, 7};
    EXPECT_EQ(CalcTextExtent(m, L"the quick brown fox", r, DT_WORDBREAK), 40);
    EXPECT_EQ(r, (sRect{5, 7, 5 + 90, 7 + 40}));

    sRect single{0, 0, 10, 10};
    CalcTextExtent(m, L"longer than the box", single, DT_SINGLELINE);
    EXPECT_EQ(single, (sRect{0, 0, 190, 20}));

    sRect empty{3, 4, 50, 50};
    EXPECT_EQ(CalcTextExtent(m, L"", empty, 0), 0);
    EXPECT_EQ(empty, (sRect{3, 4, 3, 4}));
}

TEST(Font, FindsFacesByNameAndSizesThemToTheCellHeight)
{
    EXPECT_NE(FindFontFile(L"Arial", 400).filename().string().find("Liberation"), std::string::npos);
    bool synthetic = true;
    EXPECT_NE(FindFontFile(L"Arial", 700, &synthetic).filename().string().find("Bold"), std::string::npos);
    EXPECT_FALSE(synthetic);

    auto mono = cFont::Create(nullptr, L"Liberation Mono", 20, 400);
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->LineHeight(), 20);
    int one = mono->TextWidth(L"a");
    EXPECT_GT(one, 5);
    EXPECT_NEAR(mono->TextWidth(L"iWmk"), 4 * one, 2);

    // Measuring through the font: three lines, as wide as the widest.
    sRect r{0, 0, 6 * one, 0};
    EXPECT_EQ(mono->DrawText(nullptr, L"aaa bbb ccc", -1, &r, DT_WORDBREAK | DT_CALCRECT, 0xFFFFFFFF), 60);
    EXPECT_EQ(r, (sRect{0, 0, mono->TextWidth(L"bbb"), 60}));
    // A count limits the text.
    sRect part{0, 0, 0, 0};
    mono->DrawText(nullptr, L"abcdef", 2, &part, DT_CALCRECT, 0xFFFFFFFF);
    EXPECT_EQ(part.right, mono->TextWidth(L"ab"));

    EXPECT_FALSE(cFont::Create(nullptr, L"Arial", 0, 400));
}

} // namespace

#include "platform/recording_renderer.h"
#include "platform/sprite.h"

namespace {

TEST(Font, TextIsCutAtTheRectangleUnlessNoClip)
{
    cRecordingRenderer device;
    auto font = cFont::Create(&device, L"Liberation Mono", 20, 400);
    ASSERT_TRUE(font);
    sRect box{10, 10, 10 + font->TextWidth(L"abc"), 30};
    font->DrawText(nullptr, L"abcdef", -1, &box, DT_LEFT, 0xFFFFFFFF);
    auto quads = device.Quads();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_FLOAT_EQ(quads[0].corners[0].x, 10);
    EXPECT_FLOAT_EQ(quads[0].corners[1].x, float(box.right));
    EXPECT_LE(quads[0].corners[2].y, 30.0f);

    device.ClearCalls();
    font->DrawText(nullptr, L"abcdef", -1, &box, DT_LEFT | DT_NOCLIP, 0xFFFFFFFF);
    quads = device.Quads();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_GT(quads[0].corners[1].x, float(box.right));

    // Through a sprite the text joins the batch and its transform.
    device.ClearCalls();
    cSprite sprite(&device);
    sprite.Begin(SPRITE_ALPHABLEND);
    sprite.SetTransform(sMatrix2D::Translation(5, 0));
    font->DrawText(&sprite, L"ab", -1, &box, DT_LEFT | DT_NOCLIP, 0xFF00FF00);
    EXPECT_TRUE(device.Quads().empty());
    sprite.End();
    quads = device.Quads();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_FLOAT_EQ(quads[0].corners[0].x, 15);
    EXPECT_EQ(quads[0].color, 0xFF00FF00u);
}

} // namespace
