#include "app/dialogs/qtuserdialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(QtUserDialogsTest, FiltersBecomeQtFiltersAndAnyFileMatchesEveryFile) {
    struct Case {
        QString filter, expected;
    };
    for (const Case& c :
         std::vector<Case>{{"Veltrane SNMP Library|*.oidlib", "Veltrane SNMP Library (*.oidlib)"},
                           {"MIB Files (*.mib,*.my,*.txt)|*.mib;*.my;*.txt|mib File (*.mib)|*.mib|my File "
                            "(*.my)|*.my|Any File|*.*",
                            "MIB Files (*.mib,*.my,*.txt) (*.mib *.my *.txt);;mib File (*.mib) (*.mib);;my "
                            "File (*.my) (*.my);;"
                            "Any File (*)"}})
        EXPECT_EQ(QtUserDialogs::qtFilter(c.filter), c.expected);
}

}  // namespace
