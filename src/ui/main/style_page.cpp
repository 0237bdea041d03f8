#include "ui/main/style_page.h"

#include "model/menu_scheme.h"
#include "ui/common/prompter.h"

namespace sylvanode {

StylePage::StylePage(MenuScheme& scheme, Prompter& prompter, std::function<void()> markModified,
                     QWidget* parent)
    : QWidget(parent), scheme_(scheme), prompter_(prompter), markModified_(std::move(markModified)) {
    setObjectName(QStringLiteral("TabSheet3"));
}

StylePage::~StylePage() = default;

void StylePage::refresh() {}

}  // namespace sylvanode
