#include "app/commands/helpcommands.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/dialogs/aboutdlg.h"
#include "app/foldersettings.h"
#include "formfixture.h"
#include "library/htmloverview.h"
#include "widgets/htmllabel.h"

namespace {

// Takes the URLs that "Help..." hands to the desktop, instead of starting a browser.
class OpenedUrls : public QObject {
    Q_OBJECT
  public:
    OpenedUrls() { QDesktopServices::setUrlHandler("file", this, "open"); }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler("file"); }
    QList<QUrl> urls;

  public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

class HelpCommandsTest : public FormFixture {
  protected:
    // Runs "About" and, once the box is up, inspect(box) and then closeBox(box); false when no box showed.
    bool runAbout(const std::function<void(TAboutdlg&)>& inspect,
                  const std::function<void(TAboutdlg&)>& closeBox) {
        bool shown = false;
        QTimer::singleShot(0, form.get(), [&] {
            auto* box = qobject_cast<TAboutdlg*>(QApplication::activeModalWidget());
            if (!box) return;
            shown = true;
            inspect(*box);
            closeBox(*box);
        });
        trigger("About1");
        return shown;
    }
};

TEST_F(HelpCommandsTest, CommandsSitInTheirMenusWithoutShortcuts) {
    start();
    EXPECT_FALSE(action("WritetoHTML1")->isVisible()) << "the export is a hidden command";
    action("WritetoHTML1")->setVisible(true);
    for (const char* name : {"WritetoHTML1", "Help2", "About1"}) {
        EXPECT_TRUE(action(name)->isVisible()) << name;
        EXPECT_TRUE(action(name)->isEnabled()) << name;
        EXPECT_TRUE(action(name)->shortcut().isEmpty()) << name;
    }
}

// Every case writes the one file beside the program, so they run in order in one test.
TEST_F(HelpCommandsTest, WriteToHtmlWritesThePageBesideTheProgramAndReportsAFailure) {
    start();
    const QString page = HelpCommands::OverviewFileName();
    EXPECT_EQ(page, FolderSettings::programFolder() + "mibinfo.html");
    QFile::remove(page);

    loadKeys({"Host|Disk#1|Free", "Host|Disk#2|Used", "Host|CPU|Load <1 min>"});
    action("WritetoHTML1")->setVisible(true);  // only a visible item can be chosen
    trigger("WritetoHTML1");
    QFile written(page);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), HtmlOverview(form->document().library()));
    written.close();
    EXPECT_TRUE(dialogs.asked.empty()) << "a successful export shows nothing";
    EXPECT_FALSE(form->document().unsaved()) << "the export changes nothing of the library";

    // Something in the way of the file: the error box shows the failure's text.
    ASSERT_TRUE(QFile::remove(page));
    ASSERT_TRUE(QDir().mkdir(page));
    trigger("WritetoHTML1");
    QDir().rmdir(page);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "error");
    EXPECT_EQ(dialogs.asked[0].text, "Cannot create file \"" + page + "\". Is a directory");
    EXPECT_TRUE(form->isVisible());
}

TEST_F(HelpCommandsTest, HelpOpensTheDeliveredPageWithTheDesktop) {
    start();
    OpenedUrls opened;
    trigger("Help2");
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0],
              QUrl::fromLocalFile(FolderSettings::programFolder() + "doc/VeltraneOidwright.htm"));
    EXPECT_TRUE(QFile::exists(opened.urls[0].toLocalFile()))
        << "the help page is delivered beside the program";
    EXPECT_TRUE(dialogs.asked.empty());
}

// The offscreen platform, like a desktop without a browser, starts nothing for a page.
TEST_F(HelpCommandsTest, HelpSaysSoWhenNoBrowserCanBeStarted) {
    if (QGuiApplication::platformName() != "offscreen") GTEST_SKIP() << "a real desktop may start a browser";
    start();
    trigger("Help2");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "information");
    EXPECT_EQ(dialogs.asked[0].text, "No web browser could be started to show the help page.\n\nOpen " +
                                         HelpCommands::HelpFileName() + " in a browser yourself.");
}

TEST_F(HelpCommandsTest, AboutShowsTheTitleLogosAndNotice) {
    start();
    const bool shown = runAbout(
        [&](TAboutdlg& box) {
            EXPECT_EQ(box.windowTitle(), "About Oidwright for Zelto Network Monitor");
            const QString text = box.findChild<HtmlLabel*>("label1")->html();
            EXPECT_TRUE(
                text.startsWith("<b><FONT size=\"10\">Veltrane Oidwright V2.1.1 for Zelto 7 </FONT></b>"
                                "<br><br>"))
                << text.toStdString();
            EXPECT_FALSE(text.contains("*version*", Qt::CaseInsensitive));
            // Drawn logos, not blank or missing pictures: the tree mark and the signal trace.
            for (auto [name, x, y] : {std::tuple{"leftLogo", 14, 8}, std::tuple{"rightLogo", 6, 34}}) {
                const QImage picture = box.findChild<QLabel*>(name)->pixmap().toImage();
                EXPECT_EQ(picture.size() / picture.devicePixelRatio(), QSize(201, 49)) << name;
                EXPECT_NE(picture.pixelColor(x, y), QColor(Qt::white)) << name;
            }
            EXPECT_TRUE(box.findChild<QPushButton*>("closeButton")->isDefault());
        },
        [](TAboutdlg& box) { box.reject(); });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(HelpCommandsTest, TheAboutBoxClosesByButtonKeysOrALogoClick) {
    start();
    const std::vector<std::pair<const char*, std::function<void(TAboutdlg&)>>> ways = {
        {"Close",
         [](TAboutdlg& box) {
             QTest::mouseClick(box.findChild<QPushButton*>("closeButton"), Qt::LeftButton);
         }},
        {"Enter", [](TAboutdlg& box) { QTest::keyClick(&box, Qt::Key_Return); }},
        {"Esc", [](TAboutdlg& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
        {"left logo",
         [](TAboutdlg& box) { QTest::mouseClick(box.findChild<QLabel*>("leftLogo"), Qt::LeftButton); }},
        {"right logo",
         [](TAboutdlg& box) { QTest::mouseClick(box.findChild<QLabel*>("rightLogo"), Qt::LeftButton); }},
    };
    for (const auto& [way, closeBox] : ways) {
        // A box that did not close would hold the trigger; the timer ends it and marks the failure.
        bool leftOpen = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (auto* box = QApplication::activeModalWidget()) {
                leftOpen = true;
                box->close();
            }
        });
        guard.start(2000);
        EXPECT_TRUE(runAbout([](TAboutdlg&) {}, closeBox)) << way;
        EXPECT_FALSE(leftOpen) << way << " did not close the box";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << way;
    }
}

TEST(AboutText, EveryVersionPlaceholderInAnyCaseBecomesTheTitle) {
    const struct {
        const char* html;
        const char* expected;
    } cases[] = {
        {"<b>*version*</b>", "<b>T 1 </b>"},
        {"*VERSION* and *Version*", "T 1  and T 1 "},
        {"no placeholder", "no placeholder"},
        {"*version", "*version"},
    };
    for (const auto& c : cases) EXPECT_EQ(WithVersion(c.html, "T 1 "), c.expected) << c.html;
}

}  // namespace

#include "helpcommands_test.moc"
