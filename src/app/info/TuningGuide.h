#pragma once
// The tuning guide: one Markdown text, compiled into the program, shown by
// the help window topic by topic and printed to tuning_guide.pdf.
//
// Format: a "# " title line, then one "## " heading per topic.

#include <QString>

#include <vector>

class QTextDocument;

namespace quivra::info {

struct TuningTopic {
    QString title;     // the heading's text
    QString markdown;  // the topic including its heading
};

// The guide's text as compiled in.
QString tuningGuideMarkdown();

// The title (the "# " line) of a guide text.
QString tuningGuideTitle(const QString& markdown);

// The topics of a guide text in order.  Text before the first "## " heading
// (the title) belongs to no topic.
std::vector<TuningTopic> tuningTopics(const QString& markdown);

// Sets `document` to the Markdown text, with ruled tables.
void fillGuideDocument(QTextDocument& document, const QString& markdown);

// Lays the whole guide out on US Letter pages and writes it as a PDF file.
// The file is written under a temporary name and renamed when complete.
// Returns an empty string on success, otherwise what went wrong.
QString writeTuningGuidePdf(const QString& markdown, const QString& pdfFile);

}  // namespace quivra::info
