#include "update/win32/WinHttpClient.h"

#include "platform/AppError.h"
#include "update/win32/WinHttpRequest.h"

namespace kestrova {

HttpResponse WinHttpClient::Get(const std::string& url)
{
    WinHttpRequest request(url, options_);
    HttpResponse response;
    response.status = request.Status();
    char buffer[8192];
    while (const std::size_t read = request.Read(buffer, sizeof buffer)) {
        response.body.append(buffer, read);
        if (options_.bodyLimit && response.body.size() > *options_.bodyLimit)
            throw AppError("The answer of " + url + " is longer than " + std::to_string(*options_.bodyLimit) + " bytes");
    }
    return response;
}

}  // namespace kestrova
