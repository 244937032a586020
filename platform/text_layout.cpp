#include "platform/text_layout.h"

#include <algorithm>

namespace {

std::vector<std::wstring> SplitParagraphs(std::wstring_view text, uint32_t format)
{
    std::vector<std::wstring> paragraphs;
    if (text.empty())
        return paragraphs;
    if (format & DT_SINGLELINE) {
        std::wstring line;
        for (wchar_t c : text)
            if (c != L'\n' && c != L'\r')
                line += c;
        paragraphs.push_back(line);
        return paragraphs;
    }
    size_t start = 0;
    for (;;) {
        size_t end = text.find(L'\n', start);
        std::wstring_view piece = text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
        if (!piece.empty() && piece.back() == L'\r')
            piece.remove_suffix(1);
        paragraphs.emplace_back(piece);
        if (end == std::wstring_view::npos)
            break;
        start = end + 1;
    }
    return paragraphs;
}

std::wstring_view TrimRight(std::wstring_view s)
{
    while (!s.empty() && s.back() == L' ')
        s.remove_suffix(1);
    return s;
}

// Greedy word wrap of one paragraph.
void WrapParagraph(const iTextMeasure& measure, std::wstring_view paragraph, int maxWidth, std::vector<std::wstring>& out)
{
    if (paragraph.empty()) {
        out.emplace_back();
        return;
    }
    size_t pos = 0;
    while (pos < paragraph.size()) {
        // The end of the line so far, after whole words only.
        size_t fitEnd = std::wstring_view::npos;
        size_t scan = pos;
        for (;;) {
            size_t wordStart = scan;
            while (wordStart < paragraph.size() && paragraph[wordStart] == L' ')
                ++wordStart;
            size_t wordEnd = wordStart;
            while (wordEnd < paragraph.size() && paragraph[wordEnd] != L' ')
                ++wordEnd;
            if (wordEnd == wordStart)
                break; // only spaces remain
            std::wstring_view candidate = paragraph.substr(pos, wordEnd - pos);
            if (fitEnd != std::wstring_view::npos && measure.TextWidth(candidate) > maxWidth)
                break;
            fitEnd = wordEnd; // the first word always goes on the line, fit or not
            if (measure.TextWidth(candidate) > maxWidth)
                break;
            scan = wordEnd;
            if (scan >= paragraph.size())
                break;
        }
        if (fitEnd == std::wstring_view::npos) {
            // Nothing but spaces left on this paragraph.
            if (out.empty() || pos == 0)
                out.emplace_back();
            break;
        }
        out.emplace_back(TrimRight(paragraph.substr(pos, fitEnd - pos)));
        pos = fitEnd;
        while (pos < paragraph.size() && paragraph[pos] == L' ')
            ++pos;
    }
}

// The longest start of the line that fits the width with an ellipsis after it; only the
// ellipsis when no character does.
std::wstring ShortenToWidth(const iTextMeasure& measure, std::wstring_view line, int maxWidth)
{
    const std::wstring_view ellipsis = L"\u2026";
    size_t fits = 0, tooLong = line.size();
    while (tooLong - fits > 1) {
        const size_t middle = (fits + tooLong) / 2;
        std::wstring candidate(TrimRight(line.substr(0, middle)));
        candidate += ellipsis;
        if (measure.TextWidth(candidate) <= maxWidth)
            fits = middle;
        else
            tooLong = middle;
    }
    std::wstring shortened(TrimRight(line.substr(0, fits)));
    shortened += ellipsis;
    return shortened;
}

} // namespace

int AlignedLineX(const sRect& rect, int width, uint32_t format)
{
    if (format & DT_CENTER)
        return rect.left + (rect.Width() - width) / 2;
    if (format & DT_RIGHT)
        return rect.right - width;
    return rect.left;
}

int AlignedBlockY(const sRect& rect, int height, uint32_t format)
{
    if (format & DT_VCENTER)
        return rect.top + (rect.Height() - height) / 2;
    if (format & DT_BOTTOM)
        return rect.bottom - height;
    return rect.top;
}

sTextLayout LayoutText(const iTextMeasure& measure, std::wstring_view text, const sRect& rect, uint32_t format)
{
    sTextLayout layout;
    std::vector<std::wstring> lines;
    bool wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    for (const auto& paragraph : SplitParagraphs(text, format)) {
        if (wrap)
            WrapParagraph(measure, paragraph, std::max(0, rect.Width()), lines);
        else
            lines.push_back(paragraph);
    }
    int lineHeight = measure.LineHeight();
    layout.height = int(lines.size()) * lineHeight;
    int y = AlignedBlockY(rect, layout.height, format);
    for (auto& line : lines) {
        sLaidOutLine laid;
        laid.width = measure.TextWidth(line);
        if ((format & DT_END_ELLIPSIS) && laid.width > rect.Width()) {
            line = ShortenToWidth(measure, line, std::max(0, rect.Width()));
            laid.width = measure.TextWidth(line);
        }
        laid.x = AlignedLineX(rect, laid.width, format);
        laid.y = y;
        laid.text = std::move(line);
        layout.widestLine = std::max(layout.widestLine, laid.width);
        layout.lines.push_back(std::move(laid));
        y += lineHeight;
    }
    return layout;
}

int CalcTextExtent(const iTextMeasure& measure, std::wstring_view text, sRect& rect, uint32_t format)
{
    sTextLayout layout = LayoutText(measure, text, rect, format & ~DT_END_ELLIPSIS);
    rect.right = rect.left + layout.widestLine;
    rect.bottom = rect.top + layout.height;
    return layout.height;
}
