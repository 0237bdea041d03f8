// SPDX-License-Identifier: MIT
#include "ui/main/language_menu.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

#include "ui/common/prompter.h"
#include "ui/common/translations.h"

namespace sylvanode {
namespace {

class LanguageMenu {
    Q_DECLARE_TR_FUNCTIONS(LanguageMenu)
public:
    static QMenu* create(QWidget* window, Prompter& prompter) {
        auto* view = new QMenu(tr("视图(&V)"), window);
        view->setObjectName(QStringLiteral("viewMenu"));
        view->menuAction()->setObjectName(QStringLiteral("viewMenuAction"));
        QMenu* languages = view->addMenu(tr("语言(&L)"));
        languages->setObjectName(QStringLiteral("languageMenu"));
        languages->menuAction()->setObjectName(QStringLiteral("languageMenuAction"));
        languages->menuAction()->setStatusTip(tr("选择界面的语言，下次启动时生效"));

        auto* group = new QActionGroup(languages);
        const auto add = [&](const QString& code, const QString& text) {
            QAction* a = languages->addAction(text);
            a->setObjectName(code.isEmpty() ? QStringLiteral("systemLanguageAction")
                                            : QStringLiteral("languageAction_") + code);
            a->setCheckable(true);
            a->setData(code);
            group->addAction(a);
            return a;
        };
        add(QString(), tr("跟随系统(&S)"));
        languages->addSeparator();
        for (const QString& code : availableLanguages()) add(code, languageName(code));

        const QString stored = storedLanguage();
        for (QAction* a : group->actions())
            a->setChecked(a->data().toString() == (availableLanguages().contains(stored) ? stored : QString()));
        QObject::connect(group, &QActionGroup::triggered, window, [window, &prompter](QAction* chosen) {
            const QString code = chosen->data().toString();
            storeLanguage(code);
            if ((code.isEmpty() ? systemLanguage() : code) == uiLanguage()) return;
            prompter.message(window, QStringLiteral("Sylvanode"), tr("新的语言将在下次启动 Sylvanode 时使用。"),
                             Prompter::Icon::Information, Prompter::Ok);
        });
        return view;
    }
};

}  // namespace

QMenu* createViewMenu(QWidget* window, Prompter& prompter) { return LanguageMenu::create(window, prompter); }

}  // namespace sylvanode
