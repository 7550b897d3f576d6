#pragma once

#include <QAccessibleTextInterface>
#include <QList>
#include <QString>

namespace qtshell {

// Where one kind of piece of `text` begins and ends, ascending, from 0 to its
// length. Characters are graphemes; words, sentences and paragraphs are what
// QTextBoundaryFinder and the line breaks delimit, so each Han character is a
// word of its own, a Latin or digit run ("10.24AA") one word, and a run of
// spaces or a punctuation mark a piece between words. Lines are given by
// `lineStarts`, the offsets where drawn lines begin (0 need not be among them).
QList<int> pieceBoundaries(const QString& text, QAccessible::TextBoundaryType type,
                           const QList<int>& lineStarts);

// Where a move by one word from `from` lands: the start of the next word
// (`step` 1) or of the word before (`step` -1), by the same words; the text's
// end or start when there is none. Spaces and punctuation are passed over.
int wordStartFrom(const QString& text, int from, int step);

// The text interface's questions by boundary, answered from the pieces in one
// pass over the text: never a loop that can miss its end, as Qt's default can
// with text that has no word of the kind it looks for (Chinese). An offset
// outside the text, or a piece that does not exist, gives an empty answer
// with -1 for both ends, as Qt's own implementations do; -1 stands for the
// text's length and -2 for the cursor.
class PiecewiseText : public QAccessibleTextInterface {
public:
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override;

protected:
    // The offsets where drawn lines begin; by default after each line break.
    virtual QList<int> lineStarts() const;

private:
    enum class Side { Before, At, After };
    QString piece(int offset, QAccessible::TextBoundaryType type, Side side, int* start,
                  int* end) const;
};

} // namespace qtshell
