// The product's fixed names, in one place below every module that uses them: the
// application title, the name the update server files it under, the two update base
// URLs and the contact details the About window links to.
#pragma once

namespace kestrova {

// The title of the general error report and of every message box, the section of the
// language files and a folder name of the options path.
inline constexpr char kApplicationTitle[] = "Kestrova";

// The folder below each update base URL, and the stem of the installer's and the
// portable archive's file names.
inline constexpr char kUpdateName[] = "Kestrova";

// Asked in this order: the primary, then the mirror. Plain http with the path
// "/download/", ending with a slash.
inline constexpr const char* kUpdateBaseUrls[] = {
    "http://download.kestrova.org/download/",
    "http://mirror.kestrova.net/download/",
};

// Contact details shown and opened by the About window.
inline constexpr char kContactTelegramUrl[] = "https://t.me/kestrova";
inline constexpr char kContactFirstMail[] = "kestrova.app@gmail.com";
inline constexpr char kContactSecondMail[] = "kestrova@yandex.ru";
inline constexpr char kContactWebSiteUrl[] = "http://kestrova.org/";

}  // namespace kestrova
