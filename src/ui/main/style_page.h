#pragma once

#include <QWidget>
#include <functional>

namespace sylvanode {

class MenuScheme;
class Prompter;

// The page "风格样式" (TabSheet3): the six CSS styles, heights and paddings
// of the folder and file kinds.
class StylePage : public QWidget {
    Q_OBJECT
public:
    StylePage(MenuScheme& scheme, Prompter& prompter, std::function<void()> markModified,
              QWidget* parent = nullptr);
    ~StylePage() override;

    // The style part of refreshPages: the six style texts first, then heights
    // and paddings (side selectors back to the top side). Runs no handler.
    void refresh();

private:
    MenuScheme& scheme_;
    Prompter& prompter_;
    std::function<void()> markModified_;
};

}  // namespace sylvanode
