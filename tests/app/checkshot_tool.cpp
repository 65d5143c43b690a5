// Photographs the window after a live "Check Against Device..." against a snmpd of its own:
//   checkshot_tool LIBRARY PNG [AGENT|GROUP...]   the groups of those caption paths opened
// Prints the status bar text; exit 1 when the check or the picture fails.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QStatusBar>
#include <cstdio>

#include "app/dialogs/qtuserdialogs.h"
#include "localagent.h"
#include "tests/app/shottool.h"
#include "widgets/oidtreeview.h"

namespace {

// Fills the check's dialog for the local agent; any error box is printed instead of shown.
class AgentDialogs : public QtUserDialogs {
  public:
    explicit AgentDialogs(const LocalAgent& agent) : agent_(agent) {}
    int showModal(QDialog& window) override {
        if (window.objectName() != "CheckDeviceDialog") return QtUserDialogs::showModal(window);
        window.findChild<QLineEdit*>("HostEdit")->setText(QString::fromStdString(agent_.Address()));
        window.findChild<QComboBox*>("VersionCombo")->setCurrentText("2c");
        window.findChild<QLineEdit*>("CommunityEdit")->setText(LocalAgent::Community);
        return QDialog::Accepted;
    }
    void error(const QString& text) override {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
        failed = true;
    }
    bool failed = false;

  private:
    const LocalAgent& agent_;
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s LIBRARY PNG [AGENT|GROUP...]\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    LocalAgent agent;
    std::string problem;
    if (!agent.Start(problem)) {
        std::fprintf(stderr, "no agent: %s\n", problem.c_str());
        return 1;
    }
    AgentDialogs dialogs(agent);
    ShotWindow window(dialogs, argv[1]);
    TForm1& form = window.form;
    form.show();
    form.findChild<QAction*>("CheckAgainstDevice1")->trigger();
    if (dialogs.failed) return 1;

    const QStringList opened = QCoreApplication::arguments().mid(3);
    form.tree().forEachNode([&](TreeNode* node) {
        if (!node->parent() || !opened.contains(node->parent()->text(0) + "|" + node->caption())) return;
        node->parent()->setExpanded(true);
        node->setExpanded(true);
    });
    form.tree().scrollToTop();
    QApplication::processEvents();
    std::printf("%s\n", qPrintable(form.statusBar()->currentMessage()));
    return SaveShot(form, argv[2]);
}
