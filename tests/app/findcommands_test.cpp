#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/editor/treebuilder.h"
#include "formfixture.h"

namespace {

class FindCommandsTest : public FormFixture {
  protected:
    void startWith(const std::vector<std::string>& keys) {
        start();
        loadKeys(keys);
    }
    // Answers the next search dialog with the texts and the options to tick (all others unticked).
    void answerSearch(const QString& find, const QString& replace = {},
                      const QStringList& ticked = {"NameOption"}) {
        dialogs.answerWindow([=](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("FindEdit")->setText(find);
            dialog.findChild<QLineEdit*>("ReplaceEdit")->setText(replace);
            for (QCheckBox* option : dialog.findChildren<QCheckBox*>())
                option->setChecked(ticked.contains(option->objectName()));
        });
    }
    // F3 as the user presses it; returns the selected node, or "message" when nothing more was found.
    QString findNext(const char* command = "FindNextAction") {
        const size_t asked = dialogs.asked.size();
        trigger(command);
        for (size_t i = asked; i < dialogs.asked.size(); ++i)
            if (dialogs.asked[i].kind == "information") return dialogs.asked[i].text;
        return selectedPath();
    }
};

TEST_F(FindCommandsTest, SearchesAndReplacesOnlyWhatTheFilterShows) {
    startWith({"Net|Traffic|ifInOctets", "Net|Errors|ifInErrors", "Host|Traffic|cpuInOctets"});
    QTest::keyClicks(widget<QLineEdit>("TreeFilter"), "Octets");
    answerSearch("In");
    EXPECT_EQ(findNext("FindAction"), "Host/Traffic/cpuInOctets");
    EXPECT_EQ(findNext(), "Net/Traffic/ifInOctets") << "ifInErrors is filtered out";
    EXPECT_EQ(findNext(), "\"In\" not found!");

    answerSearch("In", "Out");
    trigger("Findreplace1");
    const toidfile& library = form->document().library();
    EXPECT_EQ(library.Entries(0)->name, "Net|Traffic|ifOutOctets");
    EXPECT_EQ(library.Entries(1)->name, "Net|Errors|ifInErrors");
    EXPECT_EQ(library.Entries(2)->name, "Host|Traffic|cpuOutOctets");
}

TEST_F(FindCommandsTest, FindsEntriesNeverGroupNodes) {
    startWith({"Net|Traffic|ifInOctets", "Net|Errors|ifInErrors", "Host|Traffic|cpu"});
    struct Case {
        QString text;
        QStringList options;
        QString found;
    };
    for (const Case& c : std::vector<Case>{
             {"Traffic", {"NameOption"}, "Host/Traffic/cpu"},
             {"octets", {"NameOption"}, "Net/Traffic/ifInOctets"},
             {"octets", {"NameOption", "CaseSensitiveOption"}, "\"octets\" not found!"},
             {"Net|Errors|ifIn", {"NameOption"}, "Net/Errors/ifInErrors"},
             {"1.1", {"OidOption"}, "Net/Errors/ifInErrors"},
             {"cpu", {"DescriptionOption"}, "\"cpu\" not found!"},
         }) {
        answerSearch(c.text, {}, c.options);
        EXPECT_EQ(findNext("FindAction"), c.found) << c.text.toStdString();
    }
}

TEST_F(FindCommandsTest, F3AlternatesWithTheMessageAndFindPreviousGoesUp) {
    startWith({"a|x|1", "a|x|2", "b|y|hit", "c|z|3"});
    answerSearch("hit");
    EXPECT_EQ(findNext("FindAction"), "b/y/hit");
    EXPECT_EQ(findNext(), "\"hit\" not found!");
    EXPECT_EQ(findNext(), "b/y/hit");
    EXPECT_EQ(findNext(), "\"hit\" not found!");
    EXPECT_EQ(findNext("FindPreviousAction"), "\"hit\" not found!")
        << "an empty position tests only the first node";

    answerSearch("|");  // every entry
    EXPECT_EQ(findNext("FindAction"), "a/x/1");
    EXPECT_EQ(findNext(), "a/x/2");
    EXPECT_EQ(findNext(), "b/y/hit");
    EXPECT_EQ(findNext("FindPreviousAction"), "a/x/2");
    click("c/z/3");  // selecting by hand does not move the search position
    EXPECT_EQ(findNext(), "b/y/hit");
}

TEST_F(FindCommandsTest, TheFoundNodeStaysThePositionWhenTheEditorRefusesToMove) {
    startWith({"a|x|1", "a|x|2", "a|x|3"});
    click("a/x/1");
    type("Edit4", "9");
    answerSearch("|");
    EXPECT_EQ(findNext("FindAction"), "a/x/1") << "already selected: no question";
    dialogs.answer(DialogAnswer::Cancel);
    trigger("FindNextAction");
    EXPECT_EQ(dialogs.asked.back().kind, "confirm");
    EXPECT_EQ(selectedPath(), "a/x/1") << "the edits stay";
    dialogs.answer(DialogAnswer::No);
    trigger("FindNextAction");
    EXPECT_EQ(selectedPath(), "a/x/3") << "went on from a/x/2";
}

TEST_F(FindCommandsTest, EveryRebuildForgetsThePosition) {
    startWith({"a|x|hit1", "b|y|hit2"});
    answerSearch("hit");
    EXPECT_EQ(findNext("FindAction"), "a/x/hit1");
    form->editing().RebuildTree({});
    EXPECT_EQ(findNext(), "a/x/hit1") << "starts again at the first node";
    EXPECT_EQ(findNext(), "b/y/hit2");
    answerSearch("hit", "hit");
    trigger("Findreplace1");
    EXPECT_EQ(findNext(), "a/x/hit1");
}

TEST_F(FindCommandsTest, ReplaceRewritesEveryShownEntryAndMovesRenamedOnes) {
    startWith({"Net|x|aaa", "Net|aaa|in", "Net|x|aaa", "Host|x|y"});
    form->document().library().Entries(3)->description = "AAA and aa";
    answerSearch("aa", "X", {"NameOption", "DescriptionOption"});
    trigger("Findreplace1");
    toidfile& library = form->document().library();
    EXPECT_EQ(library.Entries(0)->name, "Net|x|aaa") << "not shown: its node is bound to a later entry";
    EXPECT_EQ(library.Entries(1)->name, "Net|Xa|in");
    EXPECT_EQ(library.Entries(2)->name, "Net|x|Xa");
    EXPECT_EQ(library.Entries(3)->description, "XA and X");
    EXPECT_NE(node("Net/Xa/in"), nullptr) << "moved to the group its new key spells";
    EXPECT_EQ(node("Net/aaa/in"), nullptr);
    EXPECT_TRUE(form->document().unsaved());
    EXPECT_EQ(status(), "4 OIDs in 3 Groups");
}

TEST_F(FindCommandsTest, AnEmptySearchTextChangesNothingButMarksTheLibrary) {
    startWith({"a|x|1"});
    answerSearch("", "X");
    trigger("Findreplace1");
    EXPECT_EQ(form->document().library().Entries(0)->name, "a|x|1");
    EXPECT_TRUE(form->document().unsaved());
    EXPECT_EQ(status(), "1 OIDs in 1 Groups");
}

TEST_F(FindCommandsTest, ReplaceShowsTheEditorsEntryAgain) {
    startWith({"a|x|1", "b|y|1", "a|x|2"});
    form->document().library().Entries(0)->description = "old text";
    click("a/x/1");
    answerSearch("old", "new", {"DescriptionOption"});
    trigger("Findreplace1");
    EXPECT_EQ(selectedPath(), "a/x/1");
    EXPECT_EQ(widget<QPlainTextEdit>("Memo1")->toPlainText(), "new text");
    type("Edit4", "7");
    trigger("ChangesApplyAction");
    EXPECT_EQ(form->document().library().Entries(0)->description, "new text")
        << "Apply keeps the replacement";

    // Renamed onto the key of a later entry, the entry loses its node to that entry, which the
    // selection and the editor move on to.
    click("a/x/1");
    answerSearch("a|x|1", "a|x|2");
    trigger("Findreplace1");
    EXPECT_EQ(selectedPath(), "a/x/2");
    EXPECT_EQ(form->editing().currentEntry(), form->document().library().Entries(2));
}

TEST_F(FindCommandsTest, ReplaceTakesPendingEditsAlong) {
    startWith({"a|x|1"});
    click("a/x/1");
    type("Edit6", "old");
    answerSearch("old", "new", {"IndicatorOption"});
    trigger("Findreplace1");
    EXPECT_EQ(form->document().library().Entries(0)->indicator, "new");
    EXPECT_EQ(text("Edit6"), "new");
    EXPECT_FALSE(form->editing().edited());
}

TEST_F(FindCommandsTest, CaseFoldingFollowsTheFieldsBytes) {
    // A UTF-8 key and a Windows-1252 key that both show an umlaut; Cyrillic Windows-1251 bytes
    // show as Windows-1252 letters, whose pairs the Windows-1251 mapping also pairs.
    startWith(
        {"Gr\xC3\x96\xC3\x9F"
         "e|x|1",
         "H|Gr\xD6\xDF"
         "e|2"});
    answerSearch(QString::fromUtf8("gr\xC3\xB6\xC3\x9F"));
    EXPECT_EQ(findNext("FindAction"), QString::fromUtf8("Gr\xC3\x96\xC3\x9F"
                                                        "e/x/1"));
    EXPECT_EQ(findNext(), QString::fromUtf8("H/Gr\xC3\x96\xC3\x9F"
                                            "e/2"));
}

}  // namespace
