#include "TuningGuide.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace quivra::info {

void fillGuideDocument(QTextDocument& document, const QString& markdown) {
    document.setMarkdown(markdown);
    // Markdown tables come without rules; the correction tables read much
    // better with thin cell borders, on screen and on paper.
    const auto frames = document.rootFrame()->childFrames();
    for (QTextFrame* frame : frames) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr) continue;
        QTextTableFormat format = table->format();
        format.setBorder(0.5);
        format.setBorderBrush(QColor(0x80, 0x80, 0x80));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        table->setFormat(format);
    }
}

QString tuningGuideMarkdown() {
    QFile file(QStringLiteral(":/quivra/info/tuning_guide.md"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QString tuningGuideTitle(const QString& markdown) {
    static const QRegularExpression title(QStringLiteral("^# (.+)$"),
                                          QRegularExpression::MultilineOption);
    const auto match = title.match(markdown);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

std::vector<TuningTopic> tuningTopics(const QString& markdown) {
    std::vector<TuningTopic> topics;
    const QStringList lines = markdown.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("## "))) {
            topics.push_back({line.mid(3).trimmed(), {}});
        }
        if (!topics.empty()) topics.back().markdown += line + QLatin1Char('\n');
    }
    return topics;
}

QString writeTuningGuidePdf(const QString& markdown, const QString& pdfFile) {
    if (markdown.isEmpty()) return QStringLiteral("The tuning guide text is empty.");
    QSaveFile file(pdfFile);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("Cannot write %1: %2").arg(pdfFile, file.errorString());
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(tuningGuideTitle(markdown));
        writer.setCreator(QStringLiteral("Quivra"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));

        QTextDocument document;
        QFont body(QStringLiteral("DejaVu Sans"));
        body.setPointSizeF(10.0);
        document.setDefaultFont(body);
        fillGuideDocument(document, markdown);
        document.print(&writer);
    }
    if (!file.commit()) {
        return QStringLiteral("Cannot write %1: %2").arg(pdfFile, file.errorString());
    }
    return {};
}

}  // namespace quivra::info
