#include "shell/qt/text_pieces.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace qtshell {

namespace {

// Every boundary the finder gives, whatever its reasons: 0, each one after,
// and the text's length. toNextBoundary() answers -1 once past the end.
QList<int> finderBoundaries(const QString& text, QTextBoundaryFinder::BoundaryType type) {
    QList<int> boundaries{0};
    QTextBoundaryFinder finder(type, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        boundaries << static_cast<int>(at);
    return boundaries;
}

// The starts of lines or paragraphs as boundaries: with 0 and the length,
// ascending, without repeats.
QList<int> startsAsBoundaries(const QString& text, QList<int> starts) {
    starts << 0 << static_cast<int>(text.size());
    starts.removeIf([&](int at) { return at < 0 || at > text.size(); });
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    return starts;
}

// A paragraph ends with its line break.
QList<int> paragraphStarts(const QString& text) {
    QList<int> starts;
    for (qsizetype at = text.indexOf(QLatin1Char('\n')); at >= 0;
         at = text.indexOf(QLatin1Char('\n'), at + 1))
        starts << static_cast<int>(at + 1);
    return starts;
}

} // namespace

QList<int> pieceBoundaries(const QString& text, QAccessible::TextBoundaryType type,
                           const QList<int>& lineStarts) {
    switch (type) {
    case QAccessible::CharBoundary:
        return finderBoundaries(text, QTextBoundaryFinder::Grapheme);
    case QAccessible::WordBoundary:
        return finderBoundaries(text, QTextBoundaryFinder::Word);
    case QAccessible::SentenceBoundary:
        return finderBoundaries(text, QTextBoundaryFinder::Sentence);
    case QAccessible::LineBoundary:
        return startsAsBoundaries(text, lineStarts + paragraphStarts(text));
    case QAccessible::ParagraphBoundary:
        return startsAsBoundaries(text, paragraphStarts(text));
    case QAccessible::NoBoundary:
        break;
    }
    return startsAsBoundaries(text, {});
}

int wordStartFrom(const QString& text, int from, int step) {
    const QList<int> bounds = pieceBoundaries(text, QAccessible::WordBoundary, {});
    const auto isWordAt = [&](qsizetype i) {
        const QStringView piece = QStringView(text).mid(bounds[i], bounds[i + 1] - bounds[i]);
        return std::any_of(piece.begin(), piece.end(),
                           [](QChar c) { return c.isLetterOrNumber(); });
    };
    if (step > 0) {
        for (qsizetype i = 0; i + 1 < bounds.size(); ++i)
            if (bounds[i] > from && isWordAt(i))
                return bounds[i];
        return static_cast<int>(text.size());
    }
    for (qsizetype i = bounds.size() - 2; i >= 0; --i)
        if (bounds[i] < from && isWordAt(i))
            return bounds[i];
    return 0;
}

QList<int> PiecewiseText::lineStarts() const {
    return {};
}

QString PiecewiseText::piece(int offset, QAccessible::TextBoundaryType type, Side side, int* start,
                             int* end) const {
    *start = *end = -1;
    const QString text = this->text(0, characterCount());
    const int length = static_cast<int>(text.size());
    if (offset == -2)
        offset = cursorPosition();
    if (offset == -1)
        offset = length;
    if (text.isEmpty() || offset < 0 || offset > length)
        return {};
    if (type == QAccessible::NoBoundary) {
        if (side != Side::At)
            return {};
        *start = 0;
        *end = length;
        return text;
    }

    const QList<int> bounds = pieceBoundaries(text, type, lineStarts());
    // The piece holding `offset` is [bounds[i], bounds[i + 1]). The caret
    // past the last character stands in the last word, line and so on, but
    // holds no character: there the character before it is the last one.
    const auto above = std::upper_bound(bounds.begin(), bounds.end(), offset);
    qsizetype i = (above - bounds.begin()) - 1;
    if (offset == length && type != QAccessible::CharBoundary)
        --i;
    if (side == Side::Before)
        --i;
    else if (side == Side::After)
        ++i;
    if (i < 0 || i + 1 >= bounds.size())
        return {};
    *start = bounds[i];
    *end = bounds[i + 1];
    return text.mid(*start, *end - *start);
}

QString PiecewiseText::textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                                        int* end) const {
    return piece(offset, type, Side::Before, start, end);
}

QString PiecewiseText::textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                                    int* end) const {
    return piece(offset, type, Side::At, start, end);
}

QString PiecewiseText::textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                                       int* end) const {
    return piece(offset, type, Side::After, start, end);
}

} // namespace qtshell
