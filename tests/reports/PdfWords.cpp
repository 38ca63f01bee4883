#include "PdfWords.h"

#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace quivra::reports::test {

namespace {
constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr double kSameLine = 0.5;  // mm
constexpr double kWordGap = 4.0;   // mm: wider gaps split a phrase
}  // namespace

bool PdfWords::available() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

std::optional<PdfWords> PdfWords::read(const QString& pdfPath, QString* error) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                   QStringLiteral("-l"), QStringLiteral("1"), pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error = QStringLiteral("pdftotext failed on %1: %2")
                     .arg(pdfPath, QString::fromLocal8Bit(process.readAllStandardError()));
        return std::nullopt;
    }
    PdfWords result;
    QXmlStreamReader xml(process.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement ||
            xml.name() != QLatin1String("word")) {
            continue;
        }
        const auto attr = [&xml](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toDouble() * kMmPerPoint;
        };
        PdfWord word;
        word.left = attr("xMin");
        word.top = attr("yMin");
        word.right = attr("xMax");
        word.bottom = attr("yMax");
        word.text = xml.readElementText();
        result.m_words.push_back(word);
    }
    if (xml.hasError()) {
        *error = QStringLiteral("cannot parse pdftotext output: ") + xml.errorString();
        return std::nullopt;
    }
    return result;
}

std::vector<PdfWord> PdfWords::findAll(const QString& phrase) const {
    const QStringList tokens = phrase.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<PdfWord> found;
    if (tokens.isEmpty()) return found;
    for (const PdfWord& first : m_words) {
        if (first.text != tokens.front()) continue;
        PdfWord box = first;
        bool complete = true;
        for (qsizetype i = 1; i < tokens.size() && complete; ++i) {
            const auto next = std::find_if(m_words.begin(), m_words.end(), [&](const PdfWord& w) {
                return w.text == tokens[i] && std::abs(w.top - box.top) < kSameLine &&
                       w.left >= box.right - 0.1 && w.left - box.right < kWordGap;
            });
            if (next == m_words.end()) {
                complete = false;
            } else {
                box.text += QLatin1Char(' ') + next->text;
                box.right = next->right;
                box.bottom = std::max(box.bottom, next->bottom);
            }
        }
        if (complete) found.push_back(box);
    }
    return found;
}

std::optional<PdfWord> PdfWords::find(const QString& phrase) const {
    const std::vector<PdfWord> all = findAll(phrase);
    if (all.empty()) return std::nullopt;
    return all.front();
}

std::vector<PdfWord> PdfWords::lineAt(double top) const {
    std::vector<PdfWord> line;
    for (const PdfWord& w : m_words) {
        if (std::abs(w.top - top) < kSameLine) line.push_back(w);
    }
    std::sort(line.begin(), line.end(),
              [](const PdfWord& a, const PdfWord& b) { return a.left < b.left; });
    return line;
}

QString PdfWords::allText() const {
    QStringList texts;
    for (const PdfWord& w : m_words) texts << w.text;
    return texts.join(QLatin1Char(' '));
}

}  // namespace quivra::reports::test
