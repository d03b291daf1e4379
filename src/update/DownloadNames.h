// The names a download goes by: the file it is saved under, and the URL requested.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// The file name a download is saved under: the URL cut at the first "?" then the first
// "#", trailing "/" removed, the text after the last "/", percent escapes decoded as UTF-8
// (undecoded when decoding fails). The name is joined to a folder, so it must be a plain
// Windows file name: when the decoded name is not one, the undecoded text is used when
// that one is plain, else the result is "" and the download is to be refused.
std::string FileNameFromUrl(std::string_view url);

// The URL to request: the path part (after scheme://authority, before "?" or "#")
// percent-encoded where a character may not stand in a URL path ("/" and ":" stay, and so
// do existing valid %XX escapes, so that /a%20b.zip is fetched as itself); the query kept;
// the fragment dropped.
std::string RequestUrl(std::string_view url);

}  // namespace kestrova
