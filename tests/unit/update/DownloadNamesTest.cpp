// The saved file's name and the requested URL of a download.
#include "update/DownloadNames.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

struct Case {
    const char* url;
    const char* expected;
};

TEST(FileNameFromUrl, TakesTheLastSegmentWithoutQueryOrFragmentAndDecodesIt)
{
    const Case cases[] = {
        {"https://example.test/Kestrova/Kestrova-setup.exe?token=1#top", "Kestrova-setup.exe"},
        {"https://example.test/a%20b.zip", "a b.zip"},
        {"https://example.test/dir/", "dir"},
        {"https://example.test/dir//", "dir"},
        {"https://example.test/x.zip#frag?not-a-query", "x.zip"},
        {"Kestrova.zip", "Kestrova.zip"},
        {"https://example.test/%D0%9A%D1%8D.zip", "\xD0\x9A\xD1\x8D.zip"},  // UTF-8 escapes, either case
        {"https://example.test/%d0%9a.zip", "\xD0\x9A.zip"},
        {"https://example.test/50%25.zip", "50%.zip"},
        // Escapes that do not decode leave the whole name undecoded.
        {"https://example.test/100%.zip", "100%.zip"},
        {"https://example.test/a%2x%20.zip", "a%2x%20.zip"},
        {"https://example.test/%FF%20.zip", "%FF%20.zip"},  // not UTF-8
        {"https://example.test/%C0%AF.zip", "%C0%AF.zip"},  // overlong "/"
    };
    for (const Case& test : cases)
        EXPECT_EQ(FileNameFromUrl(test.url), test.expected) << test.url;
}

TEST(FileNameFromUrl, NeverGivesANameThatLeavesTheFolder)
{
    const Case cases[] = {
        // A decoded name that is not plain falls back to the undecoded text when that is plain...
        {"https://example.test/%2F..%2Fx", "%2F..%2Fx"},
        {"https://example.test/..%5Cx", "..%5Cx"},
        {"https://example.test/%2E%2E", "%2E%2E"},
        {"https://example.test/a%3Ab.exe", "a%3Ab.exe"},
        {"https://example.test/a%00b.exe", "a%00b.exe"},
        {"https://example.test/setup.exe%20", "setup.exe%20"},  // trailing blank
        // ... and to nothing when neither is.
        {"https://example.test/..", ""},
        {"https://example.test/.", ""},
        {"https://example.test/a:b", ""},
        {"https://example.test/a..", ""},
        {"https://example.test/a*b", ""},
        {"https://example.test/a\\..\\..\\x", ""},
        {"https://example.test/a\"b", ""},
        {"https://example.test/a\tb", ""},
        {"https://example.test/", "example.test"},
        {"", ""},
        {"///", ""},
    };
    for (const Case& test : cases)
        EXPECT_EQ(FileNameFromUrl(test.url), test.expected) << test.url;
}

TEST(RequestUrl, EncodesThePathKeepsTheQueryAndDropsTheFragment)
{
    const Case cases[] = {
        {"https://example.test/Kestrova/Kestrova.zip", "https://example.test/Kestrova/Kestrova.zip"},
        {"https://example.test/a b/c d.zip", "https://example.test/a%20b/c%20d.zip"},
        {"https://example.test/a%20b.zip", "https://example.test/a%20b.zip"},       // kept escape
        {"https://example.test/100%.zip", "https://example.test/100%25.zip"},       // stray "%"
        {"https://example.test/%zz", "https://example.test/%25zz"},
        {"https://example.test/\xD0\x9A.zip", "https://example.test/%D0%9A.zip"},  // non-ASCII, by byte
        {"https://example.test/a:b@c/~x-y_z.(1)!$&'*+,;=",
         "https://example.test/a:b@c/~x-y_z.(1)!$&'*+,;="},                         // may stand as they are
        {"https://example.test/a\\b\"<>^`{|}.zip", "https://example.test/a%5Cb%22%3C%3E%5E%60%7B%7C%7D.zip"},
        {"https://example.test:8080/x y?token=a b&c=%20#top", "https://example.test:8080/x%20y?token=a b&c=%20"},
        {"https://example.test/x#frag?x", "https://example.test/x"},
        {"http://example.test?q=/a b", "http://example.test?q=/a b"},              // no path
        {"https://example.test/p?u=http://other/a b", "https://example.test/p?u=http://other/a b"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(RequestUrl(test.url), test.expected) << test.url;
}

}  // namespace
}  // namespace kestrova
