#include "about/AboutLinks.h"

#include "product/ProductNames.h"

namespace kestrova {

std::vector<AboutLink> AboutLinks()
{
    return {
        {"LabelTelegram", kContactTelegramUrl},
        {"LabelGMail", std::string("mailto:") + kContactFirstMail},
        {"LabelYaMail", std::string("mailto:") + kContactSecondMail},
        {"LabelMainWebSite", kContactWebSiteUrl},
    };
}

}  // namespace kestrova
