#pragma once
// UserDialogs that answer from a script prepared by the test and record every question.

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>
#include <QTest>
#include <deque>
#include <functional>
#include <stdexcept>
#include <variant>

#include "app/dialogs/userdialogs.h"

// One thing the window showed: the kind of box or dialog and its text or dialog settings.
struct AskedDialog {
    // "warning", "confirm", "choose", "information", "error", "open", "openmany", "save", "folder",
    // "window"
    QString kind;
    QString text;  // the message, the file dialog's name, or the window's caption
    FileDialogSpec dialog;
    DialogAnswer defaultButton = DialogAnswer::Yes;  // of a warning or confirmation
    QStringList buttons;                             // of a choice
    int defaultChoice = 0;                           // of a choice
};

// Answers in the order prepared; a question without a prepared answer fails the test,
// and so does an answer left unused when the script is destroyed.
class ScriptedDialogs : public UserDialogs {
  public:
    ~ScriptedDialogs() override {
        EXPECT_TRUE(answers_.empty()) << answers_.size() << " prepared answer(s) were not used";
    }

    void answer(DialogAnswer reply) { answers_.emplace_back(std::in_place_type<DialogAnswer>, reply); }
    // The index of the button pressed in the next choice.
    void answerChoice(int button) { answers_.emplace_back(std::in_place_type<Choice>, Choice{button}); }
    void answerFile(const QString& fileName) { answers_.emplace_back(std::in_place_type<QString>, fileName); }
    // Several files chosen in an open dialog, in this order.
    void answerFiles(const QStringList& fileNames) { answers_.push_back(fileNames); }
    // The next modal window is shown (not modally), inspected, and closed with its result.
    void answerWindow(std::function<void(QDialog&)> inspect = {}) {
        answers_.push_back(WindowAnswer{std::move(inspect)});
    }
    // The next question fails: it throws an error with this message, as a failing command would.
    void failWith(const std::string& message) { answers_.push_back(Failure{message}); }

    std::vector<AskedDialog> asked;

    bool warningYesNo(const QString& text, DialogAnswer defaultButton) override {
        record("warning", text);
        asked.back().defaultButton = defaultButton;
        return take<DialogAnswer>(text) == DialogAnswer::Yes;
    }
    DialogAnswer confirmYesNoCancel(const QString& text, DialogAnswer defaultButton) override {
        record("confirm", text);
        asked.back().defaultButton = defaultButton;
        return take<DialogAnswer>(text);
    }
    int choose(const QString& text, const QStringList& buttons, int defaultButton) override {
        record("choose", text);
        asked.back().buttons = buttons;
        asked.back().defaultChoice = defaultButton;
        return take<Choice>(text).button;
    }
    void information(const QString& text) override { record("information", text); }
    void error(const QString& text) override { record("error", text); }
    QString openFileName(const FileDialogSpec& dialog) override {
        record("open", dialog.name, dialog);
        return take<QString>(dialog.name);
    }
    QStringList openFileNames(const FileDialogSpec& dialog) override {
        record("openmany", dialog.name, dialog);
        if (!answers_.empty() && std::holds_alternative<QStringList>(answers_.front()))
            return take<QStringList>(dialog.name);
        const QString name = take<QString>(dialog.name);
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    QString saveFileName(const FileDialogSpec& dialog) override {
        record("save", dialog.name, dialog);
        return take<QString>(dialog.name);
    }
    QString chooseFolder(const FileDialogSpec& dialog) override {
        record("folder", dialog.name, dialog);
        return take<QString>(dialog.name);
    }

    int showModal(QDialog& window) override {
        record("window", window.windowTitle());
        const WindowAnswer reply = take<WindowAnswer>(window.windowTitle());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window)) << window.windowTitle().toStdString();
        if (reply.inspect) reply.inspect(window);
        const bool closed = window.isHidden();  // the inspection pressed a button that closes it
        window.hide();
        return closed ? window.result() : int(QDialog::Accepted);
    }

  private:
    struct Failure {
        std::string message;
    };
    struct WindowAnswer {
        std::function<void(QDialog&)> inspect;
    };
    struct Choice {
        int button = 0;
    };
    using Answer = std::variant<DialogAnswer, QString, QStringList, WindowAnswer, Choice, Failure>;

    void record(const QString& kind, const QString& text, const FileDialogSpec& dialog = {}) {
        AskedDialog shown;
        shown.kind = kind;
        shown.text = text;
        shown.dialog = dialog;
        asked.push_back(shown);
    }

    template <typename T>
    T take(const QString& question) {
        if (!answers_.empty() && std::holds_alternative<Failure>(answers_.front())) {
            const std::string message = std::get<Failure>(answers_.front()).message;
            answers_.pop_front();
            throw std::runtime_error(message);
        }
        if (answers_.empty() || !std::holds_alternative<T>(answers_.front())) {
            ADD_FAILURE() << "no prepared answer for: " << question.toStdString();
            if constexpr (std::is_same_v<T, DialogAnswer>)
                return DialogAnswer::Cancel;
            else
                return T();
        }
        T reply = std::get<T>(answers_.front());
        answers_.pop_front();
        return reply;
    }

    std::deque<Answer> answers_;
};
