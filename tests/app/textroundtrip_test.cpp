// Texts that are not UTF-8 (or are) travel from the library through the tree and editor and back unchanged.

#include <QPlainTextEdit>

#include "app/qtstrings.h"
#include "formfixture.h"

namespace {

TEST(TextCodecTest, EveryByteStringDecodesAndEncodesBack) {
    struct Case {
        std::string bytes;
        TextEncoding encoding;
        QString shown;
    };
    for (const Case& c :
         std::vector<Case>{{"Gr\xC3\xA4ppe", TextEncoding::Utf8, u"Gräppe"_qs},
                           {"Gr\xE4ppe", TextEncoding::Windows1252, u"Gräppe"_qs},
                           {"M\xFCller \xA9", TextEncoding::Windows1252, u"Müller ©"_qs},
                           {"\x80\x81\x9F", TextEncoding::Windows1252, u"€\u0081Ÿ"_qs},
                           {"\xC0\xAF", TextEncoding::Windows1252, u"À¯"_qs},  // overlong UTF-8 is not UTF-8
                           {"\xED\xA0\x80", TextEncoding::Windows1252, u"í\u00A0€"_qs},  // nor is a surrogate
                           {"", TextEncoding::Utf8, ""}}) {
        EXPECT_EQ(EncodingOf(c.bytes), c.encoding) << c.bytes;
        EXPECT_EQ(toQt(c.bytes), c.shown) << c.bytes;
        EXPECT_EQ(Encode(toQt(c.bytes), c.encoding), c.bytes);
    }
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) everyByte.push_back(char(byte));
    EXPECT_EQ(Encode(toQt(everyByte), EncodingOf(everyByte)), everyByte);
    EXPECT_EQ(Encode(u"Gräppe Ω"_qs, TextEncoding::Windows1252), "Gr\xC3\xA4ppe \xCE\xA9")
        << "a character Windows-1252 lacks turns the text into UTF-8 rather than being dropped";
}

class TextRoundTripTest : public FormFixture {
  protected:
    // An entry of the non-UTF-8 key and description, then others whose agents show alike or are invalid.
    void startWithLibrary() {
        start();
        loadKeys({"Ag|Gr\xE4ppe|n", "Ag|x|y", "\xC0|x|1", "\xC1|x|1", "\xC3\x80|x|1"});
        first().description = "M\xFCller \xA9\r\nzwei\nthree";
        click(u"Ag/Gräppe/n"_qs);
    }
    Toiddata& first() { return *form->document().library().Entries(0); }
};

TEST_F(TextRoundTripTest, AnEntryEditedInOneFieldKeepsEveryOtherByte) {
    startWithLibrary();
    EXPECT_EQ(form->tree().topLevelItemCount(), 4)
        << "agents \\xC0, \\xC1 and UTF-8 \\xC3\\x80 each get a node";
    EXPECT_EQ(text("Edit2"), u"Gräppe"_qs);
    type("Edit4", "5");
    trigger("ChangesApplyAction");
    EXPECT_EQ(first().name, "Ag|Gr\xE4ppe|n");
    EXPECT_EQ(first().description, "M\xFCller \xA9\r\nzwei\nthree");
    EXPECT_EQ(first().oid, "1.05");

    // Through the change question's Yes.
    type("Edit4", "6");
    dialogs.answer(DialogAnswer::Yes);
    click("Ag/x/y");
    EXPECT_EQ(first().name, "Ag|Gr\xE4ppe|n");
    EXPECT_EQ(first().oid, "1.056");

    // Changed fields go back in the encoding they came in; an edited memo joins its lines by CR LF.
    widget<QLineEdit>("Edit2")->insert(u"é"_qs);
    auto* memo = widget<QPlainTextEdit>("Memo1");
    memo->setPlainText(memo->toPlainText() + u"\n©"_qs);
    trigger("ChangesApplyAction");
    EXPECT_EQ(first().name, "Ag|Gr\xE4ppe\xE9|n");
    EXPECT_EQ(first().description, "M\xFCller \xA9\r\nzwei\r\nthree\r\n\xA9");
}

TEST_F(TextRoundTripTest, SaveAsAppliesWithoutTouchingUnchangedBytes) {
    startWithLibrary();
    type("Edit7", "0");
    const QString file = dir.filePath("out.oidlib");
    dialogs.answerFile(file);
    trigger("SaveAs1");
    toidfile saved;
    ASSERT_EQ(saved.LoadFromFile(PathBytes(file)), "");
    EXPECT_EQ(saved.Entries(0)->name, "Ag|Gr\xE4ppe|n");
    EXPECT_EQ(saved.Entries(0)->description, "M\xFCller \xA9\r\nzwei\nthree");
    EXPECT_EQ(saved.Entries(0)->scale, "10");
}

}  // namespace
