#include "ListTabsFixture.h"

namespace kestrova {

void ListTabsTest::SetUp()
{
    MainWindowTest::SetUp();
    deletions_ = std::make_unique<UndoDeleteCommand>(*form, registry_, files_,
                                                     [this] { return backupFolder_ / "Backup\\"; });
    tabs_ = std::make_unique<ListTabs>(*form, registry_, files_, shell_, *deletions_);
    sendToSwitch_ = std::make_unique<SendToMenuSwitch>(registry_, shell_);
    sendToMenu_ = std::make_unique<SendToMenuCommands>(*form, state_, tabs_->SendTo(), *sendToSwitch_);
    MainWindowParts parts;
    parts.tabs = tabs_->All();
    parts.deletions = deletions_.get();
    parts.sendToMenu = sendToMenu_.get();
    commands_ = std::make_unique<MainCommands>(parts);
    form->SetActions(commands_.get());
}

void ListTabsTest::TearDown()
{
    form->SetActions(nullptr);
    commands_.reset();
    sendToMenu_.reset();
    sendToSwitch_.reset();
    tabs_.reset();
    deletions_.reset();
    MainWindowTest::TearDown();
}

CatalogueTab& ListTabsTest::TabOf(const ListView& list)
{
    for (CatalogueTab* tab : tabs_->All())
        if (&tab->List() == &list)
            return *tab;
    throw std::logic_error("no tab for that list");
}

}  // namespace kestrova
