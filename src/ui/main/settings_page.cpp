#include "ui/main/settings_page.h"

#include "model/menu_scheme.h"
#include "ui/common/prompter.h"

namespace sylvanode {

SettingsPage::SettingsPage(MenuScheme& scheme, Prompter& prompter,
                           std::function<void()> markModified, QWidget* parent)
    : QWidget(parent), scheme_(scheme), prompter_(prompter), markModified_(std::move(markModified)) {
    setObjectName(QStringLiteral("TabSheet2"));
}

SettingsPage::~SettingsPage() = default;

void SettingsPage::refresh() {}

}  // namespace sylvanode
