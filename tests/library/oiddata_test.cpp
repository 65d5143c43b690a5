#include "library/oiddata.h"

#include <gtest/gtest.h>

#include "library/oidfileerror.h"
#include "library/xmldocument.h"
#include "library/xmlreader.h"
#include "library/xmlwriter.h"

namespace {

// "name=text;" for each child, in order.
std::string Dump(const xml::Element& element) {
    std::string out;
    for (const auto& child : element.Children()) out += child->Name() + "=" + child->Text() + ";";
    return out;
}

// The <entry> element as a file holds it: written as saving writes it, then read back.
xml::Element& WrittenEntry(const Toiddata& entry, xml::Element& document) {
    std::string text;
    xml::StreamWriter writer(text);
    writer.Open("entry");
    WriteEntryXml(entry, writer);
    writer.Close();
    xml::ReadDocument(text, document);  // document becomes the <entry> element
    return document;
}

TEST(OidData, NewEntryWritesDefaultsInOrder) {
    xml::Element document;
    EXPECT_EQ(Dump(WrittenEntry(Toiddata(), document)),
              "name=;oid=;type=vmAbsolute;kind=mkDirect;unittype=sutBytes;units=;indicator=;scale=1;"
              "multiply=no;max=0;usegetnext=no;is64bit=no;isunsigned=yes;isfloat=no;description=;");
}

TEST(OidData, EveryFieldIsWritten) {
    Toiddata entry;
    entry.name = "Agent|Group|Name";
    entry.oid = "1.3.6.1.4.1.9.2.1.58.0";
    entry.units = "kbytes/sec";
    entry.max = -5;
    entry.type = TValueMode::vmDiff;
    entry.indicator = "ind";
    entry.unittype = TUnitType::sutCustom;
    entry.scale = "1024";
    entry.multiply = true;
    entry.kind = TMIBDataKind::mkTable;
    entry.description = "a\r\nb";
    entry.usegetnext = true;
    entry.is64bit = true;
    entry.isunsigned = false;
    entry.isfloat = true;
    xml::Element document;
    xml::Element& element = WrittenEntry(entry, document);
    const std::string written = Dump(element);
    EXPECT_EQ(written,
              "name=Agent|Group|Name;oid=1.3.6.1.4.1.9.2.1.58.0;type=vmDiff;kind=mkTable;unittype=sutCustom;"
              "units=kbytes/sec;indicator=ind;scale=1024;multiply=yes;max=-5;usegetnext=yes;is64bit=yes;"
              "isunsigned=no;isfloat=yes;description=a\r\nb;");

    Toiddata back;
    ReadEntryXml(back, element);
    xml::Element again;
    EXPECT_EQ(Dump(WrittenEntry(back, again)), written);
}

TEST(OidData, EntryWithoutChildrenReadsEmptyValues) {
    xml::Element element("entry");
    Toiddata entry;
    entry.scale = "7";
    entry.isunsigned = false;
    entry.multiply = true;
    ReadEntryXml(entry, element);
    EXPECT_TRUE(element.Children().empty());  // nothing missing is created
    EXPECT_EQ(entry.name, "");
    EXPECT_EQ(entry.scale, "");  // not the default "1"
    EXPECT_EQ(entry.type, TValueMode::vmAbsolute);
    EXPECT_EQ(entry.kind, TMIBDataKind::mkDirect);
    EXPECT_EQ(entry.unittype, TUnitType::sutBytes);
    EXPECT_FALSE(entry.multiply);
    EXPECT_TRUE(entry.isunsigned);
    EXPECT_EQ(entry.max, 0);
}

// One child with a text, and the field value it must produce.
struct FieldCase {
    const char* child;
    const char* text;
    const char* expected;  // the field as WriteEntryXml writes it
};

class OidDataField : public testing::TestWithParam<FieldCase> {};

TEST_P(OidDataField, ReadsAsWritten) {
    const FieldCase& c = GetParam();
    xml::Element element("entry");
    element.AddChild(c.child).SetText(c.text);
    Toiddata entry;
    ReadEntryXml(entry, element);
    xml::Element document;
    EXPECT_EQ(WrittenEntry(entry, document).FindChild(c.child)->Text(), c.expected)
        << c.child << " read from \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, OidDataField,
    testing::Values(FieldCase{"kind", "MKTABLE", "mkTable"}, FieldCase{"kind", "table", "mkDirect"},
                    FieldCase{"KIND", "mkTable", "mkTable"},  // child names regardless of case
                    FieldCase{"type", "VMdiff", "vmDiff"}, FieldCase{"type", "vmDiffX", "vmAbsolute"},
                    FieldCase{"unittype", "sutpercent", "sutPercent"},
                    FieldCase{"unittype", "SUTCUSTOM", "sutCustom"}, FieldCase{"unittype", "", "sutBytes"},
                    FieldCase{"isunsigned", "no", "no"}, FieldCase{"isunsigned", "", "yes"},
                    FieldCase{"isunsigned", "maybe", "no"}, FieldCase{"isunsigned", "YES", "yes"},
                    FieldCase{"multiply", "Yes", "yes"}, FieldCase{"multiply", "true", "no"},
                    FieldCase{"usegetnext", "1", "no"}, FieldCase{"is64bit", "yES", "yes"},
                    FieldCase{"isfloat", "yes ", "no"}, FieldCase{"max", "abc", "0"},
                    FieldCase{"max", "-5", "-5"}, FieldCase{"max", "+12", "12"},
                    FieldCase{"max", "9223372036854775807", "9223372036854775807"},
                    FieldCase{"max", "-9223372036854775808", "-9223372036854775808"},
                    FieldCase{"max", "99999999999999999999x", "0"}, FieldCase{"max", "12x", "0"},
                    FieldCase{"max", "+-3", "0"}, FieldCase{"max", "", "0"}, FieldCase{"scale", "", ""},
                    FieldCase{"scale", "abc", "abc"}, FieldCase{"description", "x\r\ny", "x\r\ny"}));

// A number beyond 64 bits is no "abc": reading it as 0 would write a wrong value back.
TEST(OidData, MaxBeyondSixtyFourBitsIsRefusedWithItsLine) {
    for (const char* text : {"9223372036854775808", "-9223372036854775809", "+99999999999999999999"}) {
        xml::Element element("entry");
        xml::Element& max = element.AddChild("max");
        max.SetText(text);
        max.SetLine(7);
        Toiddata entry;
        try {
            ReadEntryXml(entry, element);
            ADD_FAILURE() << text << " was read as " << entry.max;
        } catch (const OidFileError& error) {
            EXPECT_EQ(error.Line(), 7) << text;
        }
    }
}

TEST(OidData, FirstMatchingChildWinsAndOthersAreIgnored) {
    xml::Element element("entry");
    element.AddChild("comment").SetText("ignored");
    element.AddChild("OID").SetText("1.1");
    element.AddChild("oid").SetText("2.2");
    Toiddata entry;
    ReadEntryXml(entry, element);
    EXPECT_EQ(entry.oid, "1.1");
}

TEST(OidData, CopyIsIndependent) {
    Toiddata source;
    source.name = "A|B|C";
    source.max = 100;
    source.kind = TMIBDataKind::mkTable;
    source.isunsigned = false;
    Toiddata copy;
    CopyEntry(copy, source);
    EXPECT_EQ(copy.name, "A|B|C");
    EXPECT_EQ(copy.max, 100);
    EXPECT_EQ(copy.kind, TMIBDataKind::mkTable);
    EXPECT_FALSE(copy.isunsigned);
    copy.name = "changed";
    EXPECT_EQ(source.name, "A|B|C");
}

}  // namespace
