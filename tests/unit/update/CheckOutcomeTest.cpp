// What a finished check shows, with the update window's built-in texts.
#include "update/CheckOutcome.h"

#include "update/UpdateWindowComponents.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

class CheckOutcome : public ::testing::Test {
protected:
    const WindowModel model = BuildUpdateWindowComponents();
    const UpdateTextFunction text = [this](std::string_view item) {
        return model.Get(item).Get(TextAttribute::Caption);
    };
};

TEST_F(CheckOutcome, ShowsTheServersVersionAndOffersOnlyANewerOne)
{
    struct Case {
        const char* what;
        std::optional<ServerRelease> release;
        CheckDisplay expected;
    };
    const Case cases[] = {
        {"no answer", std::nullopt, {"Не удалось проверить обновления", "Ошибка соединения", false}},
        {"newer", ServerRelease{"1.0.0.6", "u"}, {"Доступно обновление 1.0.0.5 ---> 1.0.0.6", "1.0.0.6", true}},
        {"the same", ServerRelease{"1.0.0.5.0", "u"}, {"Нет обновления", "1.0.0.5.0", false}},
        {"older", ServerRelease{"1.0.0.4", "u"}, {"Нет обновления", "1.0.0.4", false}},
        {"not numbers", ServerRelease{"beta", "u"}, {"Нет обновления", "beta", false}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const CheckDisplay display = DisplayCheckResult(test.release, "1.0.0.5", text);
        EXPECT_EQ(display.status, test.expected.status);
        EXPECT_EQ(display.serverLabel, test.expected.serverLabel);
        EXPECT_EQ(display.updateAvailable, test.expected.updateAvailable);
    }
}

TEST_F(CheckOutcome, QuestionNamesTheServersVersionOnItsFirstLine)
{
    EXPECT_EQ(UpdateQuestionText(text, "2.0"), "Доступно обновление 2.0\r\nХотите обновить приложение сейчас?");
}

}  // namespace
}  // namespace kestrova
