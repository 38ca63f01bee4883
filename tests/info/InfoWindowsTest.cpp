// Model guide, about box, tuning guide, hyperlink label and banner, offscreen.
#include "Banner.h"
#include "HyperlinkLabel.h"
#include "InfoWindows.h"
#include "Links.h"
#include "MessageBox.h"
#include "ModalPattern.h"
#include "PictureCycler.h"
#include "Pictures.h"
#include "QStringPrinter.h"
#include "TAboutBox.h"
#include "TAboutBox1.h"
#include "TuningGuide.h"
#include "TuningHelpWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

namespace qi = quivra::info;
namespace qs = quivra::shell;
namespace fs = std::filesystem;

// Takes the place of the desktop for web, e-mail and file addresses.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

namespace {

class InfoWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_data = fs::path(m_dir.path().toStdU32String());
        fs::create_directories(m_data / "pictures");
        for (const char* scheme : {"https", "mailto", "file"}) {
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_catcher, "open");
        }
        qs::MessageBox::setAutoAnswer(true);
        qs::MessageBox::clearShownTexts();
    }
    void TearDown() override {
        for (const char* scheme : {"https", "mailto", "file"}) {
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        }
        qs::MessageBox::setAutoAnswer(false);
        qs::setDialogObserver({});
    }

    void picture(const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        ASSERT_TRUE(image.save(m_dir.filePath(QStringLiteral("pictures/") + name)));
    }

    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2)); }

    QTemporaryDir m_dir;
    fs::path m_data;
    UrlCatcher m_catcher;
};

// --- model guide -----------------------------------------------------------------

struct GuideCase {
    const char* key;
    int image;  // -1: none
    const char* caption;
    int link;  // -1: none
    const char* url;
};

TEST_F(InfoWindows, ModelGuideFollowsThePageKey) {
    picture("guide_hunt.jpg", {1200, 1608});
    picture("guide_targ.jpg", {1194, 1521});
    picture("guide_kstr.jpg", {1086, 876});
    const GuideCase cases[] = {
        {"Hunt", 0, "2012 Hunting Shaft Models Guide", 0,
         "https://www.quivra.example/guides/hunting"},
        {"Targ", 1, "2012 Target/Youth Shaft Models Guide", 1,
         "https://www.quivra.example/guides/target"},
        {"Youth", 1, "2012 Target/Youth Shaft Models Guide", 2,
         "https://www.quivra.example/guides/youth"},
        {"Kstr", 2, "2012 Kestra Shaft Models Guide", 3, "https://www.quivra.example/kestra/guide"},
        {"", -1, "2012 Shaft Models Guide", -1, ""},
        {"hunt", -1, "2012 Shaft Models Guide", -1, ""},  // exact and case-sensitive
        {"Kestra", -1, "2012 Shaft Models Guide", -1, ""},
    };
    for (const auto& c : cases) {
        qi::TAboutBox1 guide(quivra::core::pageFromKey(c.key), m_data);
        guide.show();
        EXPECT_EQ(guide.windowTitle(), c.caption) << c.key;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(guide.image(i)->isVisible(), i == c.image) << c.key << " image " << i;
        }
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(guide.link(i)->isVisible(), i == c.link) << c.key << " link " << i;
        }
        if (c.image >= 0) {
            EXPECT_FALSE(guide.image(c.image)->pixmap().isNull()) << c.key;
            EXPECT_EQ(guide.image(c.image)->toolTip(),
                      "Use scroll bars and\narrows to view all items");
        }
        if (c.link >= 0) {
            m_catcher.urls.clear();
            click(guide.link(c.link));
            EXPECT_EQ(m_catcher.urls, QList<QUrl>{QUrl(QLatin1String(c.url))}) << c.key;
        }
    }
    EXPECT_TRUE(qs::MessageBox::shownTexts().isEmpty());
}

TEST_F(InfoWindows, ModelGuideShowsATextForAMissingPicture) {
    qi::TAboutBox1 guide(quivra::core::Page::Kstr, m_data);
    guide.show();
    EXPECT_TRUE(guide.image(2)->isVisible());
    EXPECT_EQ(guide.image(2)->text(), "Picture not available: guide_kstr.jpg");
    EXPECT_TRUE(guide.link(3)->isVisible());
}

TEST_F(InfoWindows, ModelGuideOpensModallyAndCloses) {
    QString seen;
    qs::setDialogObserver([&](QDialog* dialog) {
        QTimer::singleShot(0, dialog, [&seen, dialog] {
            seen = dialog->windowTitle();
            auto* close = dialog->findChild<QPushButton*>(QStringLiteral("KECloseBtn"));
            EXPECT_EQ(close->toolTip(), "Click to Exit");
            close->click();
        });
    });
    qi::openModelGuide(nullptr, quivra::core::Page::Youth, m_data);
    EXPECT_EQ(seen, "2012 Target/Youth Shaft Models Guide");
}

// --- about box -------------------------------------------------------------------

TEST_F(InfoWindows, AboutBoxShowsMakerAndLink) {
    picture("splash.jpg", {480, 320});
    qi::TAboutBox about(m_data);
    EXPECT_EQ(about.windowTitle(), "About 2012");
    EXPECT_EQ(about.picture()->pixmap().size(), QSize(480, 320));
    for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
        auto* label = about.findChild<QLabel*>(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->text().isEmpty()) << name;
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter) << name;
    }
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("Label5"))->text(), "Visit our WWW site:");
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("OKButton"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    click(about.webLink());
    EXPECT_EQ(m_catcher.urls, QList<QUrl>{QUrl(qi::links::kWebSite)});
}

TEST_F(InfoWindows, AboutBoxWithoutItsPictureStillOpensAndOkAccepts) {
    int result = -1;
    qs::setDialogObserver([](QDialog* dialog) {
        QTimer::singleShot(0, dialog, [dialog] {
            EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("Image1"))->text(),
                      "Picture not available: splash.jpg");
            dialog->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        });
    });
    result = qs::runModal<qi::TAboutBox>(nullptr, m_data);
    EXPECT_EQ(result, QDialog::Accepted);
}

// --- links and banners -------------------------------------------------------------

TEST_F(InfoWindows, HyperlinkOpensByClickAndKeyboard) {
    qi::HyperlinkLabel link(QStringLiteral("Email Tech Support"), QUrl(qi::links::kTechSupport));
    EXPECT_EQ(link.accessibleName(), "Email Tech Support");
    EXPECT_TRUE(link.font().underline());
    click(&link);
    QTest::keyClick(&link, Qt::Key_Return);
    EXPECT_EQ(m_catcher.urls, (QList<QUrl>{QUrl("mailto:support@quivra.example"),
                                           QUrl("mailto:support@quivra.example")}));
}

TEST_F(InfoWindows, RefusedAddressIsReported) {
    qi::HyperlinkLabel link(QStringLiteral("Broken"), QUrl());
    EXPECT_FALSE(link.activate());
    ASSERT_EQ(qs::MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(qs::MessageBox::shownTexts().front().contains("could not be opened"));
}

TEST_F(InfoWindows, BannerCyclesItsFramesAndOpensTheProductPage) {
    for (int n = 1; n <= 3; ++n) picture(QStringLiteral("banner_kstr_%1.jpg").arg(n), {175, 32});
    picture("banner_kstr_5.jpg", {175, 32});  // after a gap: not part of the list
    std::unique_ptr<qi::Banner> banner(qi::makePageBanner(quivra::core::Page::Kstr, m_data));
    EXPECT_EQ(banner->interval(), 20000);
    EXPECT_TRUE(banner->isRunning());
    ASSERT_EQ(banner->pictureCount(), 3);
    EXPECT_EQ(banner->currentIndex(), 0);
    banner->advance();
    banner->advance();
    EXPECT_EQ(banner->currentIndex(), 2);
    banner->advance();
    EXPECT_EQ(banner->currentIndex(), 0);
    click(banner.get());
    EXPECT_EQ(m_catcher.urls, QList<QUrl>{QUrl("https://www.quivra.example/kestra/products")});
}

TEST_F(InfoWindows, PictureCyclerAdvancesOnItsTimer) {
    for (int n = 1; n <= 2; ++n) picture(QStringLiteral("ke_big_%1.jpg").arg(n), {150, 150});
    qi::PictureCycler cycler;
    cycler.setPictureFiles(qi::pictures::list(m_data, QStringLiteral("ke_big_")));
    cycler.setInterval(10);
    cycler.start();
    QTRY_COMPARE_WITH_TIMEOUT(cycler.currentIndex(), 1, 2000);
    cycler.setPictureFiles(qi::pictures::list(m_data, QStringLiteral("ke_none_")));
    EXPECT_EQ(cycler.pictureCount(), 0);
    EXPECT_EQ(cycler.text(), "Pictures not available");
    cycler.advance();  // nothing to show: no crash, no change
    EXPECT_EQ(cycler.currentIndex(), 0);
}

// --- tuning guide ------------------------------------------------------------------

TEST_F(InfoWindows, TuningGuideHasItsTopics) {
    const QString text = qi::tuningGuideMarkdown();
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(qi::tuningGuideTitle(text), "Quivra Arrow Tuning Guide");
    const auto topics = qi::tuningTopics(text);
    QStringList titles;
    for (const auto& t : topics) titles << t.title;
    for (const char* wanted : {"Paper Tuning", "Bare-Shaft Tuning", "Center Shot", "Nock Height",
                               "Spine and Arrow Selection", "Front of Center (FOC)"}) {
        EXPECT_TRUE(titles.contains(QLatin1String(wanted))) << wanted;
    }
    for (const auto& t : topics) {
        EXPECT_TRUE(t.markdown.startsWith("## " + t.title)) << t.title.toStdString();
        EXPECT_GT(t.markdown.size(), 400) << t.title.toStdString();
    }
}

TEST_F(InfoWindows, HelpWindowOpensAtTheFirstTopicAndIsReused) {
    QWidget mainWindow;
    qi::TuningHelpWindow* help = qi::showTuningInformation(&mainWindow, m_data);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentTopic(), 0);
    EXPECT_TRUE(help->browser()->toPlainText().startsWith("Before You Start"));
    help->showTopic(3);
    EXPECT_EQ(help->currentTopic(), 3);
    EXPECT_EQ(qi::showTuningInformation(&mainWindow, m_data), help);
    EXPECT_EQ(help->currentTopic(), 0);
    help->showTopic(99);  // ignored
    EXPECT_EQ(help->currentTopic(), 0);
}

TEST_F(InfoWindows, TuningGuidePdfIsWrittenAndOpened) {
    const QString pdf = m_dir.filePath(QStringLiteral("tuning_guide.pdf"));
    ASSERT_TRUE(qi::writeTuningGuidePdf(qi::tuningGuideMarkdown(), pdf).isEmpty());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_GT(file.size(), 10000);
    EXPECT_TRUE(qi::openTuningGuidePdf(nullptr, m_data));
    ASSERT_EQ(m_catcher.urls.size(), 1);
    EXPECT_EQ(m_catcher.urls.front(), QUrl::fromLocalFile(pdf));
}

TEST_F(InfoWindows, MissingTuningGuidePdfIsReported) {
    EXPECT_FALSE(qi::openTuningGuidePdf(nullptr, m_data));
    ASSERT_EQ(qs::MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(qs::MessageBox::shownTexts().front().contains("tuning_guide.pdf"));
    EXPECT_TRUE(m_catcher.urls.isEmpty());
    EXPECT_FALSE(qi::writeTuningGuidePdf(QString(), m_dir.filePath("x.pdf")).isEmpty());
    EXPECT_FALSE(qi::writeTuningGuidePdf("# T", m_dir.filePath("no/such/dir/x.pdf")).isEmpty());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "InfoWindowsTest.moc"
