#pragma once
// Reads back the words of a one-page PDF file with their boxes, through
// poppler's `pdftotext -bbox`, so tests can check what a report printed and
// where.  Boxes are in millimetres from the paper's top-left corner; a word's
// top is the top of its text box (baseline minus the font's ascent).

#include <QString>

#include <optional>
#include <vector>

namespace quivra::reports::test {

struct PdfWord {
    QString text;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double centre() const { return (left + right) / 2.0; }
};

class PdfWords {
public:
    // True when pdftotext can be run; tests skip when it cannot.
    static bool available();
    // The words of the first page of `pdfPath`; nullopt (and `error`) when the
    // file cannot be read.
    static std::optional<PdfWords> read(const QString& pdfPath, QString* error);

    const std::vector<PdfWord>& words() const { return m_words; }

    // Every place where the blank-separated words of `phrase` stand side by
    // side on one line, as one box.
    std::vector<PdfWord> findAll(const QString& phrase) const;
    // The first such place.
    std::optional<PdfWord> find(const QString& phrase) const;
    // The words whose top lies within 0.5 mm of `top`, left to right.
    std::vector<PdfWord> lineAt(double top) const;
    // All text of the page joined by blanks (for failure messages).
    QString allText() const;

private:
    std::vector<PdfWord> m_words;
};

}  // namespace quivra::reports::test
