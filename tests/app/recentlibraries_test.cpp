// A library named on the command line, and File > Recent Libraries.
#include "app/commands/recentlibraries.h"

#include <QFile>
#include <QMenu>

#include "formfixture.h"

namespace {

class RecentLibrariesTest : public FormFixture {
  protected:
    QString fixture(const char* name) const {
        return QString::fromStdString(testdata::fixture(name).string());
    }
    // A copy of the sample library in the temporary folder.
    QString copyOfSample(const QString& name) {
        const QString copy = dir.filePath(name);
        EXPECT_TRUE(QFile::copy(fixture("app/sample.oidlib"), copy));
        return copy;
    }
    void open(const QString& file) {
        dialogs.answerFile(file);
        trigger("Open1");
    }
    // The rows of the submenu as shown: "&1 /tmp/.../a.oidlib", ...
    QStringList rows() {
        QStringList shown;
        for (QAction* row : widget<QMenu>("RecentLibraries1")->actions())
            if (row->isVisible()) shown << row->text();
        return shown;
    }
};

// What main does with the file the desktop passes: the window starts in every case.
TEST_F(RecentLibrariesTest, ALibraryNamedOnTheCommandLineOpensAtStart) {
    const struct {
        const char* name;
        QString file;
        int entries;
        QString said;  // a part of the one message shown; empty: none
    } cases[] = {
        {"library", fixture("app/sample.oidlib"), 22, ""},
        {"missing file", dir.filePath("gone.oidlib"), 0, "gone.oidlib"},
        {"cut short", fixture("library/unclosed-comment.oidlib"), 0, "End of file inside a comment"},
        {"no library", fixture("import/FIXTURE-TABLES-MIB.mib"), 0, "Can not open encrypted oid file."},
    };
    for (const auto& c : cases) {
        form.reset();
        dialogs.asked.clear();
        start();
        form->openLibrary(c.file);
        EXPECT_TRUE(form->isVisible()) << c.name;
        EXPECT_EQ(form->document().library().Count(), c.entries) << c.name;
        EXPECT_EQ(form->document().fileName(), c.entries ? c.file : QString()) << c.name;
        if (c.said.isEmpty()) {
            EXPECT_TRUE(dialogs.asked.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(dialogs.asked.size(), 1u) << c.name;
        EXPECT_TRUE(dialogs.asked[0].text.contains(c.said))
            << c.name << ": " << dialogs.asked[0].text.toStdString();
    }
}

TEST_F(RecentLibrariesTest, TheLastEightOpenedOrSavedAreOfferedNewestFirst) {
    start();
    EXPECT_FALSE(widget<QMenu>("RecentLibraries1")->isEnabled()) << "nothing to offer yet";
    QStringList files;
    for (int i = 1; i <= 9; ++i) files << copyOfSample(QString("lib%1.oidlib").arg(i));
    for (const QString& file : files) open(file);
    open(files[3]);  // opened again: to the top, not twice
    QStringList expected;
    for (int i : {3, 8, 7, 6, 5, 4, 2, 1}) expected << files[i];
    QStringList numbered;
    for (int i = 0; i < expected.size(); ++i) numbered << QString("&%1 %2").arg(i + 1).arg(expected[i]);
    EXPECT_EQ(rows(), numbered);

    // Save As puts its file on top; the list is there at the next start.
    const QString saved = dir.filePath("saved.oidlib");
    dialogs.answerFile(saved);
    trigger("SaveAs1");
    form.reset();
    start();
    EXPECT_TRUE(widget<QMenu>("RecentLibraries1")->isEnabled());
    ASSERT_EQ(rows().size(), 8);
    EXPECT_EQ(rows().front(), "&1 " + saved);
    EXPECT_EQ(rows().back(), "&8 " + files[2]);

    // A row opens its library, asking first about unsaved changes as Open does.
    form->document().setUnsaved(true);
    dialogs.answer(DialogAnswer::Yes);
    trigger("RecentLibrary3");
    EXPECT_EQ(form->document().fileName(), files[8]);
    EXPECT_EQ(form->document().library().Count(), 22);
    EXPECT_EQ(rows().front(), "&1 " + files[8]);
}

TEST_F(RecentLibrariesTest, ALibraryGoneSinceIsTakenOffTheList) {
    start();
    const QString kept = copyOfSample("kept & sound.oidlib"), gone = copyOfSample("gone.oidlib");
    open(kept);
    open(gone);
    ASSERT_TRUE(QFile::remove(gone));
    trigger("NewOIDFile1");
    dialogs.asked.clear();
    trigger("RecentLibrary1");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "information");
    EXPECT_EQ(dialogs.asked[0].text,
              "The library " + gone + " is no longer there; it is taken off the recent libraries.");
    EXPECT_EQ(form->document().library().Count(), 0);
    EXPECT_EQ(rows(), QStringList{"&1 " + QString(kept).replace("&", "&&")})
        << "an & in a name is no accelerator";
    EXPECT_EQ(settings->read(ProgramKey, "recent1"), kept);
    EXPECT_EQ(settings->read(ProgramKey, "recent2"), "");
}

}  // namespace
