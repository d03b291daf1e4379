// Which server text counts as a version.
#include "update/UpdateVersion.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(UpdateVersion, OneToFourNumbersOfUpToFiveDigits)
{
    for (const char* text : {"1", "1.0", "1.0.0.7", "99999.0.12345.0", "00001.2"})
        EXPECT_TRUE(IsUpdateVersion(text)) << text;
    for (const char* text : {"", ".", "1.", ".1", "1..2", "1.2.3.4.5", "123456", "1.2beta", "1.2 ", "-1", "+1",
                             "1,2", "1.0 /DIR=C:\\x", "\xD9\xA1.0" /* Arabic-Indic one */})
        EXPECT_FALSE(IsUpdateVersion(text)) << text;
}

}  // namespace
}  // namespace kestrova
