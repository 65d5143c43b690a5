#include "app/commands/checkcommands.h"

#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/dialogs/checkprogresswindow.h"
#include "app/dialogs/logwindow.h"
#include "app/editor/partialselection.h"
#include "app/editor/treebuilder.h"
#include "app/foldersettings.h"
#include "app/qtstrings.h"
#include "formfixture.h"
#include "localagenttest.h"
#include "lossyrelay.h"
#include "slownames.h"

namespace {

// Dialog fields by object name: a text for edits and lists, a number for spin boxes, "" for a
// radio button to press.
using Fields = std::vector<std::pair<const char*, QString>>;

const QString NoSecrets[] = {LocalAgent::Community, LocalAgent::AuthKey, LocalAgent::PrivKey,
                             "hidden-community"};

class CheckCommandsTest : public FormFixture {
  protected:
    void startWithDevice() {
        start();
        const std::string library = testdata::fixture("check/device.oidlib").string();
        ASSERT_EQ(form->document().library().LoadFromFile(library), "");
        form->editing().RebuildTree({});
        statusBefore_ = status();
    }

    static void fill(QDialog& dialog, const Fields& fields) {
        for (const auto& [name, value] : fields) {
            QWidget* field = dialog.findChild<QWidget*>(name);
            ASSERT_NE(field, nullptr) << name;
            ASSERT_TRUE(field->isEnabled()) << name << " is disabled";
            if (auto* edit = qobject_cast<QLineEdit*>(field)) {
                edit->clear();
                QTest::keyClicks(edit, value);
            } else if (auto* list = qobject_cast<QComboBox*>(field)) {
                list->setCurrentText(value);
            } else if (auto* seconds = qobject_cast<QDoubleSpinBox*>(field)) {
                seconds->setValue(value.toDouble());
            } else if (auto* count = qobject_cast<QSpinBox*>(field)) {
                count->setValue(value.toInt());
            } else {
                QTest::mouseClick(field, Qt::LeftButton);
            }
        }
    }
    static void press(QDialog& dialog, const char* button) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    }
    // "Check Against Device..." with the fields filled and Check pressed.
    void runCheck(const Fields& fields) {
        dialogs.answerWindow([fields](QDialog& dialog) {
            fill(dialog, fields);
            press(dialog, "OkButton");
        });
        trigger("CheckAgainstDevice1");
    }
    static Fields agentFields(const std::string& host, double timeout = 5, int retries = 2) {
        return {{"AgentButton", ""},
                {"HostEdit", QString::fromStdString(host)},
                {"VersionCombo", "2c"},
                {"CommunityEdit", LocalAgent::Community},
                {"TimeoutSpin", QString::number(timeout)},
                {"RetriesSpin", QString::number(retries)}};
    }

    // Entry name -> check box of its node.
    std::map<std::string, int> entryBoxes() {
        std::map<std::string, int> boxes;
        form->tree().forEachNode([&](TreeNode* node) {
            if (IsEntryNode(node)) boxes[EntryOf(node)->name] = node->imageIndex();
        });
        return boxes;
    }
    bool anyBox() {
        bool found = false;
        form->tree().forEachNode(
            [&](TreeNode* node) { found = found || node->imageIndex() != NoCheckImage; });
        return found;
    }
    // The check's report has a window of its own, beside the import log.
    Tlogwindow* logWindow() { return widget<Tlogwindow>("CheckReportWindow"); }
    QString logText() { return logWindow()->findChild<QPlainTextEdit*>("LogMemo")->toPlainText(); }
    QString storedSettings() {
        QFile file(dir.filePath("machine.ini"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // A failed or cancelled check leaves the window as it was (a cancelled one says so).
    void expectUnchanged(const QString& statusText = {}) {
        EXPECT_FALSE(form->selection().partial());
        EXPECT_FALSE(anyBox());
        EXPECT_EQ(status(), statusText.isEmpty() ? statusBefore_ : statusText);
        EXPECT_EQ(form->document().library().Count(), 4);
        EXPECT_FALSE(form->document().unsaved());
        EXPECT_FALSE(logWindow()->isVisible());
        EXPECT_FALSE(widget("CheckProgressWindow")->isVisible());
    }
    void expectError(const QString& message) {
        ASSERT_EQ(dialogs.asked.size(), 2u);
        EXPECT_EQ(dialogs.asked[1].kind, "error");
        EXPECT_EQ(dialogs.asked[1].text.toStdString(), message.toStdString());
    }

    QString statusBefore_;
};

TEST_F(CheckCommandsTest, CaptureTicksExactlyTheAnsweredEntries) {
    start();
    EXPECT_FALSE(action("CheckAgainstDevice1")->isEnabled()) << "nothing to check on an empty tree";
    form.reset();
    startWithDevice();
    EXPECT_EQ(action("CheckAgainstDevice1")->text(), "&Check Against Device...");
    const QString capture = QString::fromStdString(testdata::fixture("check/device.walk").string());
    dialogs.answerWindow([](QDialog& dialog) {
        EXPECT_FALSE(dialog.findChild<QWidget*>("BrowseButton")->isEnabled()) << "an agent is the default";
        fill(dialog, {{"CaptureButton", ""}});
        EXPECT_FALSE(dialog.findChild<QWidget*>("HostEdit")->isEnabled());
        press(dialog, "BrowseButton");
        press(dialog, "OkButton");
    });
    dialogs.answerFile(capture);
    trigger("CheckAgainstDevice1");

    EXPECT_EQ(entryBoxes(),
              (std::map<std::string, int>{{"IF-MIB|ifEntry|In Octets", CheckedImage},
                                          {"SNMPv2-MIB|system|Services", UncheckedImage},
                                          {"SNMPv2-MIB|system|Up Time", CheckedImage},
                                          {"HOST-RESOURCES-MIB|hrStorageEntry|Used", CheckedImage}}));
    EXPECT_TRUE(form->selection().partial());
    EXPECT_TRUE(widget("PartialBox")->isVisible());
    EXPECT_EQ(widget<QLabel>("CounterCountLabel")->text(), "3 / 4");
    EXPECT_EQ(status(), "3 of 4 entries answered");
    EXPECT_FALSE(form->document().unsaved()) << "the library itself is unchanged";

    ASSERT_TRUE(logWindow()->isVisible());
    EXPECT_EQ(logWindow()->windowTitle(), "Device Check Report");
    auto* importLog = widget<Tlogwindow>("logwindow");
    EXPECT_FALSE(importLog->isVisible());
    EXPECT_EQ(importLog->findChild<QPlainTextEdit*>("LogMemo")->toPlainText(), "")
        << "\"Show Import Log...\" goes on showing the last import's log";
    const QString report =
        "Checked against walk capture " + capture +
        "\nanswered      1.3.6.1.2.1.2.2.1.10  IF-MIB|ifEntry|In Octets  (2 rows)\n"
        "not answered  1.3.6.1.2.1.1.7.0  SNMPv2-MIB|system|Services  the agent says noSuchObject\n"
        "answered      1.3.6.1.2.1.1.3.0  SNMPv2-MIB|system|Up Time\n"
        "answered      1.3.6.1.2.1.25.2.3.1.6  HOST-RESOURCES-MIB|hrStorageEntry|Used  (2 rows)\n"
        "IF-MIB is in neither " +
        FolderSettings::programFolder() + " nor " + FolderSettings::programFolder() +
        "stdmib/: its names are not read\n"
        "2 lines of the capture could not be read: 5, 8\n"
        "3 of 4 entries answered";
    EXPECT_EQ(logText().toStdString(), report.toStdString());
    const QString saved = dir.filePath("check.log");
    dialogs.answerFile(saved);
    QTest::mouseClick(logWindow()->findChild<QPushButton*>("Button2"), Qt::LeftButton);
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), QString(report).replace("\n", "\r\n") + "\r\n");
    EXPECT_FALSE(storedSettings().contains("check")) << "a capture remembers no agent";
}

// Names in a capture are read from the modules in the MIB folder of the settings, then stdmib/.
TEST_F(CheckCommandsTest, CaptureNamesComeFromTheMibFolder) {
    const QString mibs = QString::fromStdString(testdata::fixture("check").string()) + "/";
    start("[software]\nVeltrane\\Oidwright\\mibpath=" + mibs.toUtf8() + "\n");
    ASSERT_EQ(
        form->document().library().LoadFromFile(testdata::fixture("check/fixture-check.oidlib").string()),
        "");
    form->editing().RebuildTree({});
    runCheck({{"CaptureButton", ""},
              {"CaptureEdit", QString::fromStdString(testdata::fixture("check/names.walk").string())}});
    EXPECT_EQ(status(), "2 of 5 entries answered");
    EXPECT_TRUE(logText().contains("\nNO-SUCH-MIB is in neither " + mibs + " nor "))
        << logText().toStdString();
}

TEST_F(CheckCommandsTest, FieldsThatCannotBeUsedKeepTheDialogOpen) {
    struct Case {
        Fields fields;
        QString message;
    };
    const Fields v3{
        {"AgentButton", ""}, {"HostEdit", "192.0.2.1"}, {"VersionCombo", "3"}, {"UserEdit", "admin"}};
    const auto with = [](Fields fields, const Fields& more) {
        fields.insert(fields.end(), more.begin(), more.end());
        return fields;
    };
    for (const Case& c :
         std::vector<Case>{{{{"CaptureButton", ""}}, "Choose the capture file to check against."},
                           {{{"AgentButton", ""}, {"HostEdit", "  "}}, "No agent host given."},
                           {with(v3, {{"UserEdit", ""}}), "SNMP v3 needs a user name."},
                           {with(v3, {{"AuthKeyEdit", "short1"}}),
                            "The authentication key must have at least 8 characters."},
                           {with(v3, {{"AuthKeyEdit", "long enough"}, {"PrivKeyEdit", "short2"}}),
                            "The privacy key must have at least 8 characters."}}) {
        form.reset();
        dialogs.asked.clear();
        startWithDevice();
        dialogs.answerWindow([&c](QDialog& dialog) {
            fill(dialog, c.fields);
            press(dialog, "OkButton");
            EXPECT_TRUE(dialog.isVisible()) << c.message.toStdString();
            press(dialog, "CancelButton");
        });
        trigger("CheckAgainstDevice1");
        expectError(c.message);
        expectUnchanged();
        EXPECT_FALSE(storedSettings().contains("check")) << "nothing asked, nothing remembered";
    }
}

TEST_F(CheckCommandsTest, FailuresShowTheirMessageAndChangeNothing) {
    const std::string silent = "127.0.0.1:" + std::to_string(LocalAgent::FreePort());
    const std::string missing = dir.filePath("none.walk").toStdString();
    struct Case {
        Fields fields;
        std::string message;
    };
    Fields secretCommunity = agentFields(silent, 0.5, 0);
    secretCommunity[3].second = "hidden-community";
    for (const Case& c : std::vector<Case>{
             {secretCommunity,
              "Timeout: no answer from " + silent + " within 0.5 s (is the community right?)"},
             {agentFields("no-such-host.invalid", 0.5, 0), "Unknown host: no-such-host.invalid"},
             {{{"CaptureButton", ""}, {"CaptureEdit", QString::fromStdString(missing)}},
              "Cannot open file \"" + missing + "\". No such file or directory"}}) {
        form.reset();
        dialogs.asked.clear();
        startWithDevice();
        QElapsedTimer clock;
        clock.start();
        runCheck(c.fields);
        EXPECT_LT(clock.elapsed(), 5000) << c.message;
        expectError(QString::fromStdString(c.message));
        expectUnchanged();
    }
}

TEST_F(CheckCommandsTest, CancelStopsALiveWait) {
    startWithDevice();
    const std::string silent = "127.0.0.1:" + std::to_string(LocalAgent::FreePort());
    QString shown;
    // Cancel once the walk waits for its first subtree, however long a loaded machine takes to get there.
    QTimer waiting;
    QObject::connect(&waiting, &QTimer::timeout, form.get(), [&] {
        auto* progress = widget<CheckProgressWindow>("CheckProgressWindow");
        const QString text = progress->findChild<QLabel*>("CheckProgressLabel")->text();
        if (!progress->isVisible() || !text.contains("Subtree")) return;
        waiting.stop();
        shown = text;
        QTest::mouseClick(progress->findChild<QPushButton*>("CancelCheckButton"), Qt::LeftButton);
    });
    waiting.start(20);
    QElapsedTimer clock;
    clock.start();
    runCheck(agentFields(silent, 30, 0));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(shown.toStdString(), "Asking " + silent + ", SNMP v2c\nSubtree 1 of 3, 0 variables so far");
    ASSERT_EQ(dialogs.asked.size(), 1u) << "cancelling is no error: no error box";
    expectUnchanged("The check was cancelled.");
}

TEST_F(CheckCommandsTest, ClosingTheWindowDuringAWaitEndsTheWalk) {
    startWithDevice();
    QTimer::singleShot(300, form.get(), [&] { form->close(); });
    runCheck(agentFields("127.0.0.1:" + std::to_string(LocalAgent::FreePort()), 30, 0));
    QTest::qWait(50);  // the close waits until the command has returned
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(dialogs.asked.size(), 1u) << "no error box for a walk stopped by closing";
}

// Every phase of a live check waits off the window's thread: the window keeps handling events,
// and Cancel or the close box ends the check at once, whether the host's name is still being
// looked up or a v3 agent never answers its engine discovery.
TEST_F(CheckCommandsTest, TheWindowAnswersAndStopsAtOnceInEveryPhase) {
    SlowNameService names;
    LossyRelay silent(0, 0);
    Fields v3 = agentFields(silent.Address(), 30, 5);
    v3.insert(v3.end(), {{"VersionCombo", "3"},
                         {"UserEdit", LocalAgent::User},
                         {"LevelCombo", "authPriv"},
                         {"AuthKeyEdit", LocalAgent::AuthKey},
                         {"PrivKeyEdit", LocalAgent::PrivKey}});
    struct Phase {
        const char* name;
        Fields fields;
        bool closeTheWindow;
    };
    for (const Phase& phase :
         {Phase{"name look-up, Cancel", agentFields(SlowNameService::Name, 30, 5), false},
          Phase{"name look-up, close box", agentFields(SlowNameService::Name, 30, 5), true},
          Phase{"v3 discovery, Cancel", v3, false}, Phase{"v3 discovery, close box", v3, true}}) {
        form.reset();
        dialogs.asked.clear();
        startWithDevice();
        QElapsedTimer clock;
        qint64 stoppedAt = -1;
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(10);
        QTimer::singleShot(300, form.get(), [&] {
            stoppedAt = clock.elapsed();
            if (phase.closeTheWindow)
                form->close();
            else
                QTest::mouseClick(widget("CheckProgressWindow")->findChild<QPushButton*>("CancelCheckButton"),
                                  Qt::LeftButton);
        });
        clock.start();
        runCheck(phase.fields);
        const qint64 stopped = clock.elapsed() - stoppedAt;
        ASSERT_GE(stoppedAt, 0) << phase.name;
        // At once: far below the 30 s timeout, with room for a loaded machine; and the window kept
        // handling its events meanwhile, where a wait on its thread would have let none through.
        EXPECT_LT(stopped, 3000) << phase.name;
        EXPECT_GE(ticks, 3) << phase.name << ": the window handled too few events while waiting";
        if (phase.closeTheWindow) {
            QTest::qWait(50);  // the close waits until the command has returned
            EXPECT_FALSE(form->isVisible()) << phase.name;
            EXPECT_EQ(dialogs.asked.size(), 1u)
                << phase.name << ": no error box for a check stopped by closing";
        } else {
            EXPECT_EQ(dialogs.asked.size(), 1u) << phase.name << ": Cancel ends the check quietly";
            expectUnchanged("The check was cancelled.");
        }
    }
}

using LiveCheckCommandsTest = LocalAgentTest<CheckCommandsTest>;

TEST_F(LiveCheckCommandsTest, TicksWhatTheAgentAnswersAndRemembersOnlyHostAndVersion) {
    startWithDevice();
    const Fields v3{{"VersionCombo", "3"},
                    {"UserEdit", LocalAgent::User},
                    {"LevelCombo", "authPriv"},
                    {"AuthProtocolCombo", "SHA"},
                    {"AuthKeyEdit", LocalAgent::AuthKey},
                    {"PrivProtocolCombo", "AES"},
                    {"PrivKeyEdit", LocalAgent::PrivKey}};
    for (const auto& [version, extra] :
         std::vector<std::pair<std::string, Fields>>{{"v2c", {}}, {"v3 authPriv", v3}}) {
        dialogs.asked.clear();
        Fields fields = agentFields(agent_.Address());
        fields.insert(fields.end(), extra.begin(), extra.end());
        runCheck(fields);
        ASSERT_EQ(dialogs.asked.size(), 1u) << "no error for " << version;
        const std::map<std::string, int> boxes = entryBoxes();
        for (const char* served : {"IF-MIB|ifEntry|In Octets", "SNMPv2-MIB|system|Up Time",
                                   "HOST-RESOURCES-MIB|hrStorageEntry|Used"})
            EXPECT_EQ(boxes.at(served), CheckedImage) << served << " over " << version;
        int ticked = 0;
        for (const auto& [name, box] : boxes) ticked += box == CheckedImage;
        EXPECT_EQ(status(), QString("%1 of 4 entries answered").arg(ticked));
        EXPECT_TRUE(logText().startsWith(
            QString::fromStdString("Checked against agent " + agent_.Address() + ", SNMP " + version + "\n")))
            << logText().toStdString();
        for (const QString& secret : NoSecrets) EXPECT_FALSE(logText().contains(secret)) << version;
    }

    const QString stored = storedSettings();
    EXPECT_TRUE(stored.contains("checkhost=" + QString::fromStdString(agent_.Address())))
        << stored.toStdString();
    EXPECT_TRUE(stored.contains("checkversion=3")) << stored.toStdString();
    for (const QString& secret : NoSecrets) EXPECT_FALSE(stored.contains(secret)) << secret.toStdString();
    EXPECT_FALSE(stored.contains(LocalAgent::User));

    form.reset();
    start();
    loadKeys({"a|x|1"});
    dialogs.answerWindow([this](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>("HostEdit")->text().toStdString(), agent_.Address());
        EXPECT_EQ(dialog.findChild<QComboBox*>("VersionCombo")->currentText(), "3");
        for (const char* secret : {"UserEdit", "AuthKeyEdit", "PrivKeyEdit"})
            EXPECT_EQ(dialog.findChild<QLineEdit*>(secret)->text(), "") << secret;
        press(dialog, "CancelButton");
    });
    trigger("CheckAgainstDevice1");
}

}  // namespace
